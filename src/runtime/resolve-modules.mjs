// Joins the runtime's ES modules into one classic script. Each module becomes a function
// scope that returns its exports; a module runs after the ones it imports, once. Only the
// forms the runtime uses are understood, and anything else is refused rather than guessed at:
//   import { a, b as c } from './x.js';
//   export function f / export class C / export var|const v = ...
//   export { a, b as c };
// Imported names are bound once, when the module starts: exports are not reassigned later
// (export let is refused for that reason).
import { readFileSync } from 'node:fs';
import { basename, dirname, join, relative, resolve } from 'node:path';

const IMPORT = /^import\s*\{([^}]*)\}\s*from\s*'(\.\/[\w./-]+)';?[ \t]*$/gm;
const EXPORT_DECL = /^export\s+(function\*?|class|var|const|let)\s+([A-Za-z_$][\w$]*)/gm;
const EXPORT_LIST = /^export\s*\{([^}]*)\};?[ \t]*$/gm;

function names(list, where) {
  return list.split(',').map((s) => s.trim()).filter(Boolean).map((s) => {
    const m = s.match(/^([A-Za-z_$][\w$]*)(?:\s+as\s+([A-Za-z_$][\w$]*))?$/);
    if (!m) throw new Error(`${where}: cannot read "${s}"`);
    return { inner: m[1], outer: m[2] || m[1] };
  });
}

function parse(file, root) {
  const where = relative(root, file);
  let text = readFileSync(file, 'utf8');
  const imports = [];
  const exports = [];
  text = text.replace(IMPORT, (all, list, from) => {
    imports.push({ file: resolve(dirname(file), from), names: names(list, where) });
    return '';
  });
  text = text.replace(EXPORT_DECL, (all, kind, name) => {
    if (kind === 'let') throw new Error(`${where}: export let ${name} (exports are bound once)`);
    exports.push({ inner: name, outer: name });
    return all.slice('export'.length).trimStart();
  });
  text = text.replace(EXPORT_LIST, (all, list) => {
    exports.push(...names(list, where));
    return '';
  });
  const stray = text.match(/^\s*(import|export)\b.*$/m);
  if (stray) throw new Error(`${where}: unsupported form: ${stray[0].trim()}`);
  return { file, where, text: text.replace(/^\n+/, ''), imports, exports };
}

// Modules in an order where each follows everything it imports.
export function resolveModules(entry) {
  const root = dirname(resolve(entry));
  const order = [];
  const state = new Map();
  const visit = (file, chain) => {
    if (state.get(file) === 'done') return;
    if (state.get(file) === 'visiting') {
      throw new Error(`import cycle: ${[...chain, file].map((f) => relative(root, f)).join(' -> ')}`);
    }
    state.set(file, 'visiting');
    const mod = parse(file, root);
    for (const imp of mod.imports) visit(imp.file, [...chain, file]);
    state.set(file, 'done');
    order.push(mod);
  };
  visit(resolve(entry), []);
  return order;
}

// One script: a scope per module, named after its file.
export function joinModules(entry) {
  const modules = resolveModules(entry);
  const ids = new Map(modules.map((m, i) => [m.file, `module_${i}_${basename(m.file, '.js').replace(/\W/g, '_')}`]));
  const byFile = new Map(modules.map((m) => [m.file, m]));
  return modules.map((m) => {
    let head = '';
    for (const imp of m.imports) {
      const from = byFile.get(imp.file);
      for (const n of imp.names) {
        if (!from.exports.some((e) => e.outer === n.inner)) {
          throw new Error(`${m.where}: ${from.where} exports no ${n.inner}`);
        }
        head += `var ${n.outer} = ${ids.get(imp.file)}.${n.inner};\n`;
      }
    }
    const out = m.exports.map((e) => `${e.outer}: ${e.inner}`).join(', ');
    return `// ---- ${m.where}\nvar ${ids.get(m.file)} = (function () {\n"use strict";\n${head}${m.text}` +
           `${m.text.endsWith('\n') ? '' : '\n'}return { ${out} };\n})();\n`;
  }).join('\n');
}
