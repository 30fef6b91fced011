#!/usr/bin/env bash
# The film's commands of mirune.exe used like a user, under Wine on a
# private Xvfb display: three area shots of a window of known pixels,
# batch save through the system's save dialog, delete all, batch load
# through the open dialog, then the paint command and the option software
# with a small test program standing in for both.
#   film_e2e.sh BUILD_DIR   (a finished mingw build folder)
#
# Screenshots and the series files are kept in BUILD_DIR/film-e2e/.
# Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" film-e2e xdotool import convert identify
handler=$(built_file "$(dirname "$mirune")" film_handler.exe) || { echo "not built: film_handler.exe" >&2; exit 2; }

sheet_titled() { probe window "$1" | grep -q 'visible 1$'; }
dialog_up() { probe window "$1" | grep -q 'visible 1$'; }
# One pixel of an image file, as RRGGBB.
file_pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1 | tr -d '#'; }

# The pattern window: 8-pixel cells, red, green, blue by (x / 8 + y / 8) % 3
# of its client pixel. The camera box moves along it between the shots.
pattern_left=250
pattern_top=0
pattern_colour() {  # pattern_colour X Y (screen)
  case $(((($1 - pattern_left) / 8 + ($2 - pattern_top) / 8) % 3)) in 0) echo FF0000 ;; 1) echo 00FF00 ;; 2) echo 0000FF ;; esac
}
# A mouse drag in small steps, as a hand would make it.
drag() {  # drag X0 Y0 X1 Y1
  local x0=$1 y0=$2 x1=$3 y1=$4 i
  xdotool mousemove "$x0" "$y0" sleep 0.2 mousedown 1
  for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x0 + (x1 - x0) * i / 8)) $((y0 + (y1 - y0) * i / 8)) sleep 0.1
  done
  xdotool sleep 0.3 mouseup 1
}
# The photo lies 12 right of the box's left, at 17 from the top, 156 x
# 116: file pixel (x, y) is what the pattern has at (left + 12 + x, 17 + y).
holds_shot() {  # holds_shot FILE BOX_LEFT
  local size bad=0 x y got want
  size=$(identify -format '%wx%h' "$1" 2>/dev/null)
  [ "$size" = 156x116 ] || { echo "     $1 is $size"; return 1; }
  for xy in "0 0" "1 1" "7 0" "8 0" "40 30" "100 60" "155 0" "0 115" "155 115" "77 99"; do
    read -r x y <<<"$xy"
    got=$(file_pixel "$1" "$x" "$y")
    want=$(pattern_colour $(($2 + 12 + x)) $((17 + y)))
    [ "$got" = "$want" ] || { echo "     $1 ($x, $y): got $got, want $want"; bad=1; }
  done
  [ "$bad" -eq 0 ]
}
# The paint program's stand-in logs each command line it was started with.
log_has() { grep -qF -- "$1" "$out/handler/handler-log.txt" 2>/dev/null; }
log_lines() { cat "$out/handler/handler-log.txt" 2>/dev/null | wc -l; }

