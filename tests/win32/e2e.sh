#!/usr/bin/env bash
# mirune.exe driven like a user, under Wine on a private Xvfb display.
#   e2e.sh BUILD_DIR     (a finished mingw build folder, 32-bit or x86_64:
#                         wine-env.sh picks the Wine for it)
#
# Geometry is measured twice, independently: as the system reports it
# (mirune_probe asks Wine's window manager: window rect, client origin and
# size) and from the screenshot (the five 26-pixel buttons each end in a
# black bottom edge as wide as the client area). Both must say 30 x 130.
#
# Screenshots are kept in BUILD_DIR/e2e/. Prints "N passed, M failed" last.
#
# The one Wine test that runs with Wine's default managed top-level windows
# (the other tests turn them off, see wine-env.sh), so the path users meet
# stays covered.
set -u
export MIRUNE_WINE_MANAGED=${MIRUNE_WINE_MANAGED:-Y}
here=$(cd "$(dirname "$0")" && pwd)
e2e_pid_vars="xclip_pid"
. "$here/e2e-common.sh"
e2e_begin "${1:-}" e2e xdotool import convert iconv
box_up() { probe texts '#32770' 'Mirune 36 枚撮り' | grep -q '|'; }
box_gone() { ! box_up; }

start_app() {
  (cd "$run" && exec "$MIRUNE_WINE" mirune.exe >/dev/null 2>&1) &
  app_pid=$!
  wait_for 30 x_window '^Mirune$'
}

# "window L T W H client X Y W H visible V" of the palette.
palette_geometry() { probe window 'Mirune'; }

# Client area from a screenshot of the window alone: rows holding a black
# run of at least 28 pixels are the buttons' bottom edges (the glyphs'
# black grounds are 27 wide, the frame and caption are not black); prints
# "left bottom width rows spacing" of those runs, in window coordinates.
measure_screenshot() {
  convert "$1" txt:- | awk -F'[,: ]+' '
    /#000000/ { black[$1","$2] = 1; if ($1 > maxx) maxx = $1; if ($2 > maxy) maxy = $2 }
    END {
      rows = 0
      for (y = 0; y <= maxy; y++) {
        best = 0; bestStart = -1; run = 0
        for (x = 0; x <= maxx + 1; x++) {
          if ((x "," y) in black) { if (run == 0) start = x; run++ }
          else { if (run > best) { best = run; bestStart = start }; run = 0 }
        }
        if (best >= 28) { rows++; ys[rows] = y; width = best; left = bestStart }
      }
      spacing = rows > 1 ? (ys[rows] - ys[1]) / (rows - 1) : 0
      print left, ys[rows], width, rows, spacing
    }'
}

click_end_button() {  # clicks the bottom 26-pixel button of the palette
  local g cx cy
  g=$(palette_geometry)
  cx=$(echo "$g" | awk '{print $7 + 15}')
  cy=$(echo "$g" | awk '{print $8 + 104 + 13}')
  xdotool mousemove "$cx" "$cy" click 1
}

reg_key='HKCU\Software\Olvane\Mirune36枚撮り'
# The position key's values as "Name TYPE value" lines (reg prints in the
# console's code page, 932).
reg_values() { "$MIRUNE_WINE" reg query "$reg_key" 2>/dev/null | iconv -f cp932 -t utf-8 2>/dev/null | tr -d '\r' | awk 'NF == 3 { print $1, $2, $3 }'; }
reg_int() { local v; v=$(reg_values | awk -v n="$1" '$1 == n {print $3}'); echo $((v)); }
has_dword() { reg_values | grep -q "^$1 REG_DWORD "; }
all_five_dwords() {
  local v
  for v in Top Left Image.Top Main.Top Main.Left; do
    has_dword "$v" || { echo "     $v missing or not REG_DWORD"; return 1; }
  done
}

