// The runtime file built from the modules: the same bytes each time, plain ASCII, and the
// module forms the joiner does not understand refused with the file named.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { buildRuntime } from '../../src/runtime/bundle.mjs';
import { joinModules } from '../../src/runtime/resolve-modules.mjs';

test('the runtime is byte-reproducible ASCII that runs each module once', () => {
  const text = buildRuntime();
  assert.equal(buildRuntime(), text);
  assert.doesNotMatch(text, /[^\x00-\x7f]/);
  assert.doesNotMatch(text, /^\s*(import|export)\b/m);
  const order = [...text.matchAll(/^\/\/ ---- ([\w.-]+)$/gm)].map((m) => m[1]);
  assert.equal(new Set(order).size, order.length);
  assert.equal(order.at(-1), 'main.js');
});

function modules(files) {
  const dir = mkdtempSync(join(tmpdir(), 'ta-modules-'));
  for (const [name, text] of Object.entries(files)) writeFileSync(join(dir, name), text);
  return join(dir, 'main.js');
}

test('imports bind to the exporting module, renamed where asked', () => {
  const entry = modules({
    'main.js': "import { twice as double, ONE } from './a.js';\nexport var result = double(ONE);\n",
    'a.js': "import { ONE } from './b.js';\nfunction twice(x) { return 2 * x; }\nexport { twice, ONE };\n",
    'b.js': 'export const ONE = 1;\n'
  });
  const script = joinModules(entry);
  const result = new Function(`${script}\nreturn module_2_main.result;`)();
  assert.equal(result, 2);
});

test('forms the joiner does not understand are refused, naming the file', () => {
  const cases = [
    [{ 'main.js': "import x from './a.js';\n", 'a.js': '' }, /main\.js: unsupported form: import x/],
    [{ 'main.js': 'export let n = 1;\n' }, /main\.js: export let n/],
    [{ 'main.js': 'export default 3;\n' }, /main\.js: unsupported form/],
    [{ 'main.js': "import { b } from './a.js';\n", 'a.js': "import { c } from './main.js';\nexport var b;\n" }, /import cycle: main\.js -> a\.js -> main\.js/],
    [{ 'main.js': "import { nothing } from './a.js';\n", 'a.js': 'export var b;\n' }, /main\.js: a\.js exports no nothing/]
  ];
  for (const [files, error] of cases) assert.throws(() => joinModules(modules(files)), error);
});
