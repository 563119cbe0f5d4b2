#!/bin/sh
# Installs what is missing, builds, and starts the program on the sample
# installation in build/sample/.
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/scripts/deps.sh"
"$ROOT/scripts/build.sh" build
cd "$ROOT/build/sample"
exec ./w7practice "$@"
