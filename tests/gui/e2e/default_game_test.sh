#!/usr/bin/env bash
# A player starts the game, clicks the title screen, accepts the defaults with Enter and
# watches the game to its end: the record equals what velmoria-sim plays for the defaults,
# Enter closes it and the title screen returns.
# Usage: default_game_test.sh GAME_EXE INSPECT_EXE VELMORIA_SIM
set -euo pipefail
. "$(dirname "$0")/../../../tools/game-driver.sh"
need_display "$@"
game_exe=$1 inspect_exe=$2 sim=$3

start_game
open_dialog
xdotool key Return
wait_for 20 "the dialog to close" no_top_window '#32770' 'パラメータの設定'
note "Enter started the game"
expect_record_of
