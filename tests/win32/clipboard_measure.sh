#!/usr/bin/env bash
# Measurements of the clipboard watcher of mirune.exe under Wine:
# - CPU time over SECONDS (30 by default) with the clipboard button up, and
#   down with nothing on the clipboard: the process's user + system time
#   from /proc/PID/stat as a share of one core (the Wine server's beside it);
# - the take: the time from xclip offering a 1920 x 1080 BMP on the X
#   clipboard to xclip losing the clipboard, which happens when the taker
#   empties it, in the same tick that stores the bitmap in a frame
#   (xclip -quiet stays in the foreground until then), 20 times;
# - three baselines of the same run: a plain X client (xclip -o) reading
#   the same bitmap from an xclip that already offers it; the same client
#   as a taker timed as the program is (it looks for the bitmap, reads it
#   and takes the clipboard); and the smallest Win32 program
#   that takes it (clipboard_reader.exe: changed count, open, CF_DIB,
#   empty), looking every millisecond instead of every 55: what Wine
#   itself costs between the X clipboard and a Win32 program.
#   clipboard_measure.sh BUILD_DIR [SECONDS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-30}
. "$here/wine-env.sh"
mirune=$(built_file "$build" mirune.exe) || { echo "not built: mirune.exe in $build" >&2; exit 2; }
prober=$(built_file "$build" mirune_probe.exe) || { echo "not built: mirune_probe.exe in $build" >&2; exit 2; }
reader=$(built_file "$build" clipboard_reader.exe) || { echo "not built: clipboard_reader.exe in $build" >&2; exit 2; }
wine_env_start "$build" "$mirune" || exit 2
run="$build/clipboard-measure"
rm -rf "$run"
mkdir -p "$run"
cp "$mirune" "$reader" "$run/"
probe() { "$MIRUNE_WINE" "$prober" "$@" 2>/dev/null | tr -d '\r'; }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # utime + stime
hz=$(getconf CLK_TCK)
ours() {
  local p
  for p in $(pgrep -f "$1"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 1
}
measure() {  # measure LABEL
  local app server a0 s0 a1 s1
  xdotool mousemove 1010 750
  sleep 2
  app=$(ours 'mirune\.exe') || { echo "mirune.exe is not running" >&2; exit 1; }
  server=$(ours wineserver) || { echo "no wineserver of ours" >&2; exit 1; }
  a0=$(ticks "$app")
  s0=$(ticks "$server")
  sleep "$seconds"
  a1=$(ticks "$app")
  s1=$(ticks "$server")
  awk -v l="$1" -v a=$((a1 - a0)) -v s=$((s1 - s0)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "%-40s program %5.2f %% of a core   wineserver %5.2f %%\n", l, 100 * a / hz / t, 100 * s / hz / t }'
}
"$MIRUNE_WINE" reg delete 'HKCU\Software\Olvane\Mirune36枚撮り' /f >/dev/null 2>&1
(cd "$run" && exec "$MIRUNE_WINE" mirune.exe >/dev/null 2>&1) &
app_pid=$!
trap 'kill $app_pid 2>/dev/null; wine_env_stop' EXIT
for i in $(seq 1 150); do xdotool search --name '^Mirune$' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 3
read -r _ _ _ _ _ _ pcx pcy _ <<<"$(probe window Mirune)"
clipboard_button() { xdotool mousemove $((pcx + 15)) $((pcy + 52 + 13)) click 1; }

measure "clipboard button up"

convert -size 1920x1080 gradient:'#ff2000-#0030c0' -type TrueColor BMP3:"$run/full-hd.bmp"
summary() {  # summary LABEL < milliseconds, one a line
  sort -n | awk -v l="$1" '{ v[NR] = $1 } END {
    if (NR == 0) { printf "%s: no run\n", l; exit }
    printf "%s (ms, %d runs): median %d, min %d, max %d\n", l, NR, (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
}
# Milliseconds from offering the bitmap to losing the clipboard to
# whoever takes it; nothing when nobody took it within 5 s.
offer_until_taken() {
  local t0 t1
  t0=$(date +%s%N)
  timeout 5 xclip -quiet -selection clipboard -t image/bmp -i "$run/full-hd.bmp" >/dev/null 2>&1 || return 1
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}

plain=()
for i in $(seq 1 20); do
  xclip -selection clipboard -t image/bmp -i "$run/full-hd.bmp"
  sleep 0.3
  t0=$(date +%s%N)
  xclip -selection clipboard -t image/bmp -o >/dev/null 2>&1
  t1=$(date +%s%N)
  plain+=($(((t1 - t0) / 1000000)))
done
printf '%s\n' "${plain[@]}" | summary "1920 x 1080 bitmap read by xclip"

# A plain X client as the taker, timed as the program is: it looks for the
# bitmap as fast as xclip can ask, reads it, and takes the clipboard.
x_taker() {
  until xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q '^image/bmp$'; do :; done
  xclip -selection clipboard -t image/bmp -o >/dev/null 2>&1
  printf x | xclip -selection clipboard -i
}
x_taken=()
for i in $(seq 1 20); do
  printf x | xclip -selection clipboard -i
  sleep 0.2
  x_taker &
  taker_pid=$!
  t=$(offer_until_taken) && x_taken+=("$t") || echo "run $i: the X client did not take the bitmap" >&2
  kill "$taker_pid" 2>/dev/null
  wait "$taker_pid" 2>/dev/null
  sleep 0.3
done
printf '%s\n' "${x_taken[@]}" | summary "1920 x 1080 bitmap, xclip to taken by a plain X client"

(cd "$run" && exec "$MIRUNE_WINE" clipboard_reader.exe >"$run/reader.log" 2>/dev/null) &
reader_pid=$!
for i in $(seq 1 100); do grep -q ready "$run/reader.log" 2>/dev/null && break; sleep 0.1; done
floor=()
for i in $(seq 1 20); do
  t=$(offer_until_taken) && floor+=("$t") || echo "run $i: clipboard_reader.exe did not take the bitmap" >&2
  sleep 0.3
done
kill "$reader_pid" 2>/dev/null
wait "$reader_pid" 2>/dev/null
printf '%s\n' "${floor[@]}" | summary "1920 x 1080 bitmap, xclip to taken by clipboard_reader.exe"
# Something else on the clipboard before the button goes down.
echo text | xclip -selection clipboard -i
clipboard_button
measure "button down, nothing on the clipboard"

times=()
for i in $(seq 1 20); do
  t=$(offer_until_taken) && times+=("$t") || echo "run $i: the bitmap was not taken" >&2
  sleep 0.3
done
printf '%s\n' "${times[@]}" | summary "1920 x 1080 bitmap, xclip to taken by mirune.exe"
