#!/usr/bin/env bash
# Plays the real program briefly, as a player would: starts it in its own folder under Wine
# on the X display, looks at the title screen, opens the About box with Alt+/ and Alt+?,
# clicks to open the parameter dialog and starts a game with Enter, and leaves through the
# File menu (Alt+F, X). The program must then have ended with exit code 0.
#   smoke.sh <velmoria.exe> <inspect_windows.exe>
set -euo pipefail
. "$(dirname "$0")/../../../tools/game-driver.sh"
need_display "$@"
game_exe=$1 inspect_exe=$2
convert=/usr/bin/convert

[ -f "$(dirname "$game_exe")/b.dat" ] || fail "b.dat is not beside the program"
start_game
work=$(mktemp -d)
trap 'stop_game; rm -rf "$work"' EXIT

shoot() { /usr/bin/import -window root "$work/shot.png"; }

# Colour of one screen pixel of the last shot as #RRGGBB.
pixel() {
  "$convert" "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}

# How many pixels of a w x h area at (x, y) of the last shot have this #RRGGBB colour.
count() {
  "$convert" "$work/shot.png" -crop "$3x$4+$1+$2" -depth 8 txt:- | grep -c "$5" || true
}

# Waits (at most about a minute) until a window with this exact name is on the screen.
await_window() {
  timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}

# Waits until no window of this name is left; fails after about a minute.
await_no_window() {
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  fail "the window \"$1\" stayed open"
}

main=$(await_window Velmoria) || true
[ -n "$main" ] || fail "no window named Velmoria appeared"
read -r cx cy cw ch <<<"$(top_window MY Velmoria | cut -f7-10)"
echo "client area at ($cx, $cy), $cw x $ch"
[ "$cw" -gt 560 ] && [ "$ch" -gt 380 ] || fail "client area too small to check: $cw x $ch"

# The first tick comes 100 ms after the window: wait for the title's rule to appear.
for _ in $(seq 100); do
  shoot
  [ "$(pixel $((cx + 500)) $((cy + 180)))" = "#0000FF" ] && break
  sleep 0.2
done
[ "$(pixel $((cx + 500)) $((cy + 180)))" = "#0000FF" ] || fail "no blue rule at y 180"
[ "$(pixel $((cx + 10)) $((cy + 180)))" = "#0000FF" ] || fail "the rule does not start at x 0"
[ "$(pixel $((cx + 500)) $((cy + 172)))" = "#000000" ] || fail "the rule is too thick"
[ "$(pixel $((cx + 232)) $((cy + 325)))" = "#FF0000" ] || fail "no red ellipse at its left"
[ "$(pixel $((cx + 385)) $((cy + 288)))" = "#FF0000" ] || fail "no red ellipse at its top"
[ "$(pixel $((cx + 223)) $((cy + 283)))" = "#000000" ] || fail "the ellipse fills its corner"
[ "$(count $((cx + 170)) $((cy + 85)) 150 35 '#FFFFFF')" -gt 30 ] || fail "no white title"
[ "$(count $((cx + 285)) $((cy + 310)) 230 30 '#FFFF00')" -gt 50 ] || fail "no yellow label"
[ "$(count $((cx + 50)) $((cy + 50)) 89 103 '#00FF00')" -gt 100 ] || fail "no title picture"
echo "title screen: rule, ellipse, title, label and picture in place"

# Alt+/ and Alt+? open the About box; Esc closes it.
for key in alt+slash alt+question; do
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key "$key"
  about=$(await_window 'ﾊﾞｰｼﾞｮﾝ情報') || true
  [ -n "$about" ] || fail "$key did not open the About box"
  xdotool windowfocus --sync "$about" 2>/dev/null || true
  xdotool key Escape
  await_no_window 'ﾊﾞｰｼﾞｮﾝ情報'
  echo "$key opened the About box"
done

# A click anywhere on the title screen opens the parameter dialog; Enter confirms it.
xdotool mousemove --sync $((cx + 700)) $((cy + 500)) click 1
dialog=$(await_window 'パラメータの設定') || true
[ -n "$dialog" ] || fail "a click on the title screen opened no parameter dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key Return
await_no_window 'パラメータの設定'
echo "a click opened the parameter dialog and Enter started a game"

# Leave through the File menu.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key --delay 300 alt+f x
for _ in $(seq 600); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the program still runs after Alt+F, X"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
echo "Alt+F, X ended the program with exit code 0"
