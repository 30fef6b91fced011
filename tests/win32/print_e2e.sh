#!/usr/bin/env bash
# Printing of mirune.exe to a real print queue, under Wine on a private
# Xvfb display: the camera box after an area shot, and the contact sheet of
# a film of three shots.
#   print_e2e.sh BUILD_DIR   (a finished mingw build folder)
#
# A private cupsd (start_print_queue of e2e-common.sh) holds a cups-pdf
# queue whose PDF files are rasterised with pdftoppm and compared with the
# screen. The pages and screenshots are kept in BUILD_DIR/print-e2e/.
# Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" print-e2e xdotool import convert pdftoppm

start_print_queue MirunePrintTest

# --- the screen ---
# The pattern window: 8-pixel cells, red, green, blue by (x / 8 + y / 8) % 3.
pattern_left=250
pattern_top=0
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_pattern_window
start_program
open_camera_box

echo "# an area shot, then Print at screen size"
command_menu
# 選択画面 撮影, the third item: opening it enters the framing view.
xdotool key Down Down Down Right
wait_for 5 submenu_open
xdotool key Escape Escape
wait_for 5 menu_closed
# The right handle (window x 170 to 174) is out once the view is drawn.
check "the framing view is drawn" shot_until 10 framing eval 'equals "$(pixel framing 472 60)" C0C0C0'
xdotool mousemove 472 60 mousedown 3
wait_for 5 menu_open
xdotool mouseup 3
xdotool key Down Return
check "the shot lands in the film" wait_for 10 sheet_titled 'ネガシート　1枚'
check "the box is back at 180 x 145" wait_for 5 box_is "300 0 180 145"
kill "$pattern_pid" 2>/dev/null
pattern_pid=
wait_for 10 no_x_window '^MiruneTestPattern$'
# The desktop where the pattern was, beside the box.
shot_until 10 box eval 'test "$(pixel box 520 200)" != "$(pattern_expected 520 200)"' >/dev/null
command_menu
# ﾌｧｲﾙ, then 印刷, the fifth item of its submenu (the separators are skipped).
xdotool key Down Right Down Down Down Down Return
check "the print dialog opens and prints" confirm_print_dialog box
check "the camera box's page comes out of the queue" wait_for 90 job_done 1
# At 96 pixels per inch a page pixel is a pixel of the box: the box was
# printed at the printer's resolution over the display's.
pdftoppm -r 96 -png -singlefile "$(job_pdf 1)" "$out/box-page"
page_matches_box() {  # the page at (x, y) shows the screen at (300 + x, y)
  local bad=0 x y got want
  while [ $# -ge 2 ]; do
    x=$1 y=$2
    shift 2
    got=$(pixel box-page "$x" "$y")
    want=$(pixel box $((300 + x)) "$y")
    [ "$got" = "$want" ] || { echo "     page ($x, $y): got $got, want $want"; bad=1; }
  done
  [ "$bad" -eq 0 ]
}
# Cell centres of the pattern in the photo (the photo sits at (12, 17)).
check "the page shows the shot at the box's place and scale" \
  page_matches_box 16 20 20 28 36 44 60 60 100 76 140 100 164 124 84 36 124 52
check "the page shows the time stamp's black beside its white" \
  test "$(pixel box-page 5 140)" = "$(pixel box 305 140)"
check "the page is white beyond the box" equals "$(pixel box-page 400 400)" FFFFFF

echo "# two more shots, then the contact sheet"
for n in 2 3; do
  command_menu
  # 全画面 撮影 is the fourth item; シャッター the first of its submenu.
  xdotool key Down Down Down Down Right Return
  check "shot $n lands in the film" wait_for 10 sheet_titled "ネガシート　${n}枚"
  # The box shows a quarter screen now; back to the default size.
  command_menu
  xdotool key Down Down Down Down Down Right Return
  wait_for 5 box_is "300 0 180 145"
done
xdotool mousemove $((pcx + 15)) $((pcy + 39)) click 1
sheet_shown() { probe window 'ネガシート　3枚' | grep -q 'visible 1'; }
check "the negative sheet shows" wait_for 10 sheet_shown
read -r _ sl st sw sh _ scx scy _ <<<"$(probe window 'ネガシート　3枚')"
# Drawn: the grey face of frame 6, empty.
shot_until 10 sheet-before eval 'equals "$(pixel sheet-before $((scx + 89 + 75 * 5 + 10)) $((scy + 10)))" C0C0C0' >/dev/null
xdotool mousemove $((scx + 45)) $((scy + 96)) click 1
check "the print dialog opens and prints" confirm_print_dialog sheet
check "the contact sheet comes out of the queue" wait_for 90 job_done 2
sheet_at_bottom() { probe window 'ネガシート　3枚' | grep -q "^window 0 $((768 - 136)) 1024 136 "; }
check "the sheet is back at the bottom of the screen" wait_for 5 sheet_at_bottom
shot sheet-after
# The sheet's 682-pixel client area spans the page's width: at that width
# a page pixel is a pixel of the window.
pdftoppm -png -singlefile -scale-to-x 682 -scale-to-y -1 "$(job_pdf 2)" "$out/sheet-page"
# Each frame of the 4 x 9 grid: a picture fills most of its box, an empty
# frame shows the panel's face with its dark placeholder text.
convert "$out/sheet-page.png" -crop 682x425+0+0 -depth 8 txt:- | tr -d '\r' >"$out/sheet-page.txt"
awk -F'[,: ]+' '
  /^#/ { next }
  { x = $1; y = $2; match($0, /#[0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]/); c = substr($0, RSTART + 1, 6)
    col = int(x / 75); row = int(y / 100); fx = x - col * 75; fy = y - row * 100
    if (col > 8 || fx < 10 || fx >= 65 || fy < 10 || fy >= 65) next
    k = row * 9 + col + 1
    n[k]++; seen[k, c]++
    if (c ~ /^[0-3][0-9A-F][0-3][0-9A-F][0-3][0-9A-F]$/) dark[k]++ }
  END {
    face = ""; best = 0
    for (key in seen) { split(key, p, SUBSEP); if (p[1] == 36 && seen[key] > best) { best = seen[key]; face = p[2] } }
    for (k = 1; k <= 36; k++) {
      f = seen[k, face] / n[k]
      kind = (f > 0.8 && dark[k] > 5) ? "empty" : (f < 0.5 ? "picture" : "unclear")
      printf "%d %s\n", k, kind
    }
  }' "$out/sheet-page.txt" >"$out/sheet-frames.txt"
frames_are() {
  local got
  got=$(awk '{ printf "%s%s", (NR > 1 ? " " : ""), $2 }' "$out/sheet-frames.txt")
  equals "$got" "$1"
}
want="picture picture picture$(printf ' empty%.0s' $(seq 4 36))"
check "the page shows 4 rows of 9 frames: three pictures, then placeholders" frames_are "$want"
check "the first frame shows the pattern shot" \
  sh -c "convert '$out/sheet-page.png' -crop 1x1+37+37 -depth 8 txt:- | grep -Eq '#(FF0000|00FF00|0000FF)'"

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
