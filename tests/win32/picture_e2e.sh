#!/usr/bin/env bash
# The camera box's picture commands of mirune.exe used like a user, under
# Wine on a private Xvfb display, through the real common dialogs driven by
# the keyboard: open a BMP made by ImageMagick, save it as another name,
# copy it to the clipboard (read back with xclip), paste a bitmap another
# program put there and save that.
#   picture_e2e.sh BUILD_DIR   (a finished mingw build folder)
# Screenshots (the dialogs included) are kept in BUILD_DIR/picture-e2e/.
# Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e-common.sh"
e2e_begin "${1:-}" picture-e2e xdotool xclip import convert compare

# Pixels of a screenshot's rectangle brighter than the black desktop.
lit_pixels() {  # lit_pixels SHOT X Y W H
  convert "$out/$1.png" -crop "$4x$5+$2+$3" +repage -colorspace Gray -threshold 20% -format '%[fx:round(mean*w*h)]' info:
}


mkdir -p "$out/pics" "$out/saved"
convert -size 120x80 gradient:'#ff4000-#2040c0' -type TrueColor BMP3:"$out/pics/photo.bmp"
convert -size 70x50 gradient:'#20c040-#c02080' -type TrueColor BMP3:"$out/pasted.bmp"

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_program
open_camera_box

echo "# open"
command_menu
# ﾌｧｲﾙ(&F) is the first item; ﾌｧｲﾙを開く the first of its submenu.
xdotool key Down Right Return
check "the open dialog takes the typed path" answer_dialog open-dialog "$(win_path "$out/pics/photo.bmp")"
check "the sheet's title reads ネガシート　1枚" wait_for 10 sheet_titled 'ネガシート　1枚'
# The photo at its own size: 120 x 80 plus 4 of bevel plus 20 x 25 of margins.
check "the box takes the picture's size" wait_for 5 box_is "300 0 144 109"
photo_shows() {  # photo_shows SHOT FILE: the photo at (312, 17) shows the file's pixels
  convert "$out/$1.png" -crop 120x80+312+17 +repage "$out/$1-photo.png" && equals "$(differing "$out/$1-photo.png" "$2")" 0
}
check "the photo shows the file's pixels" shot_until 10 opened photo_shows opened "$out/pics/photo.bmp"
check "a time stamp is drawn above the photo" test "$(lit_pixels opened 305 1 80 13)" -gt 20

echo "# save over the opened file (the open dialog left its folder current)"
touch -d '-2 seconds' "$out/before-save"
command_menu
xdotool key Down Right Down Down Return
check "上書保存 writes back without a dialog" wait_for 5 menu_closed
check "the opened file is written again" wait_for 10 test "$out/pics/photo.bmp" -nt "$out/before-save"
check "no dialog opens" dialog_gone
check "with the photo's pixels" equals "$(differing "$out/pics/photo.bmp" "$out/opened-photo.png")" 0
check "and nothing else beside it" equals "$(ls "$out/pics")" photo.bmp

echo "# save as"
command_menu
# Under ﾌｧｲﾙ: open, close, 上書保存, 名前をつけて保存 (separators are skipped).
xdotool key Down Right Down Down Down Return
check "the save dialog takes the typed path" answer_dialog save-dialog "$(win_path "$out/saved/copy.bmp")"
check "the file is written" wait_for 5 test -s "$out/saved/copy.bmp"
check "with the opened picture's pixels" equals "$(differing "$out/saved/copy.bmp" "$out/pics/photo.bmp")" 0
check "and nothing else in its folder" equals "$(ls "$out/saved")" copy.bmp

command_menu
xdotool key Down Right Down Down Return
check "上書保存 then writes the stamp's name in the chosen file's folder" wait_for 5 test -s "$out/saved/photo.bmp"

echo "# copy"
command_menu
# 編集(&E), the second item: クリア, コピー, 貼りつけ ...
xdotool key Down Down Right Down Return
copied() {
  xclip -selection clipboard -t image/bmp -o >"$out/copied.bmp" 2>/dev/null &&
    equals "$(differing "$out/copied.bmp" "$out/pics/photo.bmp")" 0
}
check "the clipboard holds the photo's pixels" wait_for 10 copied

echo "# paste"
xclip -selection clipboard -t image/bmp -i "$out/pasted.bmp"
check "another program offers a bitmap" wait_for 10 eval \
  'xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -q "^image/bmp$"'
command_menu
xdotool key Down Down Right Down Down Return
check "the menu closes" wait_for 5 menu_closed
# The pasted bitmap is drawn stretched over the photo: it no longer shows
# the opened file.
shot_until 10 pasted eval '! photo_shows pasted "$out/pics/photo.bmp"' >/dev/null
check "the photo keeps its size" box_is "300 0 144 109"
command_menu
xdotool key Down Right Down Down Down Return
check "the save dialog takes another path" answer_dialog save-dialog-2 "$(win_path "$out/saved/pasted.bmp")"
check "the file is written" wait_for 5 test -s "$out/saved/pasted.bmp"
check "with the pasted bitmap's own size and pixels" equals "$(differing "$out/saved/pasted.bmp" "$out/pasted.bmp")" 0
check "the program still runs" app_running

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
