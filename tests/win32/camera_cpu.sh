#!/usr/bin/env bash
# CPU time of mirune.exe under Wine while it sits idle: the palette alone,
# the camera box and the negative sheet shown, the clipboard button down,
# the options dialog open (the box hidden meanwhile), alone and with the
# caret blinking in one of its edits, and the box after an edge-handle drag
# (its layout timer, every millisecond during the drag, is back at 55 ms
# after the release). Each figure is the CPU time of the process's
# threads over SECONDS (30 by default) from /proc/PID/task/*/schedstat, as
# a share of one core; the Wine server's share over the same time is given
# beside it.
# The first lines are the smallest Win32 program with one window
# (empty_window), the cost of merely running under Wine, alone and running
# the program's timers with empty handlers: a tick that finds nothing to do
# should cost about what an empty one does. Two 55 ms timers are the camera
# box's layout and the clipboard watcher's; a 1 s timer beside them, the
# options dialog's own (it refreshes the controls that hang on its check
# boxes). The clipboard button down with nothing new on the clipboard is measured
# with the box shown, before the drag.
#   camera_cpu.sh BUILD_DIR [SECONDS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-30}
. "$here/wine-env.sh"
mirune=$(built_file "$build" mirune.exe) || { echo "not built: mirune.exe in $build" >&2; exit 2; }
prober=$(built_file "$build" mirune_probe.exe) || { echo "not built: mirune_probe.exe in $build" >&2; exit 2; }
empty=$(built_file "$build" empty_window.exe) || { echo "not built: empty_window.exe in $build" >&2; exit 2; }
wine_env_start "$build" "$mirune" || exit 2
run="$build/camera-cpu"
rm -rf "$run"
mkdir -p "$run"
cp "$mirune" "$run/"
probe() { "$MIRUNE_WINE" "$prober" "$@" 2>/dev/null | tr -d '\r'; }

# CPU time of every thread of a process, in microseconds (the scheduler's
# own count: finer than the clock ticks of /proc/PID/stat).
ticks() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t / 1000 }'; }
hz=1000000
# The process of ours (this Wine prefix) whose command line matches.
ours() {
  local p
  for p in $(pgrep -f "$1"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 1
}
measure() {  # measure LABEL [PROGRAM]
  local app server a0 s0 a1 s1
  # The pointer rests where no window is: a tooltip waiting under it would
  # be counted too.
  xdotool mousemove 1010 600
  sleep 2
  app=$(ours "${2:-mirune\.exe}") || { echo "${2:-mirune.exe} is not running" >&2; exit 1; }
  server=$(ours wineserver) || { echo "no wineserver of ours" >&2; exit 1; }
  a0=$(ticks "$app")
  s0=$(ticks "$server")
  sleep "$seconds"
  a1=$(ticks "$app")
  s1=$(ticks "$server")
  awk -v l="$1" -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "%-40s program %5.2f %% of a core   wineserver %5.2f %%\n", l, 100 * a / hz / t, 100 * s / hz / t }'
}

baseline() {  # baseline LABEL [TIMER_MS...]
  local label=$1
  shift
  "$MIRUNE_WINE" "$empty" "$@" >/dev/null 2>&1 &
  empty_pid=$!
  for i in $(seq 1 150); do xdotool search --name '^EmptyWindow$' >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 3
  measure "$label" 'empty_window\.exe'
  kill "$empty_pid"
  wait "$empty_pid" 2>/dev/null
}
baseline "empty window (baseline)"
baseline "empty window, two 55 ms timers" 55 55
baseline "empty window, 55, 55 and 1000 ms timers" 55 55 1000
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
(cd "$run" && exec "$MIRUNE_WINE" mirune.exe >/dev/null 2>&1) &
app_pid=$!
trap 'kill $app_pid 2>/dev/null; wine_env_stop' EXIT
for i in $(seq 1 150); do xdotool search --name '^Mirune$' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 3
measure "palette alone"
read -r _ _ _ _ _ _ pcx pcy _ <<<"$(probe window Mirune)"
xdotool mousemove $((pcx + 15)) $((pcy + 13)) click 1
sleep 1
xdotool mousemove $((pcx + 15)) $((pcy + 26 + 13)) click 1
sleep 3
probe window 'ネガシート' | grep -q 'visible 1$' || { echo "the negative sheet did not show" >&2; exit 1; }
measure "camera box and negative sheet shown"
clipboard_button() { xdotool mousemove $((pcx + 15)) $((pcy + 52 + 13)) click 1; }
clipboard_button
sleep 3
measure "clipboard button down"
clipboard_button
sleep 1
# The options dialog: the last but two item of the box's command menu.
# ｷｬﾝｾﾙ closes it and shows the box again.
options_shown() { probe window 'オプション' | grep -q 'visible 1$'; }
xdotool mousemove 380 70 click 3 sleep 1 key Up Up Up Return
for i in $(seq 1 50); do options_shown && break; sleep 0.2; done
options_shown || { echo "the options dialog did not open" >&2; exit 1; }
sleep 3
measure "options dialog open"
# The strobe count checked: its edit shows at the next refresh; a click in
# it leaves the caret blinking there.
read -r _ _ _ _ _ _ ox oy _ <<<"$(probe window 'オプション')"
xdotool mousemove $((ox + 24 + 6)) $((oy + 17 + 8)) click 1
sleep 1.5
xdotool mousemove $((ox + 80 + 25)) $((oy + 36 + 10)) click 1
sleep 1
measure "options dialog, caret in an edit"
xdotool mousemove $((ox + 225 + 35)) $((oy + 422 + 12)) click 1
for i in $(seq 1 50); do options_shown || break; sleep 0.2; done
options_shown && { echo "the options dialog did not close" >&2; exit 1; }
sleep 1
# 変形 (reshape) on, then a drag of the right handle.
xdotool mousemove 380 70 click 3 sleep 1 key Down Down Down Down Down Right Down Down Down Down Return
sleep 1
xdotool mousemove 471 80 sleep 0.2 mousedown 1 mousemove 481 80 sleep 0.1 mousemove 491 80 sleep 0.1 mouseup 1
sleep 3
measure "after a handle drag"
