#!/bin/sh
# Builds the browser page into build-wasm/site with Debian's emscripten.
# DATA_DIR is the program folder of a native build (its pictures, sounds,
# help and puzzle collection go into the site); build it first. Further
# arguments name the targets, tavrin_site by default; tavrin_site_test also
# makes the test build of the page in build-wasm/site-test.
set -eu
data=$(cd "${1:-build}" && pwd)
[ $# -gt 0 ] && shift
targets=${*:-tavrin_site}
cd "$(dirname "$0")/.."
# Debian's emscripten finds its acorn module here when node is not Debian's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
cmake --preset wasm -DTAVRIN_DATA_DIR="$data" >/dev/null
# shellcheck disable=SC2086
cmake --build --preset wasm -j "${JOBS:-$(nproc)}" --target $targets
echo "The page is in $(pwd)/build-wasm/site"
