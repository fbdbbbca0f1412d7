// Tile addresses from a service's template. {z} {x} {y} {s} {r} and {key} are filled in (the
// key encoded for an address); any other brace text is left as written, so an odd template
// still loads (or fails) tile by tile instead of stopping the page.

export function expandTileTemplate(template, values) {
  return String(template).replace(/\{(z|x|y|s|key|r)\}/g, function (all, name) {
    var value = values[name] === undefined || values[name] === null ? '' : String(values[name]);
    return name === 'key' ? encodeURIComponent(value) : value;
  });
}
