#!/bin/sh
# Installs what is missing, builds, runs every test headless, then builds
# the tests once more with the address and undefined-behaviour sanitizers
# and runs them again (skip that second round with W7_SANITIZE=0).
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
JOBS=$(nproc)

# Each round runs as in a desktop session: a runtime folder of its own
# (XDG_RUNTIME_DIR, mode 0700) and a temporary folder of its own (TMPDIR,
# shared by every user as /tmp is), both made afresh. The tests must leave
# both as empty as they found them.
RUNTIME= SCRATCH=
trap 'rm -rf "$RUNTIME" "$SCRATCH"' EXIT
run_tests() {
    RUNTIME=$(mktemp -d)
    SCRATCH=$(mktemp -d)
    chmod 700 "$RUNTIME"
    chmod 1777 "$SCRATCH"
    status=0
    XDG_RUNTIME_DIR=$RUNTIME TMPDIR=$SCRATCH \
        ctest --test-dir "$1" --output-on-failure -j "$JOBS" || status=$?
    left=$(find "$RUNTIME" "$SCRATCH" -mindepth 1 -maxdepth 1 2>&1 || true)
    if [ -n "$left" ]; then
        echo "The tests left these behind:"
        echo "$left"
        status=1
    fi
    rm -rf "$RUNTIME" "$SCRATCH"
    return $status
}

"$ROOT/scripts/build.sh" build
run_tests "$ROOT/build"
if [ "${W7_SANITIZE:-1}" != "0" ]; then
    "$ROOT/scripts/build.sh" build-asan -DW7_SANITIZE=ON -DW7_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    run_tests "$ROOT/build-asan"
fi
