#!/bin/sh
# Runs every test of a build tree headless and prints ctest's summary.
set -eu
dir=${1:-build}
export QT_QPA_PLATFORM=offscreen
# No sound device is needed (or wanted) while testing.
export TAVRIN_NO_AUDIO=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
cd "$dir"
ctest --output-on-failure -j "$(nproc)"
