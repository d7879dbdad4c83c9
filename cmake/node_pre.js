// Node 18 and later have fetch(), which this emscripten then takes to load
// the .wasm beside the script by a path that fetch() cannot open: read the
// file from the disk instead, as older node did.
if (typeof process === 'object' && typeof require === 'function' && !Module['wasmBinary']) {
  Module['wasmBinary'] = require('fs').readFileSync(__filename.replace(/\.js$/, '.wasm'));
}
