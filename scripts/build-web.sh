#!/bin/sh
# Builds the browser page into build-wasm/site with Debian's emscripten.
# DATA_DIR is the program folder of a native build (its pictures, sounds,
# help and puzzle collection go into the site); build it first.
set -eu
data=$(cd "${1:-build}" && pwd)
cd "$(dirname "$0")/.."
# Debian's emscripten finds its acorn module here when node is not Debian's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
cmake --preset wasm -DTAVRIN_DATA_DIR="$data" >/dev/null
cmake --build --preset wasm -j "${JOBS:-$(nproc)}" --target tavrin_site
echo "The page is in $(pwd)/build-wasm/site"
