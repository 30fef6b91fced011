#!/usr/bin/env bash
# Measurements of the clipboard watcher of mirune.exe under Wine:
# - CPU time over SECONDS (30 by default) with the clipboard button up, and
#   down with nothing on the clipboard: the process's user + system time
#   from /proc/PID/stat as a share of one core (the Wine server's beside it);
# - the time from xclip putting a 1920 x 1080 BMP on the X clipboard to the
#   bitmap having left it (it leaves in the same tick that stores it in a
#   frame), 20 times, median and range. The polling itself (one xclip run
#   per look, a few milliseconds) is included;
# - the baseline of the same run: a plain X client (xclip) reading the same
#   bitmap from the same xclip, 20 times while the button is up, median.
#   clipboard_measure.sh BUILD_DIR [SECONDS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-30}
. "$here/wine-env.sh"
mirune=$(built_file "$build" mirune.exe) || { echo "not built: mirune.exe in $build" >&2; exit 2; }
prober=$(built_file "$build" mirune_probe.exe) || { echo "not built: mirune_probe.exe in $build" >&2; exit 2; }
wine_env_start "$build" "$mirune" || exit 2
run="$build/clipboard-measure"
rm -rf "$run"
mkdir -p "$run"
cp "$mirune" "$run/"
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
# A look that gets no answer within 0.1 s (the owner busy sending the
# bitmap to Wine) counts as "still there".
x_has_bitmap() {
  local targets
  targets=$(timeout 0.1 xclip -selection clipboard -t TARGETS -o 2>/dev/null) || return 0
  grep -q '^image/bmp$' <<<"$targets"
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
plain=()
for i in $(seq 1 20); do
  xclip -selection clipboard -t image/bmp -i "$run/full-hd.bmp"
  sleep 0.3
  t0=$(date +%s%N)
  xclip -selection clipboard -t image/bmp -o >/dev/null 2>&1
  t1=$(date +%s%N)
  plain+=($(((t1 - t0) / 1000000)))
done
printf '%s\n' "${plain[@]}" | sort -n | awk '{ v[NR] = $1 } END {
  printf "1920 x 1080 bitmap read by xclip (ms, %d runs): median %d, min %d, max %d\n", NR, (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
# Something else on the clipboard before the button goes down.
echo text | xclip -selection clipboard -i
clipboard_button
measure "button down, nothing on the clipboard"

times=()
for i in $(seq 1 20); do
  t0=$(date +%s%N)
  xclip -selection clipboard -t image/bmp -i "$run/full-hd.bmp"
  n=0
  while x_has_bitmap && [ $n -lt 300 ]; do n=$((n + 1)); done
  t1=$(date +%s%N)
  [ $n -ge 300 ] && { echo "run $i: the bitmap was not taken" >&2; continue; }
  times+=($(((t1 - t0) / 1000000)))
  sleep 0.3
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END {
  printf "1920 x 1080 bitmap, xclip to taken (ms, %d runs): median %d, min %d, max %d\n", NR, (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
