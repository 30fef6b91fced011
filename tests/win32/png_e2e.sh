#!/usr/bin/env bash
# PNG files in mirune.exe used like a user, under Wine on a private Xvfb
# display, through the real common dialogs driven by the keyboard: open a
# PNG made by ImageMagick (its name becomes the time stamp, so 上書保存
# writes it back as PNG), take a full-screen shot and save it as
# "shot.png", which ImageMagick must read as a 24-bit RGB PNG with the
# shot's pixels (those of the same shot saved as BMP).
#   png_e2e.sh BUILD_DIR   (a finished mingw build folder)
# Screenshots (the dialogs included) are kept in BUILD_DIR/png-e2e/.
# Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" png-e2e xdotool import convert compare identify

shot() { import -window root "$out/$1.png"; }
box_rect() { probe topmost MiruneForm | awk '$1 == "window" { print $2, $3, $4, $5 }'; }
box_is() { equals "$(box_rect)" "$1" >/dev/null; }
menu_open() { probe visible '#32768' | grep -q '^window'; }
menu_closed() { ! menu_open; }
sheet_titled() { probe window "$1" | grep -q '^window'; }
dialog_shown() { probe visible '#32770' | grep -q '^window'; }
dialog_gone() { ! dialog_shown; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ print $1 }'; }
win_path() { "$MIRUNE_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# Format, colour type and bit depth as the file's header gives them.
png_kind() { identify -format '%m %[png:IHDR.color-type-orig] %[png:IHDR.bit-depth-orig]' "$1" 2>/dev/null; }

command_menu() {
  xdotool mousemove 390 75 click 3
  wait_for 5 menu_open
}
answer_dialog() {  # answer_dialog SHOT_NAME WINDOWS_PATH
  wait_for 15 dialog_shown || return 1
  sleep 1
  local x y w h
  read -r _ x y w h _ <<<"$(probe visible '#32770' | awk '$1 == "window"' | head -n 1)"
  shot "$1"
  # Keys reach the window under the pointer: a click into the name box,
  # which lies 57 pixels above the dialog's bottom, 320 from its left.
  xdotool mousemove $((x + 320)) $((y + h - 57))
  sleep 0.3
  xdotool click 1
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key Return
  wait_for 15 dialog_gone
}

mkdir -p "$out/pics" "$out/saved"
# A palette PNG, as ImageMagick makes one of few colours.
convert -size 120x80 gradient:'#ff4000-#2040c0' -colors 200 PNG8:"$out/pics/photo.png"
convert "$out/pics/photo.png" -type TrueColor BMP3:"$out/expected.bmp"

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
(cd "$run" && WINEDEBUG=err+all exec "$MIRUNE_WINE" mirune.exe >"$out/app.log" 2>&1) &
app_pid=$!
check "the palette appears" wait_for 30 x_window '^Mirune$'
sleep 1
read -r _ _ _ _ _ _ pcx pcy _ <<<"$(probe window Mirune)"
xdotool mousemove $((pcx + 15)) $((pcy + 13)) click 1
check "the camera box appears at (300, 0), 180 x 145" wait_for 10 box_is "300 0 180 145"
sleep 1

echo "# open a PNG"
command_menu
xdotool key Down Right Return
check "the open dialog takes the typed path" answer_dialog open-dialog "$(win_path "$out/pics/photo.png")"
check "the sheet's title reads ネガシート　1枚" wait_for 10 sheet_titled 'ネガシート　1枚'
check "the box takes the picture's size" wait_for 5 box_is "300 0 144 109"
sleep 1
shot opened
convert "$out/opened.png" -crop 120x80+312+17 +repage "$out/opened-photo.png"
check "the photo shows the file's pixels" equals "$(differing "$out/opened-photo.png" "$out/expected.bmp")" 0

echo "# 上書保存: the time stamp is the file's name"
touch -d '-2 seconds' "$out/before-save"
command_menu
xdotool key Down Right Down Down Return
check "上書保存 writes back without a dialog" wait_for 5 menu_closed
sleep 1
check "no dialog opens" dialog_gone
check "photo.png is written again" test "$out/pics/photo.png" -nt "$out/before-save"
check "as a 24-bit RGB PNG" equals "$(png_kind "$out/pics/photo.png")" "PNG 2 8"
check "with the photo's pixels" equals "$(differing "PNG:$out/pics/photo.png" "$out/expected.bmp")" 0
check "and nothing else beside it" equals "$(ls "$out/pics")" photo.png

echo "# a full-screen shot saved as shot.png"
# Something to shoot: a window of red, green and blue cells below the box.
(exec "$MIRUNE_WINE" "$prober" pattern 40 200 400 300 >/dev/null 2>&1) &
pattern_pid=$!
check "the pattern window appears" wait_for 30 x_window '^MiruneTestPattern$'
sleep 1
command_menu
# 全画面 撮影 is the fourth item; シャッター the first of its submenu.
xdotool key Down Down Down Down Right Return
check "after the delay the sheet's title reads ネガシート　2枚" wait_for 10 sheet_titled 'ネガシート　2枚'
sleep 2
command_menu
# Under ﾌｧｲﾙ: open, close, 上書保存, 名前をつけて保存.
xdotool key Down Right Down Down Down Return
check "the save dialog takes shot.png" answer_dialog save-dialog "$(win_path "$out/saved/shot.png")"
check "shot.png is written" wait_for 5 test -s "$out/saved/shot.png"
command_menu
xdotool key Down Right Down Down Down Return
check "the save dialog takes shot.bmp" answer_dialog save-dialog-bmp "$(win_path "$out/saved/shot.bmp")"
check "shot.bmp is written" wait_for 5 test -s "$out/saved/shot.bmp"
read -r _ sw sh <<<"$(probe screen)"
check "ImageMagick reads shot.png as a 24-bit RGB PNG" equals "$(png_kind "$out/saved/shot.png")" "PNG 2 8"
check "of the screen's size" equals "$(identify -format '%w %h' "PNG:$out/saved/shot.png")" "$sw $sh"
check "with the shot's pixels" equals "$(differing "PNG:$out/saved/shot.png" "BMP:$out/saved/shot.bmp")" 0
check "the shot holds the pattern's colours" test "$(identify -format '%k' "PNG:$out/saved/shot.png")" -ge 3
check "shot.bmp is still a BMP" equals "$(head -c 2 "$out/saved/shot.bmp")" BM
ls -l "$out/saved"
check "the program still runs" app_running

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
