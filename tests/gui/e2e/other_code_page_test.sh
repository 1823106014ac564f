#!/usr/bin/env bash
# A player on Windows in another language, whose code page for narrow text is 1252 (German
# here), plays the defaults: the parameter dialog's texts, the record and the About box's
# caption read as Japanese, and the record equals velmoria-sim's.
# Usage: other_code_page_test.sh GAME_EXE INSPECT_EXE VELMORIA_SIM
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../../tools/with-display" bash "$0" "$@"
fi
game_exe=$1 inspect_exe=$2 sim=$3
source "$(dirname "$0")/e2e_lib.sh"
export VELMORIA_WINE_LOCALE=de_DE.UTF-8

# Wine takes the code page for narrow text from the locale. cmd writes a pipe in that code
# page: "é" is the one byte E9 in code page 1252 (932 has no such letter).
written=$("$wine_run" cmd /c echo é 2>/dev/null | od -An -tx1 | tr -d ' \n')
[ "$written" = e90d0a ] || fail "narrow text is not in code page 1252: 'é' was written as $written"

# Every text of the dialog but its edits, in template order.
expected="OK|食物連鎖|"
for group in 大型肉食動物 小型肉食動物 草食動物 緑色植物; do
  expected+="$group|個体数：|(0～10000)|繁殖度：|(0～1)|寿命長：|(0～1)|"
done
expected+="外乱|"
for level in ウイルス\(大型肉食動物\) ウイルス\(小型肉食動物\) ウイルス\(草食動物\) 乾季\(緑色植物\); do
  expected+="${level}出現頻度：|(0～1)|"
done

e2e_check_sim
e2e_start_game
e2e_open_dialog
shown=$(children_of "$(echo "$dialog_line" | cut -f1)" |
  awk -F'\t' '$3 != "Edit" { printf "%s|", $11 }')
[ "$shown" = "$expected" ] || fail "the dialog shows '$shown' instead of '$expected'"
note "the dialog's texts read as Japanese"
point_at "$dialog_line"
xdotool key Return
wait_for 20 "the dialog to close" no_top_window '#32770' 'パラメータの設定'
e2e_expect_record_of

# The About box only after the game: its lines draw from the game's random source.
point_at "$(top_window MY Velmoria)"
xdotool key alt+slash
wait_for 20 "the About box" has_top_window '#32770' 'ﾊﾞｰｼﾞｮﾝ情報'
note "the About box's caption reads as Japanese"
point_at "$(top_window '#32770' 'ﾊﾞｰｼﾞｮﾝ情報')"
xdotool key Return
wait_for 20 "the About box to close" no_top_window '#32770' 'ﾊﾞｰｼﾞｮﾝ情報'