# --- First start, no position key: the palette at (0, 0), 30 x 130 ------
"$MIRUNE_WINE" reg delete "$reg_key" /f >/dev/null 2>&1
echo "# confirmed end"
check "the palette window appears" start_app
check "the start-up window is gone" wait_for 10 no_x_window 'Mirune　起動中'
read -r _ _ _ _ _ _ pcx pcy _ <<<"$(palette_geometry)"
check "the palette is drawn" shot_until 30 screen-start palette_drawn screen-start
geometry=$(palette_geometry)
echo "     system: $geometry"
read -r _ wl wt ww wh _ cx cy cw ch _ vis <<<"$geometry"
check "the palette is at the top-left corner" equals "$wl,$wt" "0,0"
check "the system reports a 30 x 130 client area" equals "${cw}x${ch}" "30x130"
check "the palette is visible" equals "$vis" "1"
xgeo=$(xdotool search --name '^Mirune$' getwindowgeometry 2>/dev/null | awk '/Geometry/ {print $2}')
check "the X window has the window's outer size" equals "$xgeo" "${ww}x${wh}"
convert "$out/screen-start.png" -crop "${ww}x${wh}+${wl}+${wt}" +repage "$out/palette.png"
measured=$(measure_screenshot "$out/palette.png")
echo "     screenshot: left bottom width rows spacing = $measured"
read -r sl sb sw rows spacing <<<"$measured"
check "the screenshot shows five buttons 26 pixels apart" equals "$rows/$spacing" "5/26"
check "the screenshot shows a 30-pixel-wide client area" equals "$sw" "30"
check "the screenshot's client area is where the system says" equals "$((wl + sl)),$((wt + sb - 129))" "$cx,$cy"

click_end_button
check "the end button asks for confirmation" wait_for 10 box_up
texts=$(probe texts '#32770' 'Mirune 36 枚撮り')
check "the box asks \"Miruneを終了しますか？\"" grep -q '^Static|Miruneを終了しますか？$' <<<"$texts"
check "the box offers OK and Cancel" grep -q '^Button|キャンセル$' <<<"$texts"
import -window root "$out/confirm.png"
xdotool key Return
check "OK ends the program" wait_for 15 app_ended
app_pid=
check "the five positions are written as REG_DWORD" all_five_dwords
check "Main.Top and Main.Left are the palette's place" equals "$(reg_int Main.Top),$(reg_int Main.Left)" "0,0"

# --- Cancel: the program goes on, the positions are written all the same --
echo "# cancelled end"
"$MIRUNE_WINE" reg delete "$reg_key" /f >/dev/null 2>&1
for v in Top:120 Left:200 Image.Top:500 Main.Top:40 Main.Left:50; do
  "$MIRUNE_WINE" reg add "$reg_key" /v "${v%%:*}" /t REG_DWORD /d "${v#*:}" /f >/dev/null 2>&1
done
check "the palette window appears again" start_app
palette_at() { read -r _ wl wt _ <<<"$(palette_geometry)"; [ "$wl,$wt" = "$1" ]; }
check "the palette starts where the position key says" wait_for 10 palette_at "50,40"
echo "     the palette is at $wl,$wt"
# The user drags the palette by its caption; the key goes, so that what
# Cancel writes is seen to be written.
xdotool mousemove $((wl + 15)) $((wt + 8)) mousedown 1 mousemove $((wl + 45)) $((wt + 48)) sleep 0.3 \
  mousemove $((wl + 75)) $((wt + 88)) sleep 0.3 mouseup 1
check "a drag on the caption moves the palette" wait_for 10 palette_at "110,120"
echo "     the palette is at $wl,$wt"
"$MIRUNE_WINE" reg delete "$reg_key" /f >/dev/null 2>&1
click_end_button
check "the end button asks again" wait_for 10 box_up
xdotool key Escape
check "Escape closes the box" wait_for 10 box_gone
check "the program is still running" holds_for 1 app_running
check "its palette is still there" x_window '^Mirune$'
check "the five positions are written after Cancel too" all_five_dwords
check "Main.Top and Main.Left are where the palette was dragged" equals "$(reg_int Main.Top),$(reg_int Main.Left)" "120,110"
import -window root "$out/after-cancel.png"

# --- The negative sheet: bottom of the screen, full width, a scroll bar ---
echo "# negative sheet"
click_sheet_button() {  # the palette's second button
  local g
  g=$(palette_geometry)
  xdotool mousemove "$(echo "$g" | awk '{print $7 + 15}')" "$(echo "$g" | awk '{print $8 + 26 + 13}')" click 1
}
sheet_shown() { probe window 'ネガシート' | grep -q 'visible 1$'; }
sheet_hidden() { probe window 'ネガシート' | grep -q 'visible 0$'; }
click_sheet_button
check "the sheet button shows the negative sheet" wait_for 10 sheet_shown
read -r _ sl st sw sh _ scx scy scw sch _ <<<"$(probe window 'ネガシート')"
read -r _ screen_w screen_h <<<"$(probe screen)"
echo "     sheet: window $sl $st $sw $sh, client $scx $scy $scw $sch; screen $screen_w x $screen_h"
check "the sheet is as wide as the screen, from its left edge" equals "$sl,$sw" "0,$screen_w"
check "the sheet sits on the bottom edge of the screen" equals "$((st + sh))" "$screen_h"
check "its client area is 109 pixels high" equals "$sch" "109"
sheet_texts=$(probe texts MiruneForm 'ネガシート')
for caption in '連続表示　＞' 'ペイント　＞' '連続保存＞' '削除　＞' 'ﾈｶﾞｼｰﾄ印刷'; do
  check "the button \"$caption\" is a system button" grep -q "^Button|$caption\$" <<<"$sheet_texts"
