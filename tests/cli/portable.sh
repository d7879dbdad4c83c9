#!/bin/sh
# The same bytes from every build: the native tavrin-cli and the one built
# for WebAssembly (the `wasm-cli` preset, run by node) generate the daily series,
# write and read puzzle comments in CP932, replay games, deal the daily free
# game and verify its record, and both must give the fixed results below.
# The WebAssembly build is made here when needed.
set -u
cli=$1
src=${TAVRIN_SOURCE_DIR:?}
fail=0

if ! command -v em++ >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
    echo "SKIP: em++ or node is missing (scripts/install-deps.sh installs emscripten and nodejs)"
    exit 77
fi
# Debian's emscripten finds its acorn module there.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

log=$(mktemp)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp" "$log"' EXIT
start=$(date +%s)
if ! (cd "$src" && cmake --preset wasm-cli && cmake --build --preset wasm-cli -j2 --target tavrin-cli) >"$log" 2>&1; then
    cat "$log"
    echo "FAIL the WebAssembly build"
    exit 1
fi
echo "WebAssembly build: $(($(date +%s) - start)) s"
wasm_cli="$src/build-wasm-cli/tavrin-cli.js"

wasm() { node "$wasm_cli" "$@"; }
native() { "$cli" "$@"; }
sha() { sha256sum | cut -d ' ' -f 1; }
check() { # name expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; fail=1
    fi
}

comment='{"puzzles": [{"mode": 0, "comment": "ﾃｽﾄ 山田 ∵ ¥ 😀", "cells": [0, -1, 0'
i=3; while [ $i -lt 64 ]; do comment="$comment, -1"; i=$((i + 1)); done
printf '%s]}]}\n' "$comment" >"$tmp/comment.json"
seeded=$( echo '{"new": {"items": [[0, 0], [36, 1]]}}'; i=0; while [ $i -lt 12 ]; do echo "{\"place\": $i}"; i=$((i + 1)); done )
crosses=$( echo '{"new": {"items": [[0, 0], [1, 1]]}}'; i=0; while [ $i -lt 64 ]; do echo "{\"place\": $i, \"piece\": 10}"; i=$((i + 1)); done )
grep -v '^#' "$src/tests/data/records/finished.txt" | tail -n 1 | cut -d ' ' -f 4 >"$tmp/daily-record.txt"
verified='{"verdict": "finished", "reason": "the game reaches the goal", "seed": "6475630736873604910", "kinds": 3, "daily": "2026-12-09", "moves": 80, "score": 4532}'
goal='{"accepted": true, "labels": {"ecoPoints": "4283+36", "movesLeft": "37-1", "loopPoints": "768+16", "chain": "62+1"}, "status": "新規ゲームで遊ぶにはF2キーを押してください。", "movesUsed": 64, "maxMovesUsed": 64, "scoreChain": 63, "discardCount": 0, "turnResult": -1, "ecoPoints": 4319, "loopPoints": 784, "bonus": 1000, "total": 6103, "offeredPiece": -1, "messages": ["目標は達成されました。\n\nエコ点：\t\t4319\nループ点：\t\t784\nボーナス点：\t1000\n総合得点：\t\t6103"], "freeGameActive": false, "moveBusy": true}'

for build in native wasm; do
    $build kem generate --daily 2026-12-09 "$tmp/$build-daily.kem" >/dev/null
    check "$build daily file" 59293b802bde26178997eaba3d274fa60640fbb76f6866a482400fb8725987b5 "$(sha <"$tmp/$build-daily.kem")"
    check "$build daily dump" 3858cbb5267076592e1230f4c2b09a81cd654437f5ac7cb104c13429e0bdd5d2 \
        "$($build kem dump "$tmp/$build-daily.kem" | sha)"
    $build kem make "$tmp/comment.json" "$tmp/$build-comment.kem" >/dev/null
    # "ﾃｽﾄ 山田 ∵ \ ?" in CP932, padded with spaces.
    check "$build CP932 comment" "4b454dc3bdc4208e5293632081e6205c203f2020" "$(head -c 20 "$tmp/$build-comment.kem" | od -An -tx1 | tr -d ' \n')"
    check "$build CP932 file" 2e13f9f9673173863c36364c32849af637306d0d128c16f874d7ebaaeb34cfc7 "$(sha <"$tmp/$build-comment.kem")"
    check "$build seeded replay" e0e14af3ca5f46a45759e782ecf89a5c04a1654f1b1565446a06163196abbdc1 \
        "$(printf '%s\n' "$seeded" | $build replay --seed 7 | sha)"
    check "$build goal replay" "$goal" "$(printf '%s\n' "$crosses" | $build replay --name Tester | tail -n 1)"
    check "$build daily game" 2fbec422a90bc637ce620138e1e5a0371530df3d93ce9e24259bcd67819c4927 \
        "$($build record supply --daily 2026-12-09 | sha)"
    check "$build daily record" "$verified" "$($build record verify --score 4532 "$tmp/daily-record.txt")"
done

[ $fail -eq 0 ] && echo "native and WebAssembly builds agree"
exit $fail
