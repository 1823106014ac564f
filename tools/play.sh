#!/usr/bin/env bash
# Sets up what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native
build/native/tools/velmoria-sim/velmoria-sim "$@"