mkdir -p "$out/handler"
cp "$handler" "$out/handler/"
handler_win=$("$MIRUNE_WINE" winepath -w "$out/handler/film_handler.exe" 2>/dev/null | tr -d '\r')
run_win=$("$MIRUNE_WINE" winepath -w "$run" 2>/dev/null | tr -d '\r')
# The stand-in opens bitmap files (Wine takes file classes from HKCR only)
# and is the option software.
# The prefix is shared with the other scripts: the class .bmp had goes back
# at the end.
old_class=$("$MIRUNE_WINE" reg query 'HKCR\.bmp' /ve 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ {print $NF}')
"$MIRUNE_WINE" reg add 'HKCR\.bmp' /ve /d MiruneFilmTestBitmap /f >/dev/null 2>&1
"$MIRUNE_WINE" reg add 'HKCR\MiruneFilmTestBitmap\shell\open\command' /ve /d "\"$handler_win\" \"%1\"" /f >/dev/null 2>&1
unregister() {
  "$MIRUNE_WINE" reg delete 'HKCR\MiruneFilmTestBitmap' /f >/dev/null 2>&1
  if [ -n "$old_class" ]; then
    "$MIRUNE_WINE" reg add 'HKCR\.bmp' /ve /d "$old_class" /f >/dev/null 2>&1
  else
    "$MIRUNE_WINE" reg delete 'HKCR\.bmp' /ve /f >/dev/null 2>&1
  fi
}
trap 'unregister; e2e_cleanup' EXIT
printf '[Option]\r\ntimelag=0\r\nPS=%s --option\r\n' "$handler_win" >"$run/mirune.ini"
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1

check "the temporary folder for the hand-off file is found" find_handoff
start_pattern_window
start_program
open_camera_box
xdotool mousemove $((pcx + 15)) $((pcy + 26 + 13)) click 1
check "the negative sheet appears" wait_for 10 sheet_titled 'ネガシート'

echo "# three area shots, the box moved 40 pixels right between them"
# Each through the framing view and the shot menu of the box's right handle
# (window x 170 to 174), which opens beside the area, not over it: what
# the shot copies is on the screen, whoever has to draw it.
framing_drawn() {  # framing_drawn SHOT LEFT
  equals "$(pixel "$1" $(($2 + 172)) 60)" C0C0C0 &&
    shows_pattern "$1" $(($2 + 20)) 30 $(($2 + 100)) 80 $(($2 + 160)) 120 $(($2 + 14)) 130
}
lefts=(300 340 380)
for k in 1 2 3; do
  left=${lefts[$((k - 1))]}
  if [ "$k" -gt 1 ]; then
    drag $((left - 40 + 5)) 80 $((left + 5)) 80
    check "the box moves to ($left, 0)" wait_for 5 box_is "$left 0 180 145"
  fi
  check "shot $k: the command menu opens" command_menu $((left + 90)) 75
  # 選択画面 撮影, the third item: opening it enters the framing view.
  xdotool key Down Down Down Right
  wait_for 5 submenu_open
  xdotool key Escape Escape
  wait_for 5 menu_closed
  check "shot $k: the framing view is drawn" shot_until 10 "framing$k" framing_drawn "framing$k" "$left"
  xdotool mousemove $((left + 172)) 60 mousedown 3
  check "shot $k: the handle's shot menu opens" wait_for 5 menu_open
  xdotool mouseup 3
  # シャッター, its first item.
  xdotool key Down Return
  check "shot $k: the sheet's title reads ネガシート　${k}枚" wait_for 10 sheet_titled "ネガシート　${k}枚"
  check "and the camera box is back at 180 x 145" wait_for 5 box_is "$left 0 180 145"
  shot "shot$k"
done
shot shots
read -r _ _ _ _ _ _ scx scy _ <<<"$(probe window 'ネガシート　3枚')"
click_sheet() { xdotool mousemove $((scx + $1)) $((scy + $2)) click "${3:-1}"; }

echo "# batch save through the save dialog"
click_sheet 45 56
check "\"連続保存＞\" opens the save dialog" wait_for 10 dialog_up '名前をつけて保存'
echo "     $(probe window '名前をつけて保存')"
check "the dialog takes the series' name and closes" answer_dialog save-dialog "$run_win\\abcdef"
check "abcdef01.bmp ... abcdef03.bmp are written, and no more" wait_for 10 eval \
  '[ "$(cd "$run" && ls abcdef* 2>/dev/null | tr "\n" " ")" = "abcdef01.bmp abcdef02.bmp abcdef03.bmp " ]'
for k in 1 2 3; do
  check "abcdef0$k.bmp holds the pixels of shot $k" holds_shot "$run/abcdef0$k.bmp" "${lefts[$((k - 1))]}"
done

echo "# delete all"
click_sheet 45 76 3
wait_for 5 menu_open
xdotool key Down Return
check "\"全て削除\" empties the film: the title reads ネガシート" wait_for 10 sheet_titled 'ネガシート'

echo "# batch load through the open dialog"
click_sheet 45 56 3
wait_for 5 menu_open
xdotool key Down Return
check "\"連続読込\" opens the open dialog" wait_for 10 dialog_up 'ファイルを開く'
check "the dialog takes the first file's name and closes" answer_dialog open-dialog "$run_win\\abcdef01.bmp"
check "the series loads: the title reads ネガシート　3枚" wait_for 10 sheet_titled 'ネガシート　3枚'
shot loaded

echo "# the paint command and the option software"
# Frame 1's thumbnail (156 x 116 fitted: 71 x 53 at (2, 13)) in the strip;
# selected, it writes the hand-off file.
rm -f "$handoff"
click_sheet $((89 + 2 + 35)) $((13 + 26))
check "a press on frame 1 selects it" wait_for 10 test -f "$handoff"
red_in_caption() {  # red_in_caption SHOT: red pixels in frame 1's caption
  convert "$out/$1.png" -crop "70x12+$((scx + 91))+$((scy + 76))" -depth 8 txt:- | grep -c '#FF0000'
}
check "its caption turns red" shot_until 10 selected eval '[ "$(red_in_caption selected)" -gt 0 ]'
click_sheet 45 36
check "\"ペイント　＞\" opens the selected frame's file abcdef01.bmp" wait_for 10 log_has '\abcdef01.bmp"'
check "by its full path in the series' folder" log_has "\"$run_win\\abcdef01.bmp\""
lines=$(log_lines)
# Pressed again, the frame is unselected (its caption black again): the
# hand-off file goes instead.
click_sheet $((89 + 2 + 35)) $((13 + 26))
check "a second press unselects it" shot_until 10 unselected eval '[ "$(red_in_caption unselected)" -eq 0 ]'
click_sheet 45 36
check "with no frame selected the hand-off file temp.bmp opens" wait_for 10 eval \
  '[ "$(log_lines)" -gt "$lines" ] && tail -n 1 "$out/handler/handler-log.txt" | grep -qi "\\\\temp\.bmp\"\?\s*$"'
lines=$(log_lines)
click_sheet 45 36 3
wait_for 5 menu_open
xdotool key Down Return
check "\"オプションソフトを起動\" starts the option software's command line" wait_for 10 eval \
  '[ "$(log_lines)" -gt "$lines" ] && tail -n 1 "$out/handler/handler-log.txt" | grep -q -- " --option\s*$"'
echo "     handler log:"
sed 's/^/       /' "$out/handler/handler-log.txt" 2>/dev/null

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
