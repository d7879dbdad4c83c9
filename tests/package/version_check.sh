#!/bin/sh
# The version check make deb runs first: passes on this tree and its built
# programs, fails on a copy whose changelog names another version.
# Usage: sh version_check.sh SOURCE_DIR BUILD_DIR
set -u
src=$1
build=$2
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

sh "$src/packaging/check-version.sh" --built "$build" || fail "the versions of this tree disagree"

copy=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-version.XXXXXX")
trap 'rm -rf "$copy"' EXIT INT TERM
mkdir -p "$copy/packaging" "$copy/debian"
cp "$src/CMakeLists.txt" "$copy/"
cp "$src/packaging/check-version.sh" "$src/packaging/tavrin.metainfo.xml" "$src/packaging/tavrin.6" \
   "$src/packaging/tavrin-cli.6" "$src/packaging/tavrin-scores.8" "$copy/packaging/"
sed '1s/(\([^)]*\))/(9.8.7)/' "$src/debian/changelog" >"$copy/debian/changelog"
if err=$(sh "$copy/packaging/check-version.sh" 2>&1); then
    fail "a changelog naming 9.8.7 passed the check"
fi
echo "$err" | grep -q "debian/changelog says '9.8.7'" || fail "the check did not name the changelog: $err"

# A new project version that only the changelog follows: the man pages and
# the AppStream release are named.
sed 's/^project(Tavrin VERSION [0-9.]*/project(Tavrin VERSION 9.8.7/' "$src/CMakeLists.txt" >"$copy/CMakeLists.txt"
if err=$(sh "$copy/packaging/check-version.sh" 2>&1); then
    fail "a project version no manual page names passed the check"
fi
echo "$err" | grep -q "packaging/tavrin-scores.8 says" || fail "the check did not name the manual page: $err"
echo "$err" | grep -q "tavrin.metainfo.xml says" || fail "the check did not name the AppStream release: $err"
echo "$err" | grep -q "debian/changelog" && fail "the changelog that follows was named: $err"

[ $failures -eq 0 ] || exit 1
echo "version check OK"
