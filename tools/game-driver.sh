# Drives the real game as a player does, for the end-to-end tests and the screenshots: starts
# it under Wine on the X display, looks at its windows through inspect_windows.exe, reads the
# screen, and plays it with xdotool. Every wait polls and gives up after a bounded time.
#
# The sourcing script sets game_exe and inspect_exe (and sim, the native velmoria-sim, to
# compare records), then calls start_game.

. "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"
wine_run=$velmoria_tools/wine-run
game_pid=

# Ends the script with a message, keeping a picture of the screen for the post-mortem.
fail() {
  echo "FAIL: $*" >&2
  local keep="${TMPDIR:-/tmp}/velmoria-failure-$$.png"
  /usr/bin/import -window root "$keep" 2>/dev/null && echo "screen at failure: $keep" >&2
  exit 1
}

note() { echo "$(basename "$0"): $*"; }

# Every window of the session, one per line (see inspect_windows.cpp for the columns).
windows() { "$wine_run" "$inspect_exe" 2>/dev/null; }

# The line of the visible top-level window with this class and caption, if any.
top_window() {
  windows | awk -F'\t' -v cls="$1" -v text="$2" '$3 == cls && $5 == 1 && $11 == text' | head -1
}

# The lines of the children of a window (by its handle).
children_of() { windows | awk -F'\t' -v parent="$1" '$2 == parent && $1 != parent'; }

# wait_for SECONDS DESCRIPTION COMMAND...: runs COMMAND every 0.2 s until it succeeds.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "gave up after ${seconds}s waiting for $what"
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for $what"
    sleep 0.2
  done
}

has_top_window() { [ -n "$(top_window "$1" "$2")" ]; }
no_top_window() { [ -z "$(top_window "$1" "$2")" ]; }

# Screen colour at (x, y) as #RRGGBB.
screen_pixel() {
  /usr/bin/import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr a-f A-F
}

# Client origin of the main window on the screen: "x y".
main_origin() { top_window MY Velmoria | awk -F'\t' '{ print $7, $8 }'; }

# Screen colour at (x, y) of the main window's client area.
client_pixel() {
  local origin
  read -r -a origin <<<"$(main_origin)"
  screen_pixel $((origin[0] + $1)) $((origin[1] + $2))
}

# The title screen is up: the red start ellipse and the black ground around it.
title_screen_shown() {
  [ "$(client_pixel 385 290)" = "#FF0000" ] && [ "$(client_pixel 240 325)" = "#FF0000" ] &&
    [ "$(client_pixel 800 600)" = "#000000" ]
}

# Moves the pointer over a window (by its inspect line) so that keys reach it: without a
# window manager the keyboard follows the pointer.
point_at() {
  local x y w h
  x=$(echo "$1" | cut -f7) y=$(echo "$1" | cut -f8) w=$(echo "$1" | cut -f9) h=$(echo "$1" | cut -f10)
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2))
}

click_main() {
  local origin
  read -r -a origin <<<"$(main_origin)"
  xdotool mousemove --sync $((origin[0] + $1)) $((origin[1] + $2)) click 1
}

stop_game() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    "$wine_run" "$inspect_exe" close MY >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      kill -0 "$game_pid" 2>/dev/null || break
      sleep 0.2
    done
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  game_pid=
}

start_game() {
  [ -f "$game_exe" ] || fail "the game is not built: $game_exe"
  [ -f "$inspect_exe" ] || fail "the window inspector is not built: $inspect_exe"
  trap stop_game EXIT
  # b.dat, the title picture, is read from the current directory: start beside it.
  (cd "$(dirname "$game_exe")" && exec "$wine_run" "./$(basename "$game_exe")") &
  game_pid=$!
  wait_for 60 "the main window" has_top_window MY Velmoria
  wait_for 20 "the title screen" title_screen_shown
  note "the title screen is up"
}

# Clicks the start ellipse, waits for the parameter dialog and checks that it opened with
# the defaults and the keyboard focus on OK; leaves the pointer over it, so that keys reach
# it. Sets dialog_line.
open_dialog() {
  click_main 385 325
  wait_for 20 "the parameter dialog" has_top_window '#32770' 'パラメータの設定'
  dialog_line=$(top_window '#32770' 'パラメータの設定')
  local dialog
  dialog=$(echo "$dialog_line" | cut -f1)
  local focused
  focused=$(children_of "$dialog" | awk -F'\t' '$6 == 1 { print $4 ":" $11 }')
  [ "$focused" = "1:OK" ] || fail "the dialog opened with the focus on '$focused', not on OK"
  local shown
  shown=$(children_of "$dialog" | awk -F'\t' '$3 == "Edit" { printf "%s ", $11 }')
  [ "$shown" = "2000 0.5 0.2 2000 0.5 0.2 2000 0.5 0.2 2000 0.5 0.2 0.1 0.1 0.1 0.1 " ] ||
    fail "the dialog opened with '$shown' instead of the defaults"
  note "the dialog is up with the defaults and the focus on OK"
  point_at "$dialog_line"
}

# Waits for the end of the game and checks its record against velmoria-sim for the same
# fields; closes the record with Enter and waits for the title screen.
expect_record_of() {
  [ -x "$sim" ] || fail "velmoria-sim not found at $sim: build the native preset first" \
    "(cmake --preset native && cmake --build --preset native) or set VELMORIA_SIM"
  local expected
  expected=$("$sim" "$@") || fail "velmoria-sim failed for: $*"
  wait_for 600 "the GAME OVER box" has_top_window '#32770' 'GAME OVER'
  local box record
  box=$(top_window '#32770' 'GAME OVER')
  record=$(children_of "$(echo "$box" | cut -f1)" | awk -F'\t' '$3 == "Static" && $11 ~ /記録/ { print $11 }')
  note "the game shows '$record', velmoria-sim says '$expected'"
  [ "$record" = "$expected" ] || fail "the record '$record' differs from velmoria-sim's '$expected'"
  point_at "$box"
  xdotool key Return
  wait_for 20 "the GAME OVER box to close" no_top_window '#32770' 'GAME OVER'
  wait_for 20 "the title screen after the game" title_screen_shown
  note "the title screen is back"
}
