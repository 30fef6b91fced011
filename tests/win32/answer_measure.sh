#!/usr/bin/env bash
# How fast mirune.exe answers a message sent to its palette while a shot
# waits, under Wine: the probe (mirune_probe answers) sends WM_NULL with
# SendMessageTimeout (SMTO_ABORTIFHUNG, 5 s) every 100 ms, as Windows does
# before it calls a window "not responding", during
#   - a full-screen shot with a shutter delay of 10 s, and
#   - a full-screen burst of 36 shots (no delay, 0.3 s between shots),
# and prints the number of sends, how many were answered, and the longest
# time one took. Not part of the test command: the Wine test program's
# Backend.AWaitAnswers... shows the wait answering in half a second.
#   answer_measure.sh BUILD_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e-common.sh"
e2e_begin "${1:-}" answer-measure xdotool

# measure LABEL INI SECONDS STEPS FILM: starts the program with the
# settings INI, opens the full-screen submenu of the command menu and
# chooses with the keys STEPS while the probe sends for SECONDS; the
# negative sheet's title then counts FILM.
measure() {
  local label=$1 ini=$2 seconds=$3 steps=$4 result
  printf '%s' "$ini" >"$run/mirune.ini"
  "$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
  start_program
  open_camera_box
  command_menu || { echo "FAIL the command menu did not open"; return 1; }
  # 全画面 撮影 is the fourth item; シャッター the first of its submenu,
  # ストロボ the second.
  xdotool key Down Down Down Down Right
  probe answers Mirune "$seconds" >"$out/answers" &
  local prober_pid=$!
  sleep 0.3
  xdotool key $steps Return
  wait "$prober_pid"
  result=$(cat "$out/answers")
  echo "$label: $result"
  check "$label: the palette was found" grep -q '^sends' "$out/answers"
  check "$label: the film holds $5" wait_for 30 sheet_titled "ネガシート　$5"
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=
}

measure "a 10 s shutter delay" $'[Option]\r\ntimelag=10\r\n' 12 "" 1枚
measure "a burst of 36 shots" $'[Option]\r\ntimelag=0\r\nrenzoku=36\r\nSpeed=3\r\n' 20 "Down" 36枚
e2e_end
