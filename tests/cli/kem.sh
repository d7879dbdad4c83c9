#!/bin/sh
# tavrin-cli kem dump / kem make, driven as a puzzle author would.
# Usage: sh kem.sh PATH_TO_TAVRIN_CLI
set -eu
cli=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

fail() { echo "FAIL: $*" >&2; exit 1; }

# 64 cell values: a few roads, the rest empty.
cells() {
    printf '%s' "$1"
    i=0
    while [ $i -lt 60 ]; do printf ', -1'; i=$((i + 1)); done
}

cat > "$tmp/in.json" <<JSON
{"puzzles": [
  {"mode": 0, "comment": "全部つなげてください", "cells": [$(cells "0, 0, 4, 10")]},
  {"mode": 1, "comment": "loop", "cells": [$(cells "4, 5, 3, 2")]},
  {"mode": 0, "comment": "", "cells": [$(cells "-1, 1, 1, 1")]}
]}
JSON

"$cli" kem make "$tmp/in.json" "$tmp/a.kem" || fail "make refused a valid collection"
size=$(wc -c < "$tmp/a.kem" | tr -d ' ')
[ "$size" -eq $((3 + 115 * 3)) ] || fail "3 puzzles gave $size bytes"
[ "$(head -c 3 "$tmp/a.kem")" = "KEM" ] || fail "magic"

"$cli" kem dump "$tmp/a.kem" > "$tmp/dump.json" || fail "dump of a fresh file"
grep -F '"mode": 1, "comment": "loop", "cells": [4, 5, 3, 2, -1' "$tmp/dump.json" > /dev/null || fail "second puzzle: $(cat "$tmp/dump.json")"
grep -F '"comment": "全部つなげてください"' "$tmp/dump.json" > /dev/null || fail "Japanese comment"
grep -F '"comment": ""' "$tmp/dump.json" > /dev/null || fail "blank comment"

# dump's output is make's input: the same bytes come back.
"$cli" kem make "$tmp/dump.json" "$tmp/b.kem" || fail "make from dump output"
cmp -s "$tmp/a.kem" "$tmp/b.kem" || fail "dump -> make changed the file"

# Overwriting a longer file leaves only the new bytes.
{ head -n 2 "$tmp/in.json" | sed 's/\]},$/]}/'; echo ']}'; } > "$tmp/one.json"
"$cli" kem make "$tmp/one.json" "$tmp/b.kem" || fail "make one puzzle"
[ "$(wc -c < "$tmp/b.kem" | tr -d ' ')" -eq 118 ] || fail "overwrite left extra bytes"

# A cell of the third record changed: the first two puzzles load, silently.
offset=$((3 + 115 * 2 + 50 + 7))
old=$(od -An -tu1 -j $offset -N1 "$tmp/a.kem" | tr -d ' ')
new=$((old ^ 1))
cp "$tmp/a.kem" "$tmp/damaged.kem"
printf "\\$(printf %03o $new)" | dd of="$tmp/damaged.kem" bs=1 seek=$offset conv=notrunc 2>/dev/null
"$cli" kem dump "$tmp/damaged.kem" > "$tmp/damaged.json" 2> "$tmp/err" || fail "damaged third record refused"
[ "$(grep -c '"mode"' "$tmp/damaged.json")" -eq 2 ] || fail "damaged third record: $(cat "$tmp/damaged.json")"
[ ! -s "$tmp/err" ] || fail "damaged third record printed: $(cat "$tmp/err")"

# The game's own refusals.
msg='Tavrinの問題ファイルのファイル形式ではありません。'
{ printf 'kem'; tail -c +4 "$tmp/a.kem"; } > "$tmp/lower.kem"
if "$cli" kem dump "$tmp/lower.kem" > /dev/null 2> "$tmp/err"; then fail "lower-case magic accepted"; fi
grep -F "$msg" "$tmp/err" > /dev/null || fail "lower-case magic message: $(cat "$tmp/err")"

cp "$tmp/a.kem" "$tmp/first.kem"
printf '\377' | dd of="$tmp/first.kem" bs=1 seek=60 conv=notrunc 2>/dev/null
if "$cli" kem dump "$tmp/first.kem" > /dev/null 2> "$tmp/err"; then fail "damaged first record accepted"; fi
grep -F "$msg" "$tmp/err" > /dev/null || fail "damaged first record message"

if "$cli" kem dump "$tmp/missing.kem" > /dev/null 2>&1; then fail "missing file accepted"; fi

# A puzzle without a game mode is not saved.
sed 's/"mode": 1/"mode": -1/' "$tmp/in.json" > "$tmp/nomode.json"
if "$cli" kem make "$tmp/nomode.json" "$tmp/c.kem" 2> "$tmp/err"; then fail "mode -1 saved"; fi
grep -F '保存する前に全ての問題のゲームモードをつける必要があります。' "$tmp/err" > /dev/null || fail "mode -1 message"
[ ! -e "$tmp/c.kem" ] || fail "mode -1 wrote a file"

# Broken input is refused without writing.
echo '{"puzzles": [{"mode": 0, "cells": [1, 2]}]}' > "$tmp/short.json"
if "$cli" kem make "$tmp/short.json" "$tmp/d.kem" 2> /dev/null; then fail "63 missing cells accepted"; fi
echo '{"puzzles": [' > "$tmp/broken.json"
if "$cli" kem make "$tmp/broken.json" "$tmp/d.kem" 2> /dev/null; then fail "broken JSON accepted"; fi
[ ! -e "$tmp/d.kem" ] || fail "refused input wrote a file"

echo "kem: all passed"
