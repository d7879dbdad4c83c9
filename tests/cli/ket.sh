#!/bin/sh
# tavrin-cli ket pack / ket unpack, driven as a theme maker would.
# Usage: sh ket.sh PATH_TO_TAVRIN_CLI
set -eu
cli=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

fail() { echo "FAIL: $*" >&2; exit 1; }
size() { wc -c < "$1" | tr -d ' '; }

# Four small stand-in pictures (the file format does not look inside them).
printf 'BM sheet \000\001\002\377' > "$tmp/sheet.bmp"
printf 'BM normal background' > "$tmp/normal.bmp"
printf 'BM\000goal' > "$tmp/goal.bmp"
printf 'BMitems' > "$tmp/items.bmp"

goal='水と緑をつなぐ'
"$cli" ket pack --goal "$goal" "$tmp/sheet.bmp" "$tmp/normal.bmp" "$tmp/goal.bmp" "$tmp/items.bmp" "$tmp/t.ket" \
    || fail "pack"
[ "$(head -c 3 "$tmp/t.ket")" = "KET" ] || fail "magic"
pictures=$(( $(size "$tmp/sheet.bmp") + $(size "$tmp/normal.bmp") + $(size "$tmp/goal.bmp") + $(size "$tmp/items.bmp") ))
# header, 7 characters of UTF-16, the pictures, the closing zero byte
[ "$(size "$tmp/t.ket")" -eq $((23 + 14 + pictures + 1)) ] || fail "file size $(size "$tmp/t.ket")"
[ "$(tail -c 1 "$tmp/t.ket" | od -An -tu1 | tr -d ' ')" = 0 ] || fail "closing byte"
# The goal is scrambled, not stored as plain UTF-16 or UTF-8.
if grep -F "$goal" "$tmp/t.ket" > /dev/null; then fail "goal stored in plain text"; fi

"$cli" ket unpack "$tmp/t.ket" "$tmp/out" || fail "unpack"
[ "$(cat "$tmp/out/goal.txt")" = "$goal" ] || fail "goal text: $(cat "$tmp/out/goal.txt")"
cmp -s "$tmp/sheet.bmp" "$tmp/out/1.bmp" || fail "sheet"
cmp -s "$tmp/normal.bmp" "$tmp/out/2.bmp" || fail "normal background"
cmp -s "$tmp/goal.bmp" "$tmp/out/3.bmp" || fail "goal background"
# The item picture carries the file's closing byte along.
[ "$(size "$tmp/out/4.bmp")" -eq $(( $(size "$tmp/items.bmp") + 1 )) ] || fail "items size"
head -c "$(size "$tmp/items.bmp")" "$tmp/out/4.bmp" | cmp -s - "$tmp/items.bmp" || fail "items"

# Refused files print the game's message and fail.
msg='エコ・テーマの読み込みに失敗しました。'
refused() {
    if "$cli" ket unpack "$1" "$tmp/refused" > /dev/null 2> "$tmp/err"; then fail "$2 accepted"; fi
    grep -F "$msg" "$tmp/err" > /dev/null || fail "$2: $(cat "$tmp/err")"
    [ ! -e "$tmp/refused" ] || fail "$2 wrote output"
}
{ printf 'ket'; tail -c +4 "$tmp/t.ket"; } > "$tmp/lower.ket"
refused "$tmp/lower.ket" "lower-case magic"
head -c 30 "$tmp/t.ket" > "$tmp/short.ket"
refused "$tmp/short.ket" "truncated file"
{ printf 'KET'; i=0; while [ $i -lt 5 ]; do printf '\030\000\000\000'; i=$((i + 1)); done; } | head -c 23 > "$tmp/tiny.ket"
refused "$tmp/tiny.ket" "23-byte file"
# Positions 24, 30, 28, 40, 45 decrease.
{ printf 'KET\030\000\000\000\036\000\000\000\034\000\000\000\050\000\000\000\055\000\000\000'; printf '%030d' 0; } > "$tmp/decreasing.ket"
refused "$tmp/decreasing.ket" "decreasing positions"
# A position with its top bit set.
{ printf 'KET\030\000\000\000\030\000\000\000\036\000\000\000\050\000\000\000\055\000\000\200'; printf '%030d' 0; } > "$tmp/topbit.ket"
refused "$tmp/topbit.ket" "top bit"

# Positions 24, 24, 30, 40, 45 are fine and give an empty goal.
{ printf 'KET\030\000\000\000\030\000\000\000\036\000\000\000\050\000\000\000\055\000\000\000'; printf '%030d' 0; } > "$tmp/empty-goal.ket"
"$cli" ket unpack "$tmp/empty-goal.ket" "$tmp/eg" || fail "empty goal refused"
[ "$(size "$tmp/eg/goal.txt")" -eq 0 ] || fail "empty goal text"
[ "$(size "$tmp/eg/1.bmp")" -eq 6 ] || fail "section 1 of empty-goal file"

if "$cli" ket unpack "$tmp/missing.ket" "$tmp/m" 2> /dev/null; then fail "missing file accepted"; fi
if "$cli" ket pack --goal x "$tmp/sheet.bmp" "$tmp/none.bmp" "$tmp/goal.bmp" "$tmp/items.bmp" "$tmp/u.ket" 2> /dev/null; then
    fail "pack with a missing picture"
fi
[ ! -e "$tmp/u.ket" ] || fail "failed pack wrote a file"

echo "ket: all passed"
