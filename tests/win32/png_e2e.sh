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
# With Wine's managed windows: without them, after a full-screen shot over
# another program's window the keyboard sometimes stays with that window
# (no window manager hands it back), and the command menu misses the keys.
export MIRUNE_WINE_MANAGED=${MIRUNE_WINE_MANAGED:-Y}
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" png-e2e xdotool import convert compare identify

# Format, colour type and bit depth as the file's header gives them.
png_kind() { identify -format '%m %[png:IHDR.color-type-orig] %[png:IHDR.bit-depth-orig]' "$1" 2>/dev/null; }

mkdir -p "$out/pics" "$out/saved"
# A palette PNG, as ImageMagick makes one of few colours.
convert -size 120x80 gradient:'#ff4000-#2040c0' -colors 200 PNG8:"$out/pics/photo.png"
convert "$out/pics/photo.png" -type TrueColor BMP3:"$out/expected.bmp"

# Something to shoot later: a window of red, green and blue cells below the
# box. It is there before the program starts, so the program's windows
# keep the keyboard (without a window manager a new window takes it).
pattern_left=40
pattern_top=200
start_pattern_window

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_program
open_camera_box

echo "# open a PNG"
command_menu
xdotool key Down Right Return
check "the open dialog takes the typed path" answer_dialog open-dialog "$(win_path "$out/pics/photo.png")"
check "the sheet's title reads ネガシート　1枚" wait_for 10 sheet_titled 'ネガシート　1枚'
check "the box takes the picture's size" wait_for 5 box_is "300 0 144 109"
photo_shows() {  # photo_shows SHOT FILE: the photo at (312, 17) shows the file's pixels
  convert "$out/$1.png" -crop 120x80+312+17 +repage "$out/$1-photo.png" && equals "$(differing "$out/$1-photo.png" "$2")" 0
}
check "the photo shows the file's pixels" shot_until 10 opened photo_shows opened "$out/expected.bmp"

echo "# 上書保存: the time stamp is the file's name"
touch -d '-2 seconds' "$out/before-save"
command_menu
xdotool key Down Right Down Down Return
check "上書保存 writes back without a dialog" wait_for 5 menu_closed
check "photo.png is written again" wait_for 10 test "$out/pics/photo.png" -nt "$out/before-save"
check "no dialog opens" dialog_gone
check "as a 24-bit RGB PNG" equals "$(png_kind "$out/pics/photo.png")" "PNG 2 8"
check "with the photo's pixels" equals "$(differing "PNG:$out/pics/photo.png" "$out/expected.bmp")" 0
check "and nothing else beside it" equals "$(ls "$out/pics")" photo.png

echo "# a full-screen shot saved as shot.png"
command_menu
# 全画面 撮影 is the fourth item; シャッター the first of its submenu.
xdotool key Down Down Down Down Right Return
check "after the delay the sheet's title reads ネガシート　2枚" wait_for 10 sheet_titled 'ネガシート　2枚'
read -r _ sw sh <<<"$(probe screen)"
check "the box shows the shot at a quarter of the screen" wait_for 10 box_is "300 0 $((sw / 4 + 24)) $((sh / 4 + 29))"
shot after-shot
# 名前をつけて保存 from the command menu; a menu that missed the keys is
# closed and opened again.
save_as() {  # save_as SHOT_NAME WINDOWS_PATH
  local i
  for i in 1 2 3; do
    command_menu || continue
    # Under ﾌｧｲﾙ: open, close, 上書保存, 名前をつけて保存.
    xdotool key Down Right Down Down Down Return
    wait_for 5 dialog_shown && { answer_dialog "$1" "$2"; return; }
    shot "$1-missed-$i"
    xdotool key Escape Escape Escape
    wait_for 3 menu_closed
  done
  return 1
}
check "the save dialog takes shot.png" save_as save-dialog "$(win_path "$out/saved/shot.png")"
check "shot.png is written" wait_for 5 test -s "$out/saved/shot.png"
check "the save dialog takes shot.bmp" save_as save-dialog-bmp "$(win_path "$out/saved/shot.bmp")"
check "shot.bmp is written" wait_for 5 test -s "$out/saved/shot.bmp"
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
