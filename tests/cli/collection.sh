#!/bin/sh
# The puzzle collection built beside the program: every file passes kem check,
# holds the puzzles it should, in both modes and within its grades.
set -u
cli=$1
folder=$(dirname "$cli")/mondai
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# file, number of puzzles, lowest and highest grade
check() {
    out=$("$cli" kem check "$folder/$1") || fail "$1 does not pass kem check: $out"
    [ "$(echo "$out" | grep -c '^puzzle ')" -eq "$2" ] || fail "$1: not $2 puzzles"
    echo "$out" | grep -q 'mode 0 (full connection)' || fail "$1: no full-connection puzzle"
    echo "$out" | grep -q 'mode 1 (big loop)' || fail "$1: no big-loop puzzle"
    for g in $(echo "$out" | sed -n 's/.*grade \([0-9]\)$/\1/p'); do
        [ "$g" -ge "$3" ] && [ "$g" -le "$4" ] || fail "$1: grade $g outside $3-$4"
    done
}
check 入門.kem 10 1 2
check 中級.kem 15 2 4
check 上級.kem 15 4 5
exit $status
