#!/bin/sh
# tavrin-cli render: the PNG of a board state from known pictures, pinned by
# the checksum of its pixels; refuses what it cannot draw.
set -u
cli=$1
here=$(dirname "$0")
fail=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
check() { # name expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; fail=1
    fi
}

mkdir "$tmp/pictures"
python3 "$here/render_png.py" pictures "$tmp/pictures"
ring='4 5 . . . . . .
3 2 . . . . . .
. . . . . . . .
. . . . 7 . . .
. . . . . . . .
. . . . . . . 1
. . . . . . . .
. . . . . . . .'
printf '%s\n' "$ring" | "$cli" render --items 0,9,1 --moves-used 2 --offered 10 --data "$tmp/pictures" --out "$tmp/ring.png"
check "ring status" 0 $?
check "ring pixels" "296x256 5de27b3d4b77045f
checks ok ok ok ok" "$(python3 "$here/render_png.py" read "$tmp/ring.png")"

# The output file may also be given last, without --out.
printf '%s\n' "$ring" | "$cli" render --items 0,9,1 --moves-used 2 --offered 10 --data "$tmp/pictures" "$tmp/again.png"
check "positional output" "$(cat "$tmp/ring.png" | od -An -tx1 | md5sum)" "$(cat "$tmp/again.png" | od -An -tx1 | md5sum)"

# Refusals: status 2 for the command line and the board, 1 for the pictures.
printf '%s\n' "$ring" | "$cli" render --offered 11 --out "$tmp/x.png" 2>/dev/null
check "offered out of range" 2 $?
printf '%s\n' "$ring" | "$cli" render --offered 3 2>/dev/null
check "no output file" 2 $?
printf '%s\n' "$ring" | sed '2d' | "$cli" render --out "$tmp/x.png" 2>/dev/null
check "seven lines" 2 $?
err=$(printf '%s\n' "$ring" | "$cli" render --data "$tmp/nowhere" --out "$tmp/x.png" 2>&1); st=$?
check "missing pictures" 1 $st
case "$err" in *"does not hold the pictures"*) ;; *) echo "FAIL missing pictures message: $err"; fail=1 ;; esac
check "nothing written" no "$( [ -e "$tmp/x.png" ] && echo yes || echo no)"
exit $fail
