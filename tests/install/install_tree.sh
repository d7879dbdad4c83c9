#!/bin/sh
# Installs the build tree into a temporary prefix, checks what lands where,
# and starts the installed program to see that it finds its data there.
# Usage: sh install_tree.sh CMAKE BUILD_DIR VERSION
set -u

cmake_bin=$1
build=$2
version=$3

prefix=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-install.XXXXXX")
first=""
trap '[ -n "$first" ] && kill "$first" 2>/dev/null; rm -rf "$prefix"' EXIT INT TERM
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expect_file() {
    [ -f "$prefix/$1" ] || fail "missing $1"
}

expect_line() {
    grep -qx -- "$2" "$prefix/$1" || fail "$1 has no line '$2'"
}

if ! "$cmake_bin" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install"
    exit 1
fi
rm -f "$prefix.log"

# Programs.
for program in bin/tavrin bin/tavrin-cli; do
    [ -x "$prefix/$program" ] || fail "$program is missing or not executable"
done

# Data beside each other under share/tavrin.
data=share/tavrin
for name in hyperroad.bmp background_normal.bmp background_goal.bmp items.bmp \
            B.wav trush.wav jan.wav ecomode.mid mondai.mid \
            help/index.html help/pictures.html help/keys.html \
            help/pieces.png help/items.png help/sheet.png help/item_strip.png \
            translations/tavrin_en.qm \
            mondai/入門.kem mondai/中級.kem mondai/上級.kem; do
    expect_file "$data/$name"
