#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test: the native build (the world, the
# headless simulator), the browser edition (WebAssembly under node and headless Chromium) and
# the Windows program under Wine on a virtual display. Both Windows builds are always
# compiled; the 64-bit suite always runs, the 32-bit one wherever this host can run 32-bit code.
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"
cd "$velmoria_root"
tools/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

# The same tests once more under AddressSanitizer and UBSan, which end a test at the first
# memory fault, leak or undefined behaviour.
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

# The browser edition: the world under node against velmoria-sim (from the native build
# above), and the page in headless Chromium.
cmake --preset web >/dev/null
cmake --build --preset web
ctest --preset web

for build in win32 win64; do
  cmake --preset "$build" >/dev/null
  cmake --build --preset "$build"
done

export WINEPREFIX=$tests_wineprefix
tools/wine-prefix
# Wine's start now and then fails before a test program runs at all: a test that fails once
# runs once more, and one that fails twice fails the suite, with what it printed.
wine_suite=(--output-on-failure --repeat until-pass:2)
tools/with-display ctest --preset win64 "${wine_suite[@]}"
if reason=$(tools/host-runs-32bit); then
  tools/with-display ctest --preset win32 "${wine_suite[@]}"
else
  echo "test: the 32-bit Windows suite cannot run here ($reason); the 64-bit suite above ran the same tests."
fi
