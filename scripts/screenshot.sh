#!/usr/bin/env bash
# Makes docs/screenshot.png: mirune.exe under Wine on a private Xvfb
# display, driven like a user. The palette at the top left, the camera box
# over a Notepad window after an area shot of it, and the negative sheet
# along the bottom holding a few shots.
#   screenshot.sh [OUTPUT.png]   (docs/screenshot.png by default)
# MIRUNE_SCREENSHOT_DPI=144 takes it on a display scaled to 150 %
# (docs/screenshot-144.png).
# Builds what is missing first (scripts/build.sh). The build Wine runs here
# is the one the tests run (scripts/wine-probe.sh decides).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-$root/docs/screenshot.png}
"$root/scripts/build.sh" >/dev/null
. "$root/scripts/wine-probe.sh"
wine_probe || { wine_probe_summary >&2; exit 1; }
build=$root/build/$wine_arch
set +e
e2e_pid_vars="notepad_pid"
. "$root/tests/win32/e2e-common.sh"
e2e_begin "$build" screenshot xdotool import
# The display's DPI, and a length of the design (at 96 DPI) at that DPI.
dpi=${MIRUNE_SCREENSHOT_DPI:-96}
s() { echo $((($1 * dpi + 48) / 96)); }
if [ "$dpi" != 96 ]; then
  wine_display "$MIRUNE_WINE" "$dpi" Y || { echo "screenshot: cannot set $dpi DPI" >&2; exit 1; }
  wineserver -w
fi
# The camera box around a photo of W x H: the margins scale, the photo not.
box_at() { echo "300 0 $(($1 + 4 + 2 * $(s 10))) $(($2 + 4 + $(s 15) + $(s 10)))"; }

menu_open() { probe visible '#32768' | grep -q '^window'; }
menu_closed() { ! menu_open; }
sheet_titled() { probe window "$1" | grep -q '^window'; }
sheet_visible() { probe window 'ネガシート　4枚' | grep -q 'visible 1'; }
box_rect() { probe topmost MiruneForm | awk '$1 == "window" { print $2, $3, $4, $5 }'; }
box_is() { [ "$(box_rect)" = "$1" ]; }
step() {  # step DESCRIPTION COMMAND...: stops the script when a step fails
  local what=$1
  shift
  "$@" || { echo "screenshot: $what did not happen" >&2; exit 1; }
}
# The camera box's command menu, opened on its photo, then KEYS.
command_menu() {
  xdotool mousemove 390 75 click 3
  step "the command menu" wait_for 5 menu_open
  xdotool key "$@"
}

# A window to shoot: Notepad with a few lines, under where the camera box
# opens (Notepad keeps its place in the registry).
notes="$out/メモ.txt"
printf '%s\r\n' "撮影メモ" "" "・画面の一部を撮る: 選択画面 撮影" "・画面全体を撮る: 全画面 撮影" \
  "・撮ったものはネガシートに並ぶ (36枚)" "・ネガシートから まとめて保存" |
  iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$notes"
for v in "iWindowPosX 250" "iWindowPosY 0" "iWindowPosDX 430" "iWindowPosDY 260"; do
  set -- $v
  "$MIRUNE_WINE" reg add 'HKCU\Software\Microsoft\Notepad' /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
done
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
(cd "$out" && exec "$MIRUNE_WINE" notepad "$(basename "$notes")" >/dev/null 2>&1) &
notepad_pid=$!
step "Notepad" wait_for 30 x_window 'メモ'
sleep 1

(cd "$run" && exec "$MIRUNE_WINE" mirune.exe >/dev/null 2>&1) &
app_pid=$!
step "the palette" wait_for 30 x_window '^Mirune$'
sleep 1
read -r _ _ _ _ _ _ pcx pcy _ <<<"$(probe window Mirune)"
xdotool mousemove $((pcx + $(s 15))) $((pcy + $(s 13))) click 1
step "the camera box" wait_for 10 box_is "$(box_at 156 116)"
sleep 1

# Three full-screen shots (全画面 撮影, シャッター), then the default size again.
for n in 1 2 3; do
  command_menu Down Down Down Down Right Return
  step "shot $n" wait_for 10 sheet_titled "ネガシート　${n}枚"
  sleep 1
done
command_menu Down Down Down Down Down Right Return
step "the default size" wait_for 5 box_is "$(box_at 156 116)"
sleep 1

# An area shot of Notepad: the framing view, then the shot menu of the
# right edge handle.
command_menu Down Down Down Right
sleep 0.5
xdotool key Escape Escape
step "the framing view" wait_for 5 menu_closed
sleep 1
xdotool mousemove $((300 + $(s 10) + 160 + $(s 5) / 2)) 60 mousedown 3
step "the shot menu" wait_for 5 menu_open
xdotool mouseup 3
xdotool key Down Return
step "the area shot" wait_for 10 sheet_titled 'ネガシート　4枚'
step "the normal view" wait_for 5 box_is "$(box_at 156 116)"
sleep 1
# The shot at 200 % (サイズ, 拡大, 200%), so the box stands out from what
# it shows.
command_menu Down Down Down Down Down Right Down Right Return
step "the zoom" wait_for 5 box_is "$(box_at 312 232)"
# The negative sheet, from the palette's second button.
xdotool mousemove $((pcx + $(s 15))) $((pcy + $(s 13) + $(s 26))) click 1
step "the negative sheet" wait_for 10 sheet_visible
xdotool mousemove 700 300
sleep 1.5

import -window root "$out/screen.png"
mkdir -p "$(dirname "$target")"
cp "$out/screen.png" "$target"
echo "screenshot: $target"
