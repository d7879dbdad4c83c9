#!/bin/sh
# Builds the browser page into build-wasm/site (or TAVRIN_WEB_BUILD_DIR/site)
# with Debian's emscripten. DATA_DIR is the program folder of a native build
# (its pictures, sounds, help and puzzle collection go into the site); build
# it first. Further arguments name the targets, tavrin_site by default;
# tavrin_site_test also makes the test build of the page in site-test.
# Usage: build-web.sh [DATA_DIR [TARGET...]]   Environment: JOBS, TAVRIN_WEB_BUILD_DIR
set -eu
data=$(cd "${1:-build}" && pwd)
[ $# -gt 0 ] && shift
targets=${*:-tavrin_site}
cd "$(dirname "$0")/.."
out=${TAVRIN_WEB_BUILD_DIR:-build-wasm}
# Debian's emscripten finds its acorn module here when node is not Debian's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# Flags meant for the native compiler (a package build exports them) are not
# emscripten's.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS
cmake --preset wasm -B "$out" -DTAVRIN_DATA_DIR="$data" >/dev/null
# shellcheck disable=SC2086
cmake --build "$out" -j "${JOBS:-$(nproc)}" --target $targets
echo "The page is in $(cd "$out" && pwd)/site"
