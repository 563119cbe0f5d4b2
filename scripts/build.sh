#!/bin/sh
# Configures and builds into the given folder (default build/); extra
# arguments go to CMake's configure step.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIR=${1:-build}
[ $# -gt 0 ] && shift
cmake -S "$ROOT" -B "$ROOT/$DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$ROOT/$DIR"
