#!/usr/bin/env bash
# mirune.exe on a scaled desk of two monitors, under Wine: LogPixels 144
# (150 %), and two monitors side by side, 1024 x 768 at 0, 0 and 800 x 600
# at 1024, 0, which Xephyr lays out as Xinerama heads inside the private
# Xvfb (Wine reads the heads with UseXRandR=N).
#   dpi_e2e.sh BUILD_DIR   (a finished mingw build folder)
#
# The palette is 45 x 195 device pixels with its glyphs grown; the camera
# box, dragged onto the second monitor, takes "全画面 撮影" of that monitor
# (800 x 600) and an area shot there, each equal to the pixels beneath
# (ImageMagick compare, AE 0). The options dialog at this DPI is kept as
# options.png for a person to look at. Screenshots in BUILD_DIR/dpi-e2e/.
# The next test's start puts the prefix back to 96 DPI and XRandR.
# Prints "N passed, M failed" last.
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="pattern_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" dpi-e2e xdotool import convert compare Xephyr

# Wine's programs go before Xephyr, and Xephyr before the Xvfb it shows in.
xephyr_pid=
dpi_cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "${pattern_pid:-}" ] && kill "$pattern_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  timeout 20 wineserver -w >/dev/null 2>&1
  [ -n "$xephyr_pid" ] && kill "$xephyr_pid" 2>/dev/null && wait "$xephyr_pid" 2>/dev/null
  wine_env_stop
}
trap dpi_cleanup EXIT

# The two monitors, on a display of their own; Wine starts again on it.
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
for n in $(seq 141 190); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
done
Xephyr ":$n" -screen 1024x768+0+0 -screen 800x600+1024+0 +xinerama -nolisten tcp >"$out/xephyr.log" 2>&1 &
xephyr_pid=$!
wait_for 10 test -e "/tmp/.X11-unix/X$n" || { echo "Xephyr did not start on :$n" >&2; exit 2; }
export DISPLAY=":$n"
wine_display "$MIRUNE_WINE" 144 N || { echo "cannot set 144 DPI in $WINEPREFIX" >&2; exit 2; }
wineserver -w >/dev/null 2>&1
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
check "Wine sees the second monitor at 1024, 0, 800 x 600" equals "$(probe monitors | tail -n 1)" "monitor 1024 0 800 600"

box_becomes() {  # box_becomes "L T W H"
  wait_for 10 box_is "$1" || { echo "     the box is at $(box_rect)"; return 1; }
}
# The camera box's command menu, opened on the photo at (X, Y), then KEYS.
menu_at() {  # menu_at X Y KEY...
  local x=$1 y=$2 i
  shift 2
  for i in 1 2 3; do
    xdotool mousemove "$x" "$y" click 3
    wait_for 3 menu_open && break
  done
  xdotool key "$@"
  wait_for 5 menu_closed
}
# Whether W x H pixels of screenshot A at (XA, YA) equal those of B at (XB, YB).
same_pixels() {  # same_pixels W H A XA YA B XB YB
  local ae
  ae=$(differing "$out/$3.png[$1x$2+$4+$5]" "$out/$6.png[$1x$2+$7+$8]")
  [ "$ae" = 0 ] || { echo "     $ae pixels differ"; return 1; }
}
# The right handle shows in the framing view (the face of its bevel).
handle_shown() {
  shot framing
  [ "$(pixel framing 1378 180)" = C0C0C0 ]
}

# The pattern on the second monitor, and the desk as it is without the program.
pattern_left=1100
pattern_top=40
start_pattern_window
shot desk
e2e_dpi=144
start_program
read -r _ _ _ _ _ _ _ _ pw ph _ <<<"$(probe window Mirune)"
check "the palette is 45 x 195 device pixels" equals "$pw $ph" "45 195"
shot palette
# The camera glyph's ink ("写", 17 pixels square at 96 DPI) grows by half.
ink=$(convert "$out/palette.png" -crop "45x39+$pcx+$pcy" +repage -fill black +opaque '#FF8000' -trim -format '%w %h' info:)
check "the camera glyph's ink is 25 x 25" equals "$ink" "25 25"

echo "# the camera box on the second monitor"
xdotool mousemove $((pcx + 22)) $((pcy + 19)) click 1
check "the camera box appears at (300, 0), 190 x 158: margins 15, 23, 15, 15 around 160 x 120" \
  box_becomes "300 0 190 158"
# Its top margin moves it: a drag onto the second monitor.
xdotool mousemove 310 8 mousedown 1
for i in 1 2 3 4 5 6 7 8; do xdotool mousemove $((310 + 900 * i / 8)) $((8 + 100 * i / 8)) sleep 0.1; done
xdotool mouseup 1
check "dragged to (1200, 100)" box_becomes "1200 100 190 158"
# The photo lies at (1217, 125), 156 x 116.
menu_at 1290 180 Down Down Down Down Right Return
check "全画面 撮影 lays a shot into the film" wait_for 10 sheet_titled 'ネガシート　1枚'
check "the box shows it at a quarter: 200 x 150" box_becomes "1200 100 234 192"
menu_at 1290 180 Down Down Down Down Down Right Down Down Down Return
check "原寸 shows the shot at 800 x 600" box_becomes "1200 100 834 642"
shot screen-shot
# The photo's pixel (x, y) at (1217 + x, 125 + y) up to the desk's edge.
check "it is the second monitor, pixel for pixel as far as it shows" \
  same_pixels 607 643 screen-shot 1217 125 desk 1024 0
menu_at 1290 180 Down Down Down Down Down Right Return
check "ﾃﾞﾌｫﾙﾄサイズ brings the box back" box_becomes "1200 100 190 158"

echo "# an area shot on the second monitor"
menu_at 1290 180 Down Down Down Right Escape Escape
# The right handle stands at x 1375 to 1382 in the framing view.
check "選択画面 撮影 shows the handles" wait_for 10 handle_shown
xdotool mousemove 1378 180 mousedown 3
check "a right press on a handle opens the shot menu" wait_for 5 menu_open
xdotool mouseup 3 key Down Return
check "the area shot lays a second shot into the film" wait_for 10 sheet_titled 'ネガシート　2枚'
check "the box is back in the normal view" box_becomes "1200 100 190 158"
kill "$pattern_pid" 2>/dev/null
pattern_pid=
check "the pattern window is gone" wait_for 10 no_x_window '^MiruneTestPattern$'
shot area-shot
check "the photo holds exactly the pixels that were under it" same_pixels 156 116 area-shot 1217 125 desk 1217 125

echo "# the options dialog"
menu_at 1290 180 Down Down Down Down Down Down Return
options_shown() { probe window オプション | grep -q 'visible 1$'; }
options_hidden() { probe window オプション | grep -q 'visible 0$'; }
check "the options dialog opens" wait_for 10 options_shown
read -r _ _ _ _ _ _ ox oy ow oh _ <<<"$(probe window オプション)"
check "its client area is 596 x 680" equals "$ow $oh" "596 680"
shot options
# ｷｬﾝｾﾙ, at (225, 422) and 70 x 24 in the design: (338, 633), 105 x 36 here.
xdotool mousemove $((ox + 390)) $((oy + 651)) click 1
check "its ｷｬﾝｾﾙ button closes it" wait_for 10 options_hidden

e2e_end
