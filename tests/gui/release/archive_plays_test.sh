#!/usr/bin/env bash
# A player unpacks the release archive into an empty folder and double-clicks the program:
# started in that folder, it shows the title screen with its picture, read from the b.dat
# that came in the archive.
# Usage: archive_plays_test.sh ARCHIVE INSPECT_EXE
set -euo pipefail
. "$(dirname "$0")/../../../tools/game-driver.sh"
need_display "$@"
archive=$1 inspect_exe=$2

# An empty folder of the test's own (ctest runs it in the build folder).
work=$PWD/unpacked
rm -rf "$work"
mkdir "$work"
(cd "$work" && cmake -E tar xf "$archive")
game_exe=$(ls "$work"/*/velmoria.exe)
[ -f "$(dirname "$game_exe")/b.dat" ] || fail "b.dat did not come beside the program"

start_game

# The picture sits at (50, 50), 89 x 103 pixels; its leaves are pure green.
read -r -a origin <<<"$(main_origin)"
green=$(/usr/bin/import -window root -crop "89x103+$((origin[0] + 50))+$((origin[1] + 50))" \
  -depth 8 txt:- | grep -c '#00FF00' || true)
note "the title picture shows $green green pixels"
[ "$green" -gt 100 ] || fail "the title screen shows no picture"
