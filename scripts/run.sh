#!/bin/sh
# Installs what is missing, builds the program alone (its build lays out the
# sample installation in build/sample/) and starts it there. The tests and
# the benchmarks are built by scripts/test.sh.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/scripts/deps.sh"
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$ROOT/build" --target w7practice
cd "$ROOT/build/sample"
exec ./w7practice "$@"
