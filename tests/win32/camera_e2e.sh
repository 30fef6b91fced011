#!/usr/bin/env bash
# The camera box of mirune.exe driven like a user, under Wine on a private
# Xvfb display: shown by its palette button, seen through, moved by its
# margin, resized by its size menu and by its edge handles.
#   camera_e2e.sh BUILD_DIR   (a finished mingw build folder)
#
# A window of known pixels (mirune_probe pattern) lies under the box, so
# what shows through the margins can be compared pixel by pixel.
# Screenshots are kept in BUILD_DIR/camera-e2e/. Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" camera-e2e xdotool import convert

# The camera box is the program's one stay-on-top window.
box_geometry() { probe topmost MiruneForm; }
box_rect() { box_geometry | awk '$1 == "window" { print $2, $3, $4, $5 }'; }


# The pattern window: 8-pixel cells, red, green, blue by (x / 8 + y / 8) % 3.
pattern_left=250
pattern_top=0

# A mouse drag in small steps, as a hand would make it.
drag() {  # drag X0 Y0 X1 Y1
  local x0=$1 y0=$2 x1=$3 y1=$4 i
  xdotool mousemove "$x0" "$y0" sleep 0.2 mousedown 1
  for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x0 + (x1 - x0) * i / 8)) $((y0 + (y1 - y0) * i / 8)) sleep 0.1
  done
  xdotool sleep 0.3 mouseup 1
}

"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
start_pattern_window 300 320
start_program

echo "# the camera box button"
open_camera_box
shot shown
# The title picture: its film strip's amber frames and black ground.
check "the picture area shows the title picture" equals "$(pixel shown $((312 + 10)) $((17 + 55))),$(pixel shown $((312 + 1)) $((17 + 46)))" "FFB000,000000"
check "the margins show the window beneath" shows_pattern shown 301 3 305 60 303 140 470 8 476 100 420 141 330 12
check "the viewfinder's bevel is drawn over it" equals "$(pixel shown 310 60)" "808080"

echo "# moving by the margin"
drag 305 80 405 180
check "dragging the margin moves the box" wait_for 5 box_is "400 100 180 145"
moved_drawn() { shows_pattern moved 402 103 405 160 403 240 545 110 && equals "$(pixel moved $((412 + 10)) $((117 + 55)))" FFB000; }
shot_until 10 moved moved_drawn >/dev/null
check "the margins show the window beneath at the new place" shows_pattern moved 402 103 405 160 403 240 545 110
check "the picture moved along" equals "$(pixel moved $((412 + 10)) $((117 + 55)))" "FFB000"

echo "# the command menu and the size submenu"
xdotool mousemove 480 180 click 3
check "a right click on the picture opens the command menu" wait_for 5 menu_open
shot command-menu
# サイズ is the fifth item; 拡大 the second of its submenu, 200% the first of that.
xdotool key Down Down Down Down Down Right Down Right Return
check "the menu closes" wait_for 5 menu_closed
check "200% makes the box 336 x 261 within a few ticks" wait_for 2 box_is "400 100 336 261"
# The title picture's amber, twice as far in.
shot_until 10 zoom200 eval 'equals "$(pixel zoom200 $((412 + 20)) $((117 + 110)))" FFB000' >/dev/null

echo "# reshape mode and the edge handles"
xdotool mousemove 560 240 click 3
wait_for 5 menu_open
xdotool key Down Down Down Down Down Right Down Down Down Down Return
wait_for 5 menu_closed
# The right handle lies just right of the viewfinder: window x 326 to 330.
check "the right handle is out" shot_until 10 reshape eval 'equals "$(pixel reshape $((400 + 328)) 200)" C0C0C0'
drag $((400 + 327)) 200 $((400 + 387)) 200
box_wider() { read -r _ _ bw _ <<<"$(box_rect)"; [ "${bw:-0}" -gt 336 ]; }
wait_for 10 box_wider
check "the program still runs" kill -0 "$app_pid"
read -r bl bt bw bh <<<"$(box_rect)"
shot_until 10 right-drag eval 'equals "$(pixel right-drag $((412 + 1)) $((117 + 46 * 2 + 1)))" 000000' >/dev/null
check "dragging the right handle widens the box" test "$bw" -gt 336
check "its left edge stays put" equals "$bl,$bt,$bh" "400,100,261"
check "the picture's left edge stays put" equals "$(pixel right-drag $((412 + 1)) $((117 + 46 * 2 + 1)))" "000000"

echo "# right press on one handle, Escape, then a left drag on another"
rw=$bw
xdotool mousemove $((400 + rw - 10 + 2)) 200 mousedown 3
check "a right press on a handle opens the shot menu" wait_for 5 menu_open
shot shot-menu
xdotool mouseup 3 key Escape
check "Escape closes it" wait_for 5 menu_closed
# The bottom handle lies just below the viewfinder: window y 251 to 255.
drag 500 $((100 + 252)) 500 $((100 + 292))
box_taller() { read -r _ _ _ bh <<<"$(box_rect)"; [ "${bh:-0}" -gt 261 ]; }
wait_for 10 box_taller
read -r bl bt bw bh <<<"$(box_rect)"
shot_until 10 bottom-drag shows_pattern bottom-drag 402 150 403 300 450 103 520 106 >/dev/null
check "the bottom handle changes only the height" equals "$bl,$bt,$bw" "400,100,$rw"
check "the height grew" test "$bh" -gt 261
check "after the drags the margins still show the window beneath" shows_pattern bottom-drag 402 150 403 300 450 103 520 106

kill "$app_pid" 2>/dev/null
app_pid=
e2e_end
