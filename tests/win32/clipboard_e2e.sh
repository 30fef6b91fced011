#!/usr/bin/env bash
# The clipboard watcher of mirune.exe with a real outside program, under
# Wine on a private Xvfb display: xclip puts a BMP on the X clipboard; with
# the palette's clipboard button down it goes into the film and off the
# clipboard, with the button up it stays. A press on the frame writes the
# hand-off file with the same pixels.
#   clipboard_e2e.sh BUILD_DIR   (a finished mingw build folder)
# Screenshots are kept in BUILD_DIR/clipboard-e2e/. Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/e2e-common.sh"
e2e_begin "${1:-}" clipboard-e2e xdotool xclip import convert compare
# Whether a bitmap is offered on the X clipboard.
x_has_bitmap() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q '^image/bmp$'; }
x_has_no_bitmap() { ! x_has_bitmap; }
# Dark pixels in a rectangle of a screenshot.
dark_pixels() {  # dark_pixels SHOT X Y W H
  convert "$out/$1.png" -crop "$4x$5+$2+$3" -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}

# The pictures another program copies: 24-bit BMPs of a gradient.
convert -size 200x150 gradient:'#ff2000-#0030c0' -type TrueColor BMP3:"$out/first.bmp"
convert -size 90x160 gradient:'#10e060-#602080' -type TrueColor BMP3:"$out/second.bmp"

check "the temporary folder for the hand-off file is found" find_handoff
rm -f "$handoff"

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_program
palette_button() { xdotool mousemove $((pcx + 15)) $((pcy + $1 + 13)) click 1; }

echo "# the clipboard button up"
xclip -selection clipboard -t image/bmp -i "$out/first.bmp"
check "another program offers a bitmap" wait_for 5 x_has_bitmap
# 1.5 s: the watcher would have looked more than 20 times.
check "with the button up the bitmap stays on the clipboard" holds_for 1.5 x_has_bitmap

echo "# the clipboard button down"
palette_button 52
check "within a second of the button going down the waiting bitmap is taken" wait_for 1 x_has_no_bitmap
xclip -selection clipboard -t image/bmp -i "$out/second.bmp"
check "a bitmap copied while it is down is taken within a second" wait_for 1 x_has_no_bitmap
check "the program still runs" kill -0 "$app_pid"

echo "# the film"
palette_button 26
# Its title counts the two bitmaps taken.
sheet_shown() { probe window 'ネガシート　2枚' | grep -q 'visible 1$'; }
check "the negative sheet shows, its title counting two frames" wait_for 10 sheet_shown
read -r _ _ _ _ _ _ scx scy _ <<<"$(probe window 'ネガシート　2枚')"
# Frame 1 lies at client (89, 0) and its caption 76 below; frame 3 is empty,
# its face grey.
captions() {
  test "$(dark_pixels film $((scx + 91)) $((scy + 76)) 70 12)" -gt 10 -a \
    "$(dark_pixels film $((scx + 166)) $((scy + 76)) 70 12)" -gt 10
}
check "frames 1 and 2 have captions" shot_until 10 film captions
check "frame 3 has none" equals "$(dark_pixels film $((scx + 241)) $((scy + 76)) 70 12)" 0

echo "# a press on the frames"
xdotool mousemove $((scx + 89 + 37)) $((scy + 37)) click 1
check "a press on frame 1 writes the hand-off file" wait_for 5 test -f "$handoff"
check "with the pixels of the first bitmap" equals "$(differing "$handoff" "$out/first.bmp")" 0
rm -f "$handoff"
xdotool mousemove $((scx + 164 + 37)) $((scy + 37)) click 3
# The file is written whole or not at all (renamed into place).
check "a right press on frame 2 writes the hand-off file again" wait_for 5 test -f "$handoff"
check "with the second bitmap" equals "$(differing "$handoff" "$out/second.bmp")" 0
shot selected

echo "# the clipboard button up again"
palette_button 52
check "the button is drawn up" shot_until 10 button-up clipboard_button_is up button-up
xclip -selection clipboard -t image/bmp -i "$out/first.bmp"
check "another program offers a bitmap again" wait_for 5 x_has_bitmap
check "with the button up again the bitmap stays" holds_for 1.5 x_has_bitmap

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
