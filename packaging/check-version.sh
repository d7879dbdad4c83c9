#!/bin/sh
# Checks that everything naming the version names the project version of
# CMakeLists.txt: debian/changelog (the packages' version), the AppStream
# release and the manual pages; with --built DIR also the --version of the
# programs built in DIR. Prints what differs and fails then.
# Usage: sh packaging/check-version.sh [--built BUILD_DIR]
set -u
cd "$(dirname "$0")/.."

failures=0
differs() {
    echo "version mismatch: $1 says '$2', CMakeLists.txt says '$version'" >&2
    failures=$((failures + 1))
}

version=$(sed -n 's/^project(Tavrin VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
    echo "no project version in CMakeLists.txt" >&2
    exit 1
fi

# A Debian revision (-1) may follow the upstream version.
changelog=$(dpkg-parsechangelog -l debian/changelog -S Version)
[ "${changelog%%-*}" = "$version" ] || differs debian/changelog "$changelog"

release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' packaging/tavrin.metainfo.xml | head -n 1)
[ "$release" = "$version" ] || differs "the newest release of packaging/tavrin.metainfo.xml" "$release"

for page in packaging/tavrin.6 packaging/tavrin-cli.6 packaging/tavrin-scores.8; do
    named=$(sed -n 's/^\.TH .* "Tavrin \([^"]*\)".*/\1/p' "$page")
    [ "$named" = "$version" ] || differs "$page" "$named"
done

if [ "${1:-}" = "--built" ]; then
    built=$2
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$built/tavrin" --version 2>&1)
    [ "$out" = "Tavrin for Windows $version" ] || differs "tavrin --version" "$out"
    out=$("$built/tavrin-cli" --version 2>&1)
    [ "$out" = "tavrin-cli $version" ] || differs "tavrin-cli --version" "$out"
    out=$("$built/tavrin-scores" --version 2>&1)
    [ "$out" = "tavrin-scores $version" ] || differs "tavrin-scores --version" "$out"
fi

[ $failures -eq 0 ] || exit 1
echo "version $version everywhere"
