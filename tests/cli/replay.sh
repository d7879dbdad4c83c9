#!/bin/sh
# tavrin-cli replay: whole free games from JSON lines, one JSON line per move.
set -u
cli=$1
fail=0
check() { # name expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; fail=1
    fi
}

# A first move on a fixed layout: the labels show the change, the rest the
# state after the placement sequence.
out=$(printf '%s\n' '{"new": {"items": [[0, 0], [1, 1]]}}' '{"place": 0, "piece": 10}' | "$cli" replay)
case "$out" in
    '{"accepted": true, "labels": {"ecoPoints": "0", "movesLeft": "100-1", "loopPoints": "0", "chain": ""}, "status": "", "movesUsed": 1, "maxMovesUsed": 1, "scoreChain": 0, "discardCount": 0, "turnResult": 0, "ecoPoints": 0, "loopPoints": 0, "bonus": 1000, "total": 1000, "offeredPiece": '*', "messages": [], "freeGameActive": true, "moveBusy": false}') ;;
    *) echo "FAIL first move: $out"; fail=1 ;;
esac

# The same shape on itself is refused.
out=$(printf '%s\n' '{"new": {"items": [[0, 0], [1, 1]]}}' '{"place": 5, "piece": 3}' '{"place": 5, "piece": 3}' | "$cli" replay | tail -n 1)
case "$out" in
    '{"accepted": false, '*'"status": "同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。", "movesUsed": 1,'*) ;;
    *) echo "FAIL same shape: $out"; fail=1 ;;
esac

# A board of crosses laid in cell order reaches the goal.
moves=$( echo '{"new": {"items": [[0, 0], [1, 1]]}}'; i=0; while [ $i -lt 64 ]; do echo "{\"place\": $i, \"piece\": 10}"; i=$((i + 1)); done )
out=$(printf '%s\n' "$moves" | "$cli" replay --name Tester | tail -n 1)
case "$out" in
    *'"turnResult": -1, "ecoPoints": 4319, "loopPoints": 784, "bonus": 1000, "total": 6103,'*'"messages": ["目標は達成されました。\n\nエコ点：\t\t4319\nループ点：\t\t784\nボーナス点：\t1000\n総合得点：\t\t6103"], "freeGameActive": false, "moveBusy": true}') ;;
    *) echo "FAIL goal: $out"; fail=1 ;;
esac
check "goal lines" 64 "$(printf '%s\n' "$moves" | "$cli" replay | wc -l | tr -d ' ')"

# The hundredth move by a discard: the too-bad box, then the game is over (hint, no new piece).
moves=$( echo '{"new": {"items": [[0, 0], [36, 1]]}}'; i=0; while [ $i -lt 99 ]; do echo '{"place": 27}'; i=$((i + 1)); done; echo '{"discard": true}' )
out=$(printf '%s\n' "$moves" | "$cli" replay | tail -n 1)
case "$out" in
    '{"accepted": true, "labels": {"ecoPoints": "0", "movesLeft": "1-1",'*'"movesUsed": 100,'*'"messages": ["残念！100手以内で全てのハイパーロードをつなげることができませんでした。\n今回の得点は残念ですが、ハイスコアの対象になりません。"], "freeGameActive": false, "moveBusy": true}') ;;
    *) echo "FAIL last discard: $out"; fail=1 ;;
esac

# ... and by a placement: the time-up box and the hint.
moves=$( echo '{"new": {"items": [[0, 0], [36, 1]]}}'; i=0; while [ $i -lt 100 ]; do echo '{"place": 27}'; i=$((i + 1)); done )
out=$(printf '%s\n' "$moves" | "$cli" replay | tail -n 1)
case "$out" in
    *'"status": "新規ゲームで遊ぶにはF2キーを押してください。", "movesUsed": 100,'*'"turnResult": -2,'*'"messages": ["100手以内で目標を達成することができませんでした。\n今回の得点はハイスコアの対象になりません。"], "freeGameActive": false, "moveBusy": true}') ;;
    *) echo "FAIL last placement: $out"; fail=1 ;;
esac

# The seed decides the dealt pieces; the same seed gives the same game.
moves=$( echo '{"new": {"items": [[0, 0], [36, 1]]}}'; i=0; while [ $i -lt 12 ]; do echo "{\"place\": $i}"; i=$((i + 1)); done )
a=$(printf '%s\n' "$moves" | "$cli" replay --seed 7)
b=$(printf '%s\n' "$moves" | "$cli" replay --seed 7)
c=$(printf '%s\n' "$moves" | "$cli" replay --seed 8)
d=$(printf '%s\n' "$moves" | "$cli" replay)
e=$(printf '%s\n' "$moves" | "$cli" replay --seed 1)
check "same seed" "$a" "$b"
check "default seed 1" "$d" "$e"
if [ "$a" = "$c" ]; then echo "FAIL seeds 7 and 8 played alike"; fail=1; fi

# Moves without "new" play on a random layout.
out=$(echo '{"discard": true}' | "$cli" replay)
case "$out" in
    '{"accepted": true, "labels": {"ecoPoints": "0", "movesLeft": "100-1",'*'"discardCount": 1,'*) ;;
    *) echo "FAIL without new: $out"; fail=1 ;;
esac

# Malformed input: status 1 and a message naming the line.
for bad in '{"place": 64}' '{"place": 3, "piece": 11}' '{"place": "a"}' 'not json' '[1, 2]' \
           '{"new": {"items": [[0, 0]]}}' '{"new": {"items": [[0, 0], [0, 1]]}}' '{"new": {"items": [[0, 0], [9, 2]]}}' \
           '{"discard": false}' '{"place": 1, "discard": true}'; do
    err=$(printf '%s\n' '' "$bad" | "$cli" replay 2>&1 >/dev/null); st=$?
    check "status for $bad" 1 "$st"
    case "$err" in
        'tavrin-cli replay: line 2: '*) ;;
        *) echo "FAIL message for $bad: $err"; fail=1 ;;
    esac
done
"$cli" replay --seed x </dev/null 2>/dev/null; check "bad seed" 2 $?
"$cli" replay --bogus </dev/null 2>/dev/null; check "unknown argument" 2 $?

exit $fail