done
check "the strip has a system scroll bar" grep -qi '^ScrollBar|' <<<"$sheet_texts"
check "the strip starts at its beginning" equals "$(probe scroll MiruneForm 'ネガシート')" "scroll 0"
# Drawn: the grey faces of its empty frames, beyond the buttons.
strip_drawn() { equals "$(pixel "$1" $((scx + 89 + 10)) $((scy + 10))),$(pixel "$1" $((scx + scw - 20)) $((scy + 10)))" C0C0C0,C0C0C0; }
shot_until 10 sheet strip_drawn sheet >/dev/null
convert "$out/sheet.png" -crop "${scw}x${sch}+${scx}+${scy}" +repage "$out/sheet-client.png"
# The thumb lies just after the bar's left arrow; it is dragged to the right
# end, where the last frame's right edge meets the strip's.
bar_y=$((scy + 109 - 8))
thumb_x=$((scx + 89 + 16 + 6))
xdotool mousemove "$thumb_x" "$bar_y" mousedown 1 mousemove $((thumb_x + 100)) "$bar_y" sleep 0.3 \
  mousemove $((thumb_x + 2000)) "$bar_y" sleep 0.3 mouseup 1
scrolled_to() { position=$(probe scroll MiruneForm 'ネガシート' | awk '{print $2}'); [ "$position" = "$1" ]; }
check "dragging the thumb scrolls the strip to its end" wait_for 10 scrolled_to "$((2700 - (scw - 89)))"
echo "     scroll position after the drag: $position"
# The last frame's placeholder is drawn against the strip's right end.
strip_end_drawn() { strip_drawn "$1" && ! cmp -s <(convert "$out/sheet.png" -crop "$((scw - 89))x76+$((scx + 89))+$scy" rgb:-) \
  <(convert "$out/$1.png" -crop "$((scw - 89))x76+$((scx + 89))+$scy" rgb:-); }
shot_until 10 sheet-scrolled strip_end_drawn sheet-scrolled >/dev/null
convert "$out/sheet-scrolled.png" -crop "${scw}x${sch}+${scx}+${scy}" +repage "$out/sheet-client-scrolled.png"
frames_differ() { ! cmp -s <(convert "$out/sheet-client.png" -crop "$((scw - 89))x76+89+0" rgb:-) \
                        <(convert "$out/sheet-client-scrolled.png" -crop "$((scw - 89))x76+89+0" rgb:-); }
check "the strip shows frames further along" frames_differ
click_sheet_button
check "the sheet button hides it again" wait_for 10 sheet_hidden

# --- The help window and the options dialog -----------------------------
. "$here/e2e-dialogs.sh"

# --- The clipboard of another program survives a confirmed end ----------
if command -v xclip >/dev/null; then
  echo "# clipboard at the end"
  convert -size 8x6 xc:'#FF8000' "BMP3:$out/clip.bmp"
  # -quiet keeps xclip in the foreground, so that $! is the selection's owner.
  xclip -quiet -selection clipboard -t image/bmp -i "$out/clip.bmp" >/dev/null 2>&1 &
  xclip_pid=$!
  check "another program offers a bitmap" wait_for 10 eval \
    'xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -q "^image/bmp$"'
  click_end_button
  check "the end button asks once more" wait_for 10 box_up
  xdotool key Return
  check "OK ends the program" wait_for 15 app_ended
  app_pid=
  check "the other program still owns the clipboard" kill -0 "$xclip_pid"
  targets=$(xclip -selection clipboard -o -t TARGETS 2>/dev/null)
  check "the bitmap is still offered on the clipboard" grep -q '^image/bmp$' <<<"$targets"
  check "it is the same bitmap" cmp -s "$out/clip.bmp" <(xclip -selection clipboard -o -t image/bmp 2>/dev/null)
  kill "$xclip_pid" 2>/dev/null
  xclip_pid=
else
  check "xclip is installed for the clipboard checks (scripts/setup.sh installs it)" false
  click_end_button
  wait_for 10 box_up && xdotool key Return
  wait_for 15 app_ended
  app_pid=
fi

e2e_end
