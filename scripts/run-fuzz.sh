#!/bin/sh
# Builds the libFuzzer targets (clang, `fuzz` preset) and runs each one for
# FUZZ_SECONDS seconds (default 120), keeping its corpus under
# build-fuzz/corpus/<target>. Crashing inputs land in build-fuzz/crashes/.
# Exit status is non-zero when any target found a crash.
set -eu
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-120}
jobs=${FUZZ_JOBS:-2}
targets="fuzz_puzzle_file fuzz_theme_file fuzz_page_score fuzz_registration_form fuzz_saved_game fuzz_game_record"

cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs" --target tavrin_fuzz

status=0
mkdir -p build-fuzz/crashes
for target in $targets; do
    program=build-fuzz/$target
    if [ ! -x "$program" ]; then
        echo "== $target: not built, skipped"
        continue
    fi
    corpus=build-fuzz/corpus/$target
    seeds=tests/fuzz/seeds/${target#fuzz_}
    mkdir -p "$corpus"
    echo "== $target for ${seconds}s"
    if ! "$program" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/crashes/$target-" "$corpus" "$seeds"; then
        echo "== $target: crash, see build-fuzz/crashes/"
        status=1
    fi
done
exit $status
