#!/bin/sh
# Builds the source package and the Debian packages tavrin, tavrin-scores and
# tavrin-web into build-deb/, from a copy of the files git tracks in this tree
# (with their changes, without anything built or left lying here), so that
# the packages are what a clean clone gives. Stops before building when a
# version disagrees with the project version or a build dependency is missing.
# Environment: JOBS (parallel compilations).
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
out=$top/build-deb
jobs=${JOBS:-$(nproc)}

sh packaging/check-version.sh
dpkg-checkbuilddeps

version=$(dpkg-parsechangelog -S Version)
rm -rf "$out"
mkdir -p "$out"
src=$out/tavrin-$version
mkdir "$src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # Files deleted here but still tracked are skipped.
    git ls-files -z | tar -c --null -T - --ignore-failed-read -f - 2>/dev/null | tar -x -C "$src"
else
    tar -c --exclude='./build' --exclude='./build-*' --exclude='./obj-*' . | tar -x -C "$src"
fi

# A shared compiler cache, when there is one, also serves the package build
# (debhelper gives the build a home of its own, so name the cache's folder).
if command -v ccache >/dev/null 2>&1 && [ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
    CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
    export CCACHE_DIR
fi

# dpkg-buildpackage writes its results beside the copy, in build-deb/.
(cd "$src" && DEB_BUILD_OPTIONS="nocheck noautodbgsym parallel=$jobs ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -us -uc)
rm -rf "$src"
ls -l "$out"
