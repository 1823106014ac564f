#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test: the native build (the world, the
# headless simulator), the browser edition (WebAssembly, node and headless Chromium) and the
# 32-bit Windows build under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

# The browser edition: the world under node against velmoria-sim (from the native build
# above), and the page in headless Chromium.
cmake --preset web >/dev/null
cmake --build --preset web
ctest --preset web

cmake --preset win32 >/dev/null
cmake --build --preset win32
WINEPREFIX=$PWD/build/wineprefix tools/wine-prefix
tools/with-display ctest --preset win32
