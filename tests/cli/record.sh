#!/bin/sh
# tavrin-cli record: real finished games verified with their scores, changed
# ones refused, the daily game's layout and supply the same every time.
set -u
cli=$1
games=${TAVRIN_TEST_DATA:?}/records/finished.txt
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

grep -v '^#' "$games" >"$tmp/games"
while read -r score kinds seed text; do
    echo "$text" >"$tmp/game.txt"
    out=$("$cli" record verify --score "$score" "$tmp/game.txt") || fail "seed $seed: $out"
    echo "$out" | grep -q "\"verdict\": \"finished\".*\"kinds\": $kinds, .*\"score\": $score}" || fail "seed $seed: $out"
    # The bytes themselves are read as well as their text.
    python3 -c 'import sys; sys.stdout.buffer.write(bytes.fromhex(sys.argv[1]))' "$text" >"$tmp/game.bin"
    "$cli" record verify "$tmp/game.bin" >/dev/null || fail "seed $seed as bytes"
done <"$tmp/games"

text=$(grep -v '^#' "$games" | head -n 1 | cut -d ' ' -f 4)
printf '%s\n' "$text" >"$tmp/first.txt"
out=$("$cli" record verify --score 1 "$tmp/first.txt") && fail "another score accepted"
echo "$out" | grep -q '"verdict": "score-differs".*"score": 4286' || fail "claimed score: $out"
# One move changed: the last piece thrown away instead of laid. As it is,
# the checksum no longer fits; sealed again, the game does not end.
changed=$(printf '%s' "$text" | sed 's/..\(........\)$/40\1/')
printf '%s\n' "$changed" >"$tmp/changed.txt"
out=$("$cli" record verify "$tmp/changed.txt") && fail "a changed record accepted"
echo "$out" | grep -q '"verdict": "malformed", "reason": "the record is damaged' || fail "changed without checksum: $out"
python3 -c 'import sys, zlib; b = bytes.fromhex(sys.argv[1])[:-4]; print((b + zlib.crc32(b).to_bytes(4, "little")).hex())' \
    "$changed" >"$tmp/sealed.txt"
out=$("$cli" record verify "$tmp/sealed.txt") && fail "a changed record accepted"
echo "$out" | grep -q '"verdict": "goal-not-reached"' || fail "changed and sealed: $out"
echo "nonsense" | "$cli" record verify - >/dev/null; [ $? -eq 1 ] || fail "nonsense is not refused with status 1"
"$cli" record verify "$tmp/missing" 2>/dev/null; [ $? -eq 1 ] || fail "a missing file"

day=$("$cli" record supply --daily 2026-12-09 --count 12) || fail "daily supply"
[ "$day" = '{"seed": "6475630736873604910", "kinds": 3, "daily": "2026-12-09", "items": [[36, 2], [56, 1], [63, 0]], "supply": [3, 6, 10, 4, 6, 9, 5, 10, 0, 6, 0, 7]}' ] ||
    fail "daily game of 2026-12-09: $day"
[ "$("$cli" record supply --seed 6475630736873604910 --count 12)" = "$(echo "$day" | sed 's/"daily": "2026-12-09"/"daily": null/')" ] ||
    fail "the daily game is the free game of its seed"
for bad in "" "--seed" "--seed 1 --daily 2026-12-09" "--daily 2026-02-30" "--seed 1 --kinds 6" "--seed 1 --count 0" "--seed x"; do
    # shellcheck disable=SC2086
    "$cli" record supply $bad >/dev/null 2>&1; [ $? -eq 2 ] || fail "record supply $bad: not refused with status 2"
done
"$cli" record >/dev/null 2>&1; [ $? -eq 2 ] || fail "record without a subcommand"
exit $status
