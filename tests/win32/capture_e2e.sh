#!/usr/bin/env bash
# The shots of mirune.exe taken like a user, under Wine on a private Xvfb
# display: a full-screen shot through the command menu, then an area shot
# aimed through the framing view and taken from the shot menu of a handle.
#   capture_e2e.sh BUILD_DIR   (a finished mingw build folder)
#
# A window of known pixels (mirune_probe pattern) lies under the camera box.
# After the area shot the pattern window is closed, so what the photo then
# shows can only be the pixels it stored. Screenshots are kept in
# BUILD_DIR/capture-e2e/. Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" capture-e2e xdotool import convert

# Waits for the box to take the rectangle; says where it is if it does not.
box_becomes() {  # box_becomes SECONDS "L T W H"
  wait_for "$1" box_is "$2" || { echo "     the box is at $(box_rect)"; return 1; }
}


# The pattern window: 8-pixel cells, red, green, blue by (x / 8 + y / 8) % 3.
pattern_left=250
pattern_top=0
# The given points of a screenshot, shifted by (DX, DY), show what the
# pattern has at the points themselves.
shows_pattern_shifted() {  # shows_pattern_shifted SHOT DX DY X Y [X Y ...]
  local name=$1 dx=$2 dy=$3 bad=0
  shift 3
  while [ $# -ge 2 ]; do
    local got want
    got=$(pixel "$name" $(($1 + dx)) $(($2 + dy)))
    want=$(pattern_expected "$1" "$2")
    [ "$got" = "$want" ] || { echo "     ($1, $2): got $got, want $want"; bad=1; }
    shift 2
  done
  [ "$bad" -eq 0 ]
}
# The given points of screenshot A, shifted by (DX, DY), show what
# screenshot B has at the points themselves.
same_shifted() {  # same_shifted A B DX DY X Y [X Y ...]
  local a=$1 b=$2 dx=$3 dy=$4 bad=0
  shift 4
  while [ $# -ge 2 ]; do
    local got want
    got=$(pixel "$a" $(($1 + dx)) $(($2 + dy)))
    want=$(pixel "$b" "$1" "$2")
    [ "$got" = "$want" ] || { echo "     ($1, $2): got $got, want $want"; bad=1; }
    shift 2
  done
  [ "$bad" -eq 0 ]
}

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_pattern_window
# The screen as it is without the program.
shot before
read -r _ sw sh <<<"$(probe screen)"
start_program
open_camera_box

echo "# a full-screen shot"
check "a right click on the picture opens the command menu" command_menu
# 全画面 撮影 is the fourth item; シャッター the first of its submenu.
xdotool key Down Down Down Down Right
check "its submenu opens" wait_for 5 submenu_open
shot screen-menu
xdotool key Return
check "after the delay the sheet's title reads ネガシート　1枚" wait_for 10 sheet_titled 'ネガシート　1枚'
qw=$((sw / 4)) qh=$((sh / 4))
check "the camera box shows the shot at a quarter of the screen, ${qw} x ${qh}" \
  box_becomes 5 "300 0 $((qw + 24)) $((qh + 29))"
# The box shows the whole screen shrunk: the pattern's left part lies at a
# quarter of its place.
check "the photo shows the screen shrunk" shot_until 10 full-screen-shot eval \
  'equals "$(pixel full-screen-shot $((312 + 260 / 4)) $((17 + 4 / 4)))" "$(pattern_expected 260 4)"'

# (The window is the photo plus 4 of bevel plus the margins, 20 by 25.)
# At its own size the photo's pixel (x, y) lies at screen (312 + x, 17 + y):
# where the palette and the camera box were, it must show what the screen
# shows without the program.
command_menu
# サイズ is the fifth item; 原寸 the fourth of its submenu.
xdotool key Down Down Down Down Down Right Down Down Down Return
wait_for 5 menu_closed
check "原寸 shows the shot at its own size" box_becomes 5 "300 0 $((sw + 24)) $((sh + 29))"
# Drawn: the pattern's corner, in the photo at its own place.
shot_until 10 actual-size same_shifted actual-size before 312 17 260 4 >/dev/null
check "the palette is not in the picture" same_shifted actual-size before 312 17 3 3 15 13 25 60 15 100
check "the camera box is not in the picture" same_shifted actual-size before 312 17 \
  301 3 322 72 400 60 470 100 330 130 478 140

echo "# an area shot through the framing view and the shot menu"
command_menu
# サイズ, then ﾃﾞﾌｫﾙﾄサイズ: the photo goes back to 156 x 116.
xdotool key Down Down Down Down Down Right Return
wait_for 5 menu_closed
check "the default size brings the box back to 180 x 145" wait_for 5 box_is "300 0 180 145"
command_menu
# 選択画面 撮影, the third item: opening it enters the framing view.
xdotool key Down Down Down Right
wait_for 5 submenu_open
xdotool key Escape Escape
check "the menu closes" wait_for 5 menu_closed
check "the framing view shows the right handle" shot_until 10 framing eval 'equals "$(pixel framing 472 60)" C0C0C0'
check "and the pattern through the frame" shows_pattern_shifted framing 0 0 320 30 400 80 460 120
# A right press on the right handle (window x 170 to 174) opens the shot menu.
xdotool mousemove 472 60 mousedown 3
check "a right press on a handle opens the shot menu" wait_for 5 menu_open
xdotool mouseup 3
shot shot-menu
xdotool key Down Return
check "after the delay the sheet's title reads ネガシート　2枚" wait_for 10 sheet_titled 'ネガシート　2枚'
check "the box is back in the normal view at 180 x 145" wait_for 5 box_is "300 0 180 145"
kill "$pattern_pid" 2>/dev/null
pattern_pid=
check "the pattern window is gone" wait_for 10 no_x_window '^MiruneTestPattern$'
# Drawn: the desktop where the pattern was, beside the box.
shot_until 10 area-shot eval 'test "$(pixel area-shot 520 200)" != "$(pattern_expected 520 200)"' >/dev/null
# The photo sits at (312, 17) and shows the pixels it stored, 1:1.
check "the photo holds exactly the pattern under its area" shows_pattern_shifted area-shot 0 0 \
  312 17 313 18 319 17 320 24 350 50 400 80 467 17 312 132 467 132 440 100
check "the area beside the box no longer shows the pattern" \
  test "$(pixel area-shot 520 200)" != "$(pattern_expected 520 200)"

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
