#!/bin/sh
# tavrin-cli kem generate: checked, repeatable files; options refused clearly.
set -u
cli=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

"$cli" kem generate --count 4 --seed 12 --grades 1-3 "$tmp/a.kem" >/dev/null || fail "generate a"
"$cli" kem generate --grades 1-3 --seed 12 --count 4 "$tmp/b.kem" >/dev/null || fail "generate b"
cmp -s "$tmp/a.kem" "$tmp/b.kem" || fail "the same arguments gave different files"
[ "$(wc -c < "$tmp/a.kem")" -eq $((3 + 115 * 4)) ] || fail "size of a 4-puzzle file"
out=$("$cli" kem check "$tmp/a.kem") || fail "check of a generated file: $out"
echo "$out" | grep -q 'mode 0 (full connection)' || fail "no full-connection puzzle in a mixed file"
echo "$out" | grep -q 'mode 1 (big loop)' || fail "no big-loop puzzle in a mixed file"
grades=$(echo "$out" | sed -n 's/.*grade \([0-9]\)$/\1/p' | tr -d '\n')
[ "$grades" = "$(echo "$grades" | fold -w1 | sort | tr -d '\n')" ] || fail "grades do not rise: $grades"

# Big-loop puzzles of grade 3 and more have exactly one clearing placement.
"$cli" kem generate --count 2 --seed 4 --mode loop --grade 3 "$tmp/loop.kem" >/dev/null || fail "generate loop"
out=$("$cli" kem check "$tmp/loop.kem") || fail "check loop: $out"
echo "$out" | grep 'grade [345]$' | grep -v -q ', 1 clearing placement,' && fail "a hard big-loop puzzle with several solutions: $out"
[ "$(echo "$out" | grep -c "mode 1 (big loop)")" -eq 2 ] || fail "--mode loop: $out"

# The daily series is pinned: the same date gives these bytes on every machine.
"$cli" kem generate --daily 2024-01-01 "$tmp/day.kem" >/dev/null || fail "generate daily"
[ "$(sha256sum < "$tmp/day.kem" | cut -c1-16)" = "fb44079a2d74be1b" ] || fail "daily file changed: $(sha256sum < "$tmp/day.kem")"
[ "$("$cli" kem check "$tmp/day.kem" | grep -c '^puzzle ')" -eq 10 ] || fail "daily series length"

for args in "--count 0" "--count 65" "--grade 6" "--grades 4-2" "--mode both" "--seed -1" \
            "--daily 2023-02-29" "--daily 2024-01-01 --seed 3" "--bogus"; do
    # shellcheck disable=SC2086
    "$cli" kem generate $args "$tmp/x.kem" >/dev/null 2>&1
    [ $? -eq 2 ] || fail "$args: not refused with status 2"
done
[ -e "$tmp/x.kem" ] && fail "a refused command wrote a file"
"$cli" kem generate --count 1 "$tmp/no/such/dir/x.kem" >/dev/null 2>&1 && fail "write to a missing folder succeeded"

exit $status
