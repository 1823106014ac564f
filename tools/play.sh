#!/usr/bin/env bash
# Sets up what is missing, builds the Windows program and starts it under Wine: the 32-bit
# program where this host runs 32-bit code, the 64-bit one elsewhere (VELMORIA_BUILD=win32 or
# win64 picks one by hand).
#
# With DISPLAY set the game opens there. Without one it runs on a virtual display (Xvfb) of
# its own: the script prints the display's number and how to take a screenshot of it or send
# it clicks and keys; Ctrl+C (or the game's own exit command) ends the game.
# The script returns when the game has ended, leaving nothing of it running.
#
# VELMORIA_BUILD_DIR (default build/win32 or build/win64) and VELMORIA_WINEPREFIX (default
# build/display-wineprefix, or build/play-wineprefix on the virtual display) choose other
# folders, so that a build of one's own can be played beside the shared one. Neither default
# is the tests' prefix, whose end would end the game.
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"

"$velmoria_tools/setup.sh"
build=$(playable_build)
if [ "$build" = win32 ]; then
  echo "play: the 32-bit program (build/win32)"
elif [ -n "${VELMORIA_BUILD:-}" ]; then
  echo "play: the 64-bit program (build/win64), as VELMORIA_BUILD asks"
else
  echo "play: the 64-bit program (build/win64): $("$velmoria_tools/host-runs-32bit")"
fi
build_targets "$build" velmoria

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=${VELMORIA_WINEPREFIX:-$velmoria_root/build/display-wineprefix}
else
  export WINEPREFIX=${VELMORIA_WINEPREFIX:-$velmoria_root/build/play-wineprefix}
fi
wine_environment
"$velmoria_tools/wine-prefix"

game_pid=
stop() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  # Wine's helper processes end with the wineserver, a few seconds after the game.
  wineserver -w 2>/dev/null || true
  forget_wine_server
  stop_display
}
trap stop EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  start_display
  # In a prefix of its own, leaving the tests' prefix as it is.
  wine_draws_frames
  cat <<END
No DISPLAY is set: the game runs on the virtual display $DISPLAY (1600 x 1000).
  screenshot:   import -display $DISPLAY -window root shot.png
  click:        xdotool mousemove --sync 400 400 click 1    (with DISPLAY=$DISPLAY)
  keys:         xdotool key alt+slash                       (with DISPLAY=$DISPLAY)
  quit:         Ctrl+C here, or  DISPLAY=$DISPLAY xdotool key alt+f x
END
fi

# b.dat, the title picture, is read from the current directory: start beside it.
cd "$(build_dir_of "$build")/app"
choose_wine_for velmoria.exe
"$wine_loader" velmoria.exe &
game_pid=$!
wait "$game_pid" || true
game_pid=