done
for page in "$build"/help/*.html; do
    expect_file "$data/help/$(basename "$page")"
done
for page in "$build"/help/en/*.html; do
    expect_file "$data/help/en/$(basename "$page")"
done
[ ! -e "$prefix/bin/hyperroad.bmp" ] || fail "data files installed beside the program"

# Desktop entry, file types and icons.
desktop=share/applications/tavrin.desktop
expect_file "$desktop"
expect_line "$desktop" "Exec=tavrin %f"
expect_line "$desktop" "Icon=tavrin"
expect_line "$desktop" "Categories=Game;LogicGame;"
expect_line "$desktop" "MimeType=application/x-tavrin-puzzle;application/x-tavrin-theme;"
grep -q '^Name\[ja\]=' "$prefix/$desktop" || fail "no Japanese name"
grep -q '^Comment\[ja\]=' "$prefix/$desktop" || fail "no Japanese comment"
grep -q '^Comment=' "$prefix/$desktop" || fail "no English comment"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$prefix/$desktop" || fail "desktop-file-validate"
else
    echo "note: desktop-file-validate not found, entry not validated"
fi

mime=share/mime/packages/tavrin.xml
expect_file "$mime"
grep -q 'type="application/x-tavrin-puzzle"' "$prefix/$mime" || fail "no puzzle file type"
grep -q 'type="application/x-tavrin-theme"' "$prefix/$mime" || fail "no theme file type"
grep -q '<match type="string" offset="0" value="KEM"/>' "$prefix/$mime" || fail "no KEM magic"
grep -q '<match type="string" offset="0" value="KET"/>' "$prefix/$mime" || fail "no KET magic"
if command -v update-mime-database >/dev/null 2>&1; then
    # Builds the type database of the prefix, as a packager's trigger would.
    if update-mime-database "$prefix/share/mime" >/dev/null 2>&1; then
        grep -q 'application/x-tavrin-puzzle:\*\.kem' "$prefix/share/mime/globs2" || fail "*.kem not in globs2"
        grep -q 'application/x-tavrin-theme:\*\.ket' "$prefix/share/mime/globs2" || fail "*.ket not in globs2"
        [ -f "$prefix/share/mime/application/x-tavrin-puzzle.xml" ] || fail "puzzle type not compiled"
    else
        fail "update-mime-database rejected tavrin.xml"
    fi
fi

for size in 256x256 128x128 64x64 48x48; do
    icon=share/icons/hicolor/$size/apps/tavrin.png
    expect_file "$icon"
    # PNG signature and the size in the header.
    head -c 8 "$prefix/$icon" | od -An -tx1 | tr -d ' \n' | grep -q '^89504e470d0a1a0a$' || fail "$icon is no PNG"
    want=${size%x*}
    got=$(od -An -tu1 -j16 -N4 "$prefix/$icon" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    [ "$got" = "$want" ] || fail "$icon is $got pixels wide, not $want"
done

expect_file share/icons/hicolor/scalable/apps/tavrin.svg
grep -q '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256"' \
    "$prefix/share/icons/hicolor/scalable/apps/tavrin.svg" || fail "the scalable icon is no 256-unit SVG"
for page in share/man/man6/tavrin.6 share/man/man6/tavrin-cli.6; do
    expect_file "$page"
done
expect_file share/metainfo/org.example.tavrin.metainfo.xml

# The installed program: version without any display, then its data check.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tavrin" --version)
[ $? -eq 0 ] || fail "tavrin --version exit status"
[ "$out" = "Tavrin for Windows $version" ] || fail "tavrin --version printed '$out'"

# Every program names the same version.
out=$("$prefix/bin/tavrin-cli" --version)
[ "$out" = "tavrin-cli $version" ] || fail "tavrin-cli --version printed '$out'"
if [ -x "$prefix/bin/tavrin-scores" ]; then
    out=$("$prefix/bin/tavrin-scores" --version)
    [ "$out" = "tavrin-scores $version" ] || fail "tavrin-scores --version printed '$out'"
fi

out=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/tavrin" --check-data)
status=$?
[ $status -eq 0 ] || fail "tavrin --check-data exit status $status"
want=$(cd "$prefix/$data" && pwd -P)
got=$(cd "$out" 2>/dev/null && pwd -P)
[ "$got" = "$want" ] || fail "installed program uses data folder '$out', not '$want'"

# Two starts of the installed game: the second hands its puzzle file to the
# first and ends at once (were it refused, the second would sit in its
# message box until the time limit).
home="$prefix/home"
mkdir -p "$home/run"
chmod 700 "$home/run"
cells="0,-1,0,$(printf -- '-1,%.0s' $(seq 1 60))-1"
printf '{"puzzles": [{"mode": 0, "comment": "two", "cells": [%s]}]}' "$cells" >"$home/two.json"
"$prefix/bin/tavrin-cli" kem make "$home/two.json" "$home/two.kem" >/dev/null || fail "kem make"
# exec, so that a game started in the background is the process $! names.
game_env() {
    exec env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
        TAVRIN_NO_AUDIO=1 "$@"
}
game_env "$prefix/bin/tavrin" >"$home/first.log" 2>&1 &
first=$!
waited=0
while [ -z "$(ls "$home/run" 2>/dev/null | grep '^tavrin-.*\.sock$')" ] && [ $waited -lt 200 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
# The free game is kept in the user's data folder from its start.
saved="$home/data/Tavrin for Windows/Tavrin for Windows/free-game.sav"
while [ ! -s "$saved" ] && [ $waited -lt 200 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
if [ $waited -ge 200 ]; then
    fail "the first game opened no hand-over socket or kept no game"
else
    (cd "$home" && game_env timeout 30 "$prefix/bin/tavrin" two.kem >/dev/null 2>&1)
    status=$?
    [ $status -eq 0 ] || fail "second start with a puzzle file ended with status $status"
    kill -0 $first 2>/dev/null || fail "the first game ended"
fi
# SIGTERM ends the game as the close box does, keeping the free game.
kill $first 2>/dev/null
wait $first 2>/dev/null
status=$?
[ $status -eq 0 ] || fail "the game ended by SIGTERM with status $status"
[ -s "$saved" ] || fail "no kept game after SIGTERM"

# A damaged install is noticed: one file gone, the check fails and names it.
rm "$prefix/$data/help/index.html"
err=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/tavrin" --check-data 2>&1 >/dev/null)
[ $? -ne 0 ] || fail "--check-data passed with help/index.html missing"
echo "$err" | grep -q 'help/index.html' || fail "--check-data did not name the missing file: $err"

out=$("$prefix/bin/tavrin-cli" 2>&1)
[ -n "$out" ] || fail "installed tavrin-cli printed nothing"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install tree OK"
