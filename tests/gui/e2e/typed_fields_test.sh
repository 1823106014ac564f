#!/usr/bin/env bash
# A player types a few fields into the dialog (Tab from OK into the first edits, typing
# over their selected text) and starts the game with Enter from a field: the record equals
# what velmoria-sim plays for the same fields.
# Usage: typed_fields_test.sh GAME_EXE INSPECT_EXE VELMORIA_SIM
set -euo pipefail
. "$(dirname "$0")/../../../tools/game-driver.sh"
need_display "$@"
game_exe=$1 inspect_exe=$2 sim=$3

start_game
open_dialog
# OK -> 1000 (large carnivores' population), then on to 1002 (their 寿命長).
xdotool key Tab
xdotool type --delay 50 10
xdotool key Tab Tab
xdotool type --delay 50 0.3

dialog=$(echo "$dialog_line" | cut -f1)
fields_shown() {
  [ "$(children_of "$dialog" | awk -F'\t' '$3 == "Edit" { printf "%s ", $11 }' | cut -d' ' -f1-3)" \
    = "10 0.5 0.3" ]
}
wait_for 10 "the typed fields to show" fields_shown
xdotool key Return
wait_for 20 "the dialog to close" no_top_window '#32770' 'パラメータの設定'
note "Enter in a field started the game"
expect_record_of 10 0.5 0.3
