#!/usr/bin/env bash
# A camera box far larger than the screen, driven like a user under Wine on
# a private 2560 x 1440 Xvfb display: a full-screen shot shown at "500%"
# (a 12824 x 7229 window) must stay on the screen and answer the mouse.
#   large_box_e2e.sh BUILD_DIR   (a finished mingw build folder)
#
# A window of known pixels (mirune_probe pattern) lies under the camera box
# during the shot, so the enlarged photo can be told from what lies beneath.
# Screenshots are kept in BUILD_DIR/large-box-e2e/. Prints "N passed, M
# failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
export MIRUNE_XVFB_SCREEN=${MIRUNE_XVFB_SCREEN:-2560x1440x24}
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" large-box-e2e xdotool import convert

box_becomes() {  # box_becomes SECONDS "L T W H"
  wait_for "$1" box_is "$2" || { echo "     the box is at $(box_rect)"; return 1; }
}
no_message_box() { ! probe visible '#32770' | grep -q '^window'; }

pattern_left=250
pattern_top=0
# Screen pixels (X, Y) of the shot show, five times enlarged, from the
# photo's corner at (312, 17).
shows_enlarged() {  # shows_enlarged SHOT X Y [X Y ...]
  local name=$1 bad=0
  shift
  while [ $# -ge 2 ]; do
    local got want
    got=$(pixel "$name" $((312 + 5 * $1 + 2)) $((17 + 5 * $2 + 2)))
    want=$(pattern_expected "$1" "$2")
    [ "$got" = "$want" ] || { echo "     ($1, $2): got $got, want $want"; bad=1; }
    shift 2
  done
  [ "$bad" -eq 0 ]
}

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_pattern_window
read -r _ sw sh <<<"$(probe screen)"
check "the screen is 2560 x 1440" equals "$sw $sh" "2560 1440"
start_program
open_camera_box

command_menu
# 全画面 撮影, the fourth item; シャッター, the first of its submenu.
xdotool key Down Down Down Down Right Return
check "after the delay the sheet's title reads ネガシート　1枚" wait_for 10 sheet_titled 'ネガシート　1枚'
check "the box shows the shot at a quarter, 640 x 360" box_becomes 5 "300 0 664 389"

command_menu
# サイズ, the fifth item; 拡大, the second of its submenu; 500%, the fourth of that.
xdotool key Down Down Down Down Down Right Down Right Down Down Down Return
check "500% makes the box 12824 x 7229" box_becomes 5 "300 0 12824 7229"
shot_until 15 enlarged shows_enlarged enlarged 260 4 300 50 400 100 440 250 >/dev/null
check "no error box appears" no_message_box
check "the box is on the screen" box_is "300 0 12824 7229"
check "the photo shows the shot five times enlarged" shows_enlarged enlarged 260 4 300 50 400 100 440 250

xdotool mousemove 700 300 click 3
check "a right click on the photo opens the command menu" wait_for 5 menu_open
# サイズ, then 原寸, the fourth of its submenu.
xdotool key Down Down Down Down Down Right Down Down Down Return
check "原寸 brings the box to 2584 x 1469" box_becomes 5 "300 0 2584 1469"
check "still no error box" no_message_box

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
