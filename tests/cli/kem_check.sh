#!/bin/sh
# tavrin-cli kem check: playable and unplayable puzzles, refused files.
set -u
cli=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# 64 cells: the given ones at the front, padded with empty cells.
cells() {
    printf '%s' "$1"
    n=$(echo "$1" | tr ',' '\n' | wc -l)
    while [ "$n" -lt 64 ]; do printf ', -1'; n=$((n + 1)); done
}

# A full-connection puzzle in two groups, and a big-loop puzzle whose ring
# misses one curve (cells 0, 1 and 8 of a 2 x 2 ring).
cat > "$tmp/good.json" <<JSON
{"puzzles": [
  {"mode": 0, "comment": "つなげて", "cells": [$(cells "0, -1, 0")]},
  {"mode": 1, "comment": "わを", "cells": [$(cells "4, 5, -1, -1, -1, -1, -1, -1, 3")]}
]}
JSON
"$cli" kem make "$tmp/good.json" "$tmp/good.kem" || fail "make good"
out=$("$cli" kem check "$tmp/good.kem"); st=$?
[ $st -eq 0 ] || fail "playable file: status $st"
# Both straights point into the gap, which 4 of the 11 shapes fill: seen at
# once, whatever the wait for one of them. The ring's one clean fit is the
# first try.
echo "$out" | grep -q '^puzzle 1/2: mode 0 (full connection), 2 groups, loop points 0, roads in two or more groups, 4 of 11 shapes clear at once, expected misses 0.00, laid ahead 0.00, grade 1$' || fail "line 1: $out"
echo "$out" | grep -q '^puzzle 2/2: mode 1 (big loop), 1 group, loop points 0, 4 clearing placements, expected misses 0.00, grade 1$' || fail "line 2: $out"
echo "$out" | grep -q '^all 2 puzzles are playable$' || fail "summary: $out"

# A lone piece can never close a loop; one group cannot be joined further.
cat > "$tmp/bad.json" <<JSON
{"puzzles": [
  {"mode": 1, "comment": "", "cells": [$(cells "-1, 4")]},
  {"mode": 0, "comment": "", "cells": [$(cells "0, 0")]}
]}
JSON
"$cli" kem make "$tmp/bad.json" "$tmp/bad.kem" || fail "make bad"
out=$("$cli" kem check "$tmp/bad.kem"); st=$?
[ $st -eq 1 ] || fail "unplayable file: status $st"
echo "$out" | grep -q '^puzzle 1/2: mode 1 (big loop), 1 group, loop points 0, 0 clearing placements$' || fail "bad line 1: $out"
echo "$out" | grep -q '^FAIL puzzle 1: ' || fail "no failure line for puzzle 1: $out"
echo "$out" | grep -q '^FAIL puzzle 2: ' || fail "no failure line for puzzle 2: $out"

printf 'KEX' > "$tmp/junk.kem"
head -c 400 /dev/zero >> "$tmp/junk.kem"
err=$("$cli" kem check "$tmp/junk.kem" 2>&1 >/dev/null); st=$?
[ $st -eq 1 ] || fail "refused file: status $st"
echo "$err" | grep -q 'Tavrinの問題ファイルのファイル形式ではありません。' || fail "refused file message: $err"

exit $status
