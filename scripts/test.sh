#!/bin/sh
# Installs what is missing, builds, runs every test headless, then builds
# the tests once more with the address and undefined-behaviour sanitizers
# and runs them again (skip that second round with W7_SANITIZE=0).
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
JOBS=$(nproc)
"$ROOT/scripts/build.sh" build
ctest --test-dir "$ROOT/build" --output-on-failure -j "$JOBS"
if [ "${W7_SANITIZE:-1}" != "0" ]; then
    "$ROOT/scripts/build.sh" build-asan -DW7_SANITIZE=ON -DW7_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir "$ROOT/build-asan" --output-on-failure -j "$JOBS"
fi
