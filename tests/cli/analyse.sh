#!/bin/sh
# tavrin-cli analyse: answers as documented and refuses malformed boards.
set -u
cli=$1
fail=0
check() { # name expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; fail=1
    fi
}

ring='4 5 . . . . . .
3 2 . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .'
out=$(printf '%s\n' "$ring" | "$cli" analyse --items 0,9 --moves-used 2)
green='98, 98, -1, -1, -1, -1, -1, -1, 98, 98'
case "$out" in
    '{"groups": [[0, 1, 8, 9]], "loops": [[8, 9, 1, 0]], "loopPoints": 16, "full": false, "green": ['"$green"', -1, '*'], "result": 0}') ;;
    *) echo "FAIL ring: $out"; fail=1 ;;
esac

crosses=$(for i in 1 2 3 4 5 6 7 8; do echo "10 10 10 10 10 10 10 10"; done)
out=$(printf '%s\n' "$crosses" | "$cli" analyse --items 0,63)
case "$out" in
    *'"loopPoints": 784, "full": true,'*'"result": -1}') ;;
    *) echo "FAIL crosses: $out"; fail=1 ;;
esac
out=$(printf '%s\n' "$crosses" | "$cli" analyse)
case "$out" in
    *'"result": -3}') ;;
    *) echo "FAIL crosses without items: $out"; fail=1 ;;
esac

# Malformed boards: status 2 and a message naming line and token.
err=$(printf '%s\n' "$ring" | sed '3s/^\. /x /' | "$cli" analyse 2>&1 >/dev/null); st=$?
check "bad token status" 2 "$st"
case "$err" in *"line 3, token 1"*) ;; *) echo "FAIL bad token message: $err"; fail=1 ;; esac

err=$(printf '%s\n' "$ring" | sed '5s/$/ 1/' | "$cli" analyse 2>&1 >/dev/null); st=$?
check "long line status" 2 "$st"
case "$err" in *"line 5, token 9"*) ;; *) echo "FAIL long line message: $err"; fail=1 ;; esac

err=$(printf '%s\n' "$ring" | sed '8s/ \.$//' | "$cli" analyse 2>&1 >/dev/null); st=$?
check "short line status" 2 "$st"
case "$err" in *"line 8, token 8"*) ;; *) echo "FAIL short line message: $err"; fail=1 ;; esac

err=$(printf '%s\n' "$ring" | head -n 7 | "$cli" analyse 2>&1 >/dev/null); st=$?
check "seven lines status" 2 "$st"

printf '%s\n' "$ring" | "$cli" analyse --items 0,99 >/dev/null 2>&1; st=$?
check "item off the board" 2 "$st"
printf '%s\n' "$ring" | "$cli" analyse --moves-used x >/dev/null 2>&1; st=$?
check "bad moves" 2 "$st"
head -c 5000 /dev/urandom | "$cli" analyse >/dev/null 2>&1; st=$?
check "random bytes" 2 "$st"

exit $fail
