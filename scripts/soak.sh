#!/usr/bin/env bash
# A long day of use of mirune.exe squeezed into MINUTES, under Wine on a
# private Xvfb display. Not one of the tests: it runs as long as it is asked.
#   soak.sh MINUTES [BUILD_DIR]
# BUILD_DIR is a finished mingw build folder; without it, build/win32 (or
# build/win64 where only 64-bit Wine runs).
#
# Round after round, each the same: a bitmap copied by another program
# (xclip) with the clipboard button down; an area shot, an area burst, a
# full-screen shot and a full-screen burst over a window of known pixels; a
# picture opened through the open dialog; a click on every frame; the photo
# saved through the save dialog; the film saved as a series and loaded
# back; the photo and the contact sheet printed to the cups-pdf queue of a
# private print server; the options dialog opened and cancelled; the film
# emptied.
#
# Every round checks that each step ends as it should, that no message box
# is on the screen after a step, and that every saved file equals what the
# film showed: the pixels a click on its frame handed over (the hand-off
# file), and for the pictures of known source (the copied bitmap, the
# opened file, the area shot's pixels) those.
#
# At the end of a round, a minute or more after the last sample, the
# program's resources are sampled from outside:
#   kernel   its handles in the Wine server, but for the mru ones
#   mru      its handles to the file dialogs' LastVisitedMRU key, which
#            Wine 8's comdlg32 opens at every confirmed file dialog and
#            never closes (and once more at the first dialog of a prefix
#            that has no list yet): there must be exactly that many
#   gdi      used entries of its GDI handle table
#   windows  windows of its threads
#            (GetGuiResources answers 0 under Wine; mirune_counts,
#            tests/win32/process_counts.cpp, counts these four)
#   private  Private_Clean + Private_Dirty + Swap of the Wine process, from
#            /proc/PID/smaps_rollup, in KiB: read every half second, and
#            the sample is the first quartile of the readings since the
#            last one (at least one whole round), the level the program
#            comes back to between its work. A single reading swings by a
#            third with what the work holds and what the heaps keep for a
#            while; memory that leaks raises the level.
# The first sample that covers only time after the first two minutes is the
# reference: every later one must hold as many kernel, GDI and window
# handles, and at most 2 % more private memory.
#
# The samples go to BUILD_DIR/soak/samples.txt; the screenshots of failed
# steps beside them. Exit code: 0 when nothing was violated.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-}
if ! [[ "$minutes" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 MINUTES [BUILD_DIR]" >&2
  exit 2
fi
build=${2:-}
if [ -z "$build" ]; then
  . "$root/scripts/wine-probe.sh"
  wine_probe || { echo "Mirune cannot run here: $wine_why." >&2; exit 2; }
  build="$root/build/$wine_arch"
fi
e2e_pid_vars="pattern_pid memory_pid"
# A prefix of its own, so that the tests can run beside it.
export MIRUNE_WINEPREFIX="$(cd "$build" 2>/dev/null && pwd)/wineprefix-soak"
. "$root/tests/win32/e2e-common.sh"
e2e_begin "$build" soak xdotool xclip import convert compare identify
counter=$(built_file "$build" mirune_counts.exe) || { echo "not built: mirune_counts.exe in $build" >&2; exit 2; }

# --- what every round checks -------------------------------------------
violations=0
round=0
step_no=0
# must DESCRIPTION COMMAND...: a failure is a violation, kept with a
# screenshot and what any message box says.
must() {
  local what=$1
  shift
  step_no=$((step_no + 1))
  "$@" && return 0
  violations=$((violations + 1))
  echo "FAIL round $round, step $step_no: $what"
  shot "fail-$round-$step_no"
  probe visible '#32770' | grep -q '^window' &&
    echo "     a box is up: $(probe texts '#32770' 'Mirune 36 枚撮り' | tr '\n' ' ')"
  return 1
}
no_box() { dialog_gone; }
# What the film showed: a click on frame N hands its picture over.
same_pixels() { equals "$(differing "$1" "$2")" 0; }
# The photo lies 12 right of the box's left, at 17 from the top, 156 x
# 116: pixel (x, y) of the area shot is what the pattern has at
# (312 + x, 17 + y).
holds_area_shot() {
  local size bad=0 x y xy got want
  size=$(identify -format '%wx%h' "$1" 2>/dev/null)
  [ "$size" = 156x116 ] || { echo "     $1 is $size"; return 1; }
  for xy in "0 0" "7 0" "8 0" "40 30" "100 60" "155 0" "0 115" "155 115" "77 99"; do
    read -r x y <<<"$xy"
    got=$(convert "$1" -crop "1x1+$x+$y" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1 | tr -d '#')
    want=$(pattern_expected $((312 + x)) $((17 + y)))
    [ "$got" = "$want" ] || { echo "     $1 ($x, $y): got $got, want $want"; bad=1; }
  done
  [ "$bad" -eq 0 ]
}

# --- resources ----------------------------------------------------------
samples="$out/samples.txt"
start_time=
memory_log="$out/private.txt"
private_kib() {
  awk '/^(Private_Clean|Private_Dirty|Swap):/ { k += $2 } END { print k + 0 }' "/proc/$app_pid/smaps_rollup" 2>/dev/null
}
# The first quartile of the readings since the last sample.
private_level() {
  awk -v since="$window_start" '$1 >= since && $2 > 0 { print $2 }' "$memory_log" | sort -n |
    awk '{ v[NR] = $1 } END { print NR ? v[int(NR / 4) + 1] : 0 }'
}
window_start=
# "kernel K mru M gdi G windows W" of the program.
handle_counts() { "$MIRUNE_WINE" "$counter" mirune.exe 2>/dev/null | tr -d '\r' | sed -n 's/^pid [0-9]* //p'; }
confirmed_dialogs=0
reference=
reference_private=
last_sample=
last_sample_round=
sample() {
  local at=$((SECONDS - start_time)) from=$((window_start - start_time)) raw counts mru private
  raw=$(handle_counts)
  private=$(private_level)
  window_start=$SECONDS
  last_sample=$SECONDS
  last_sample_round=$round
  printf '%6.1f min  round %3d  %s  private %s KiB  (%d file dialogs)\n' "$(awk -v s="$at" 'BEGIN { print s / 60 }')" \
    "$round" "$raw" "$private" "$confirmed_dialogs" | tee -a "$samples"
  read -r _ _ _ mru _ <<<"$raw"
  counts=$(awk '{ print $1, $2, $5, $6, $7, $8 }' <<<"$raw")
  must "the handles can be counted" test -n "$raw" || return
  local want=0
  [ "$confirmed_dialogs" -gt 0 ] && want=$((confirmed_dialogs + mru_list_missing))
  must "Wine's comdlg32 holds one MRU key handle per confirmed file dialog" equals "$mru" "$want"
  if [ -z "$reference" ]; then
    [ "$from" -ge 120 ] && { reference=$counts reference_private=$private; echo "     (the reference)"; }
    return
  fi
  must "the handles are those of the reference ($reference)" equals "$counts" "$reference"
  must "private memory is within 2 % of the reference ($reference_private KiB)" \
    test "$((private * 100))" -le "$((reference_private * 102))"
}

# --- the program and what it works on -----------------------------------
cat >"$run/mirune.ini" <<'INI'
[Option]
timelag=0
renzoku=2
Speed=1
INI
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
mru_list_missing=0
"$MIRUNE_WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU' \
  /v MRUList >/dev/null 2>&1 || mru_list_missing=1
mkdir -p "$out/pics" "$out/saved" "$out/shown" "$out/series"
convert -size 120x80 gradient:'#ff4000-#2040c0' -type TrueColor BMP3:"$out/pics/photo.bmp"
temp_win=$("$MIRUNE_WINE" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
handoff="$("$MIRUNE_WINE" winepath -u "$temp_win" 2>/dev/null | tr -d '\r')"
handoff="${handoff%/}/temp.bmp"
start_print_queue MiruneSoak
pattern_left=250
pattern_top=0
start_pattern_window
start_program
open_camera_box
palette_button() { xdotool mousemove $((pcx + 15)) $((pcy + $1 + 13)) click 1; }
palette_button 26
must "the negative sheet appears" wait_for 10 sheet_titled 'ネガシート'
read -r _ _ _ _ _ _ scx scy _ <<<"$(probe window 'ネガシート')"
click_sheet() { xdotool mousemove $((scx + $1)) $((scy + $2)) click "${3:-1}"; }
title_of() { [ "$1" -eq 0 ] && echo 'ネガシート' || echo "ネガシート　${1}枚"; }
x_has_bitmap() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q '^image/bmp$'; }
x_has_no_bitmap() { ! x_has_bitmap; }
# Frame N's caption (76 below the strip's top) holds dark text.
frame_captioned() {  # frame_captioned SHOT N
  test "$(convert "$out/$1.png" -crop "70x12+$((scx + 89 + 75 * ($2 - 1) + 2))+$((scy + 76))" \
    -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:)" -gt 10
}
shows_frames() { sheet_titled "$(title_of "$1")"; }
box_back() { wait_for 10 box_is "300 0 180 145"; }
quarter_box() { wait_for 10 box_is "300 0 $((1024 / 4 + 24)) $((768 / 4 + 29))"; }
# The photo's command menu, a submenu opened by KEYS, then KEYS2 in it.
menu_path() {  # menu_path "KEYS" ["KEYS2"]
  command_menu || return 1
  # shellcheck disable=SC2086
  xdotool key $1
  [ -z "${2:-}" ] && return 0
  wait_for 5 submenu_open || return 1
  # shellcheck disable=SC2086
  xdotool key $2
}
# The framing view, from the command menu, drawn: the right handle out,
# the pattern seen through the frame; then the shot menu of the right
# handle (window x 170 to 174), which opens beside the area, not over it.
framing_drawn() {
  equals "$(pixel framing 472 60)" C0C0C0 && shows_pattern framing 320 30 400 80 460 120 330 125
}
shot_menu() {
  menu_path "Down Down Down Right" || return 1
  xdotool key Escape Escape
  wait_for 5 menu_closed || return 1
  shot_until 10 framing framing_drawn || return 1
  xdotool mousemove 472 60 mousedown 3
  wait_for 5 menu_open || { xdotool mouseup 3; return 1; }
  xdotool mouseup 3
}
default_size() { menu_path "Down Down Down Down Down Right" Return && box_back; }
# The strip's scroll position, and the strip brought back to its start by
# its bar's left arrow (the newest frame is kept in view: a film of 8
# frames has scrolled).
strip_position() { probe scroll MiruneForm "$(title_of "$1")" | awk '$1 == "scroll" { print $2 }'; }
strip_moved() { [ "$(strip_position "$1")" != "$2" ]; }
strip_to_start() {  # strip_to_start FRAMES_IN_FILM
  local i position
  for i in 1 2 3 4 5 6 7 8 9 10; do
    position=$(strip_position "$1")
    [ -n "$position" ] || return 1
    [ "$position" -eq 0 ] && return 0
    click_sheet $((89 + 8)) $((109 - 8))
    wait_for 5 strip_moved "$1" "$position" || return 1
  done
  return 1
}
# Frame N's thumbnail lies in the strip at 75 * (N - 1), its centre 37 in
# and 39 down.
click_frame() {  # click_frame N
  rm -f "$handoff"
  click_sheet $((89 + 75 * ($1 - 1) + 37)) 39
  wait_for 10 test -f "$handoff"
}
# A file dialog answered, and counted.
dialog() { answer_dialog "$@" && confirmed_dialogs=$((confirmed_dialogs + 1)); }
next_job=1
print_comes_out() {
  wait_for 15 dialog_shown || return 1
  confirm_print_dialog "print-$round" || return 1
  wait_for 120 job_done "$next_job" || return 1
  local pdf
  pdf=$(job_pdf "$next_job")
  next_job=$((next_job + 1))
  [ -s "$pdf" ] && [ "$(head -c 4 "$pdf")" = %PDF ] || return 1
  rm -f "$pdf"
}

# --- one round ----------------------------------------------------------
one_round() {
  local n frames=0 k
  round=$((round + 1))
  step_no=0
  # A bitmap of its own for the round, copied with the clipboard button down.
  convert -size 200x150 gradient:"#$(printf '%02x' $((round * 37 % 256)))c020-#2030c0" -type TrueColor \
    BMP3:"$out/pics/clip.bmp"
  palette_button 52
  xclip -selection clipboard -t image/bmp -i "$out/pics/clip.bmp"
  # The title keeps its count until the next shot: the caption shows it.
  must "the copied bitmap lands in frame 1" shot_until 10 clip frame_captioned clip 1 || return
  must "and is taken off the clipboard" wait_for 10 x_has_no_bitmap || return
  palette_button 52
  must "no box after the clipboard" no_box || return

  must "the area shot's menu opens" shot_menu || return
  xdotool key Down Return
  must "the area shot lands in frame 2" wait_for 15 shows_frames 2 || return
  must "the box is back" box_back || return
  must "the area burst's menu opens" shot_menu || return
  xdotool key Down Down Return
  must "the burst lands in frames 3 and 4" wait_for 15 shows_frames 4 || return
  must "the box is back" box_back || return
  must "a full-screen shot opens its submenu" menu_path "Down Down Down Down Right" Return || return
  must "the full-screen shot lands in frame 5" wait_for 15 shows_frames 5 || return
  must "the box shows a quarter of the screen" quarter_box || return
  must "the default size brings the box back" default_size || return
  must "a full-screen burst opens its submenu" menu_path "Down Down Down Down Right" "Down Return" || return
  must "the burst lands in frames 6 and 7" wait_for 15 shows_frames 7 || return
  must "the box shows a quarter of the screen" quarter_box || return
  must "the default size brings the box back" default_size || return
  must "no box after the shots" no_box || return

  must "the open command opens its dialog" menu_path "Down Right" Return || return
  must "the open dialog takes the typed path" dialog "open-$round" "$(win_path "$out/pics/photo.bmp")" || return
  must "the opened picture lands in frame 8" wait_for 10 shows_frames 8 || return
  frames=8
  must "no box after opening" no_box || return

  rm -f "$out"/shown/*
  must "the strip scrolls back to its start" strip_to_start "$frames" || return
  # Emptying the film keeps the mark of the frame selected last (frame 1,
  # below), and a click on a marked frame only takes the mark off: frame 8
  # goes first, which takes the marks off the others.
  for n in 8 1 2 3 4 5 6 7; do
    must "a click on frame $n hands its picture over" click_frame "$n" || return
    cp "$handoff" "$out/shown/$n.bmp"
  done
  must "frame 1 shows the copied bitmap" same_pixels "$out/shown/1.bmp" "$out/pics/clip.bmp"
  must "frame 2 shows the pattern under the box" holds_area_shot "$out/shown/2.bmp"
  must "frame 8 shows the opened file" same_pixels "$out/shown/8.bmp" "$out/pics/photo.bmp"
  # Frame 1 again: the photo shows the copied bitmap.
  must "a click on frame 1 selects it again" click_frame 1 || return
  rm -f "$out/saved/photo.bmp"
  must "save as opens its dialog" menu_path "Down Right" "Down Down Down Return" || return
  must "the save dialog takes the typed path" dialog "save-$round" "$(win_path "$out/saved/photo.bmp")" || return
  must "the photo is written" wait_for 10 test -s "$out/saved/photo.bmp" || return
  must "it holds what frame 1 showed" same_pixels "$out/saved/photo.bmp" "$out/shown/1.bmp"
  must "no box after saving" no_box || return

  rm -f "$out"/series/*
  click_sheet 45 56
  must "the batch save opens its dialog" dialog "series-$round" "$(win_path "$out/series")\\series" || return
  must "series01.bmp ... series08.bmp are written" wait_for 20 eval \
    '[ "$(cd "$out/series" && ls series*.bmp 2>/dev/null | tr "\n" " ")" = "series01.bmp series02.bmp series03.bmp series04.bmp series05.bmp series06.bmp series07.bmp series08.bmp " ]' || return
  for n in 1 2 3 4 5 6 7 8; do
    must "series0$n.bmp holds what frame $n showed" same_pixels "$out/series/series0$n.bmp" "$out/shown/$n.bmp"
  done
  click_sheet 45 76 3
  must "the delete menu opens" wait_for 5 menu_open || return
  xdotool key Down Return
  must "delete all empties the film" wait_for 10 shows_frames 0 || return
  click_sheet 45 56 3
  must "the save menu opens" wait_for 5 menu_open || return
  xdotool key Down Return
  must "the batch load takes the typed path" dialog "load-$round" "$(win_path "$out/series/series01.bmp")" || return
  must "the series loads into 8 frames" wait_for 20 shows_frames 8 || return
  must "the strip scrolls back to its start" strip_to_start "$frames" || return
  for n in 8 1; do
    must "a click on loaded frame $n hands its picture over" click_frame "$n" || return
    must "it is the saved series0$n.bmp" same_pixels "$handoff" "$out/series/series0$n.bmp"
  done
  must "no box after the series" no_box || return

  must "print opens its dialog" menu_path "Down Right" "Down Down Down Down Return" || return
  must "the photo comes out of the queue" print_comes_out || return
  click_sheet 45 96
  must "the contact sheet comes out of the queue" print_comes_out || return
  must "the sheet is back at the bottom" wait_for 10 sheet_at_bottom "$(title_of 8)" || return
  must "no box after printing" no_box || return

  must "the options dialog opens" menu_path "Up Up Up Return" || return
  must "it shows" wait_for 10 window_visible 'オプション' || return
  local ox oy
  read -r _ _ _ _ _ _ ox oy _ <<<"$(probe window 'オプション')"
  xdotool mousemove $((ox + 225 + 35)) $((oy + 422 + 12)) click 1
  must "ｷｬﾝｾﾙ closes it" wait_for 10 window_hidden 'オプション' || return
  must "and shows the camera box" wait_for 10 box_shown || return

  click_sheet 45 76 3
  must "the delete menu opens" wait_for 5 menu_open || return
  xdotool key Down Return
  must "delete all empties the film" wait_for 10 shows_frames 0 || return
  must "the default size brings the box back" default_size || return
  must "no box at the end of the round" no_box
}
window_visible() { probe window "$1" | grep -q 'visible 1$'; }
window_hidden() { ! window_visible "$1"; }
box_shown() { box_rect | grep -q .; }
sheet_at_bottom() { probe window "$1" | grep -q "^window 0 $((768 - 136)) 1024 136 "; }

# Back to the start of a round after a failed step: boxes, menus and
# dialogs closed, the film empty, the box at its default size.
recover() {
  local i
  for i in 1 2 3; do
    dialog_shown || menu_open || break
    xdotool key Escape
    wait_for 3 eval '! dialog_shown && ! menu_open'
  done
  probe window "$(title_of 0)" | grep -q '^window' && return
  click_sheet 45 76 3
  wait_for 5 menu_open && xdotool key Down Return
  wait_for 10 shows_frames 0
  default_size
}

echo "# $minutes minutes of rounds; samples in $samples"
: >"$samples"
# The minutes count from here: the program runs, its windows shown.
start_time=$SECONDS
window_start=$SECONDS
(while kill -0 "$app_pid" 2>/dev/null; do
  echo "$SECONDS $(private_kib)"
  sleep 0.5
done) >"$memory_log" &
memory_pid=$!
must "private memory can be read" wait_for 10 test -s "$memory_log"
sample
while [ $((SECONDS - start_time)) -lt $((minutes * 60)) ]; do
  one_round || recover
  app_running || { must "the program still runs" false; break; }
  [ $((SECONDS - last_sample)) -ge 60 ] && sample
  [ "$violations" -ge 20 ] && { echo "too many violations: stopped"; break; }
done
# The last round's sample, unless the loop took it.
app_running && [ "$last_sample_round" != "$round" ] && sample
echo "$round rounds in $(((SECONDS - start_time) / 60)) minutes, $violations violations"
[ -n "$reference" ] || { echo "no sample after the first two minutes to compare with"; violations=$((violations + 1)); }
kill "$app_pid" 2>/dev/null
app_pid=
[ "$violations" -eq 0 ]
