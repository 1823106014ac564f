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
# VELMORIA_BUILD_DIR (default build/win32 or build/win64) and VELMORIA_WINEPREFIX (default build/wineprefix,
# or build/play-wineprefix on the virtual display)
# choose other folders, so that a build of one's own can be played beside the shared one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
. tools/wine-lib.sh

tools/setup.sh
build=$(playable_build)
if [ "$build" = win32 ]; then
  echo "play: the 32-bit program (build/win32)"
elif [ -n "${VELMORIA_BUILD:-}" ]; then
  echo "play: the 64-bit program (build/win64), as VELMORIA_BUILD asks"
else
  echo "play: the 64-bit program (build/win64): $(tools/host-runs-32bit)"
fi
build_dir=${VELMORIA_BUILD_DIR:-build/$build}
cmake --preset "$build" -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j2 --target velmoria

export LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=${VELMORIA_WINEPREFIX:-$root/build/wineprefix}
else
  export WINEPREFIX=${VELMORIA_WINEPREFIX:-$root/build/play-wineprefix}
fi
tools/wine-prefix

xvfb_pid=
game_pid=
stop() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  # Wine's helper processes end with the wineserver, a few seconds after the game.
  wineserver -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap stop EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
  # A virtual display has no window manager to draw captions and frames, so Wine draws its
  # own there (in a prefix of its own, leaving the tests' prefix as it is).
  wine_chore reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  cat <<EOF
No DISPLAY is set: the game runs on the virtual display :$n (1600 x 1000).
  screenshot:   import -display :$n -window root shot.png
  click:        xdotool mousemove --sync 400 400 click 1    (with DISPLAY=:$n)
  keys:         xdotool key alt+slash                       (with DISPLAY=:$n)
  quit:         Ctrl+C here, or  DISPLAY=:$n xdotool key alt+f x
EOF
fi

# b.dat, the title picture, is read from the current directory: start beside it.
cd "$build_dir/app"
choose_wine_for velmoria.exe
"$wine_loader" velmoria.exe &
game_pid=$!
wait "$game_pid" || true
game_pid=
