#!/bin/sh
# Builds the Debian packages tavrin and tavrin-scores from this source tree
# into build-deb/. Stops before building when a version disagrees with the
# project version or a build dependency is missing.
# Environment: JOBS (parallel compilations), TAVRIN_WEB_SITE_DIR (a built
# browser site to ship under /play/).
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
out=$top/build-deb
jobs=${JOBS:-$(nproc)}

sh packaging/check-version.sh
dpkg-checkbuilddeps

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
# dpkg-buildpackage writes its results beside the source tree.
results="tavrin_${version}_${arch}.deb
tavrin-scores_${version}_${arch}.deb
tavrin_${version}_${arch}.buildinfo tavrin_${version}_${arch}.changes"
for f in $results; do rm -f "../$f"; done

# A shared compiler cache, when there is one, also serves the package build
# (debhelper gives the build a home of its own, so name the cache's folder).
if command -v ccache >/dev/null 2>&1 && [ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
    CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
    export CCACHE_DIR
fi

DEB_BUILD_OPTIONS="nocheck noautodbgsym parallel=$jobs ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -b -us -uc

rm -rf "$out"
mkdir -p "$out"
for f in $results; do
    if [ -e "../$f" ]; then mv "../$f" "$out/"; fi
done
ls -l "$out"
