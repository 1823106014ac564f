#!/usr/bin/env bash
# Takes the README's pictures: the title screen, the parameter dialog and a running game,
# each cropped to the game window, saved as docs/title.png, docs/dialog.png, docs/game.png.
# Builds the program first; runs it on a virtual display of its own.
#
# The 32-bit program where this host runs 32-bit code, the 64-bit one elsewhere
# (VELMORIA_BUILD=win32 or win64 picks one); VELMORIA_BUILD_DIR (default build/<that build>)
# chooses the build folder. The Wine prefix is
# build/screenshots-wineprefix, where Wine draws the window frames itself (there is no window
# manager on the virtual display to draw them).
set -euo pipefail
. "$(dirname "$0")/game-driver.sh"
if [ -z "${VELMORIA_SCREENSHOT_DISPLAY:-}" ]; then
  "$velmoria_tools/setup.sh"  # first: whether this host runs 32-bit code depends on it
fi
build=$(playable_build)
export VELMORIA_BUILD=$build  # the run on the virtual display below takes the same one
build_dir=$(build_dir_of "$build")
export WINEPREFIX=$velmoria_root/build/screenshots-wineprefix

if [ -z "${VELMORIA_SCREENSHOT_DISPLAY:-}" ]; then
  echo "take-screenshots: the $build program"
  build_targets "$build" velmoria inspect_windows
  "$velmoria_tools/wine-prefix"
  wine_environment
  wine_draws_frames
  VELMORIA_SCREENSHOT_DISPLAY=1 exec "$velmoria_tools/with-display" bash "$0" "$@"
fi

game_exe=$build_dir/app/velmoria.exe
inspect_exe=$build_dir/tests/gui/support/inspect_windows.exe
cd "$velmoria_root"

# The whole game window, frame included, as "WxH+X+Y".
game_window_area() {
  local id
  id=$(xdotool search --name '^Velmoria$' | head -1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

shoot() {
  /usr/bin/import -window root -crop "$(game_window_area)" +repage "docs/$1"
  note "saved docs/$1"
}

start_game
sleep 1  # let a few title frames pass
shoot title.png

open_dialog
xdotool mousemove --sync 0 0  # keep the pointer out of the picture
shoot dialog.png

# A long game for the picture: plenty of fertile plants. Tab from OK to the plants' fields.
point_at "$dialog_line"
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
xdotool type --delay 50 10000
xdotool key Tab Tab
xdotool type --delay 50 0.5
xdotool key Return
wait_for 20 "the dialog to close" no_top_window '#32770' 'パラメータの設定'
xdotool mousemove --sync 0 0
sleep 5
shoot game.png
