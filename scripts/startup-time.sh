#!/usr/bin/env bash
# How long mirune.exe takes to show its palette under a warm Wine, against
# the smallest Win32 program with one window, measured the same way in the
# same run: from the start of the process to its window being mapped on the
# X display. Prints each program's median of RUNS starts and the ratio.
#   scripts/startup-time.sh [RUNS]       (default 9; builds first)
# Environment: MIRUNE_NO_BUILD=1 measures the builds as they are;
# MIRUNE_COMPARE=EXE also starts another mirune.exe (an earlier build, say)
# in the same alternation, with its own median and ratio.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-9}
[ "${MIRUNE_NO_BUILD:-}" = 1 ] || "$root/scripts/build.sh" >/dev/null
. "$root/scripts/wine-probe.sh"
wine_probe || true
build=$root/build/$wine_arch
. "$root/tests/win32/wine-env.sh"
program=$(built_file "$build" mirune.exe)
empty=$(built_file "$build" empty_window.exe)
wine_env_start "$build" "$program"
wineserver -p  # stays up between starts: a warm Wine
work=$(mktemp -d)
trap 'rm -rf "$work"; wine_env_stop' EXIT
cp "$program" "$work/mirune.exe"
cp "$empty" "$work/empty_window.exe"
compare=${MIRUNE_COMPARE:-}
if [ -n "$compare" ]; then
  mkdir "$work/compare"
  cp "$compare" "$work/compare/mirune.exe"
fi

# One X client listens for the windows being mapped (wait_mapped.c), so
# that nothing polls beside the program being timed.
cc -O2 -o "$work/wait_mapped" "$root/scripts/wait_mapped.c" -lX11

now_ms() { date +%s%3N; }

# One start: milliseconds until a window titled $2 is mapped. With a third
# argument, also when a window of that title was mapped first (on
# standard error): for mirune.exe the start-up window, which splits the
# time into Wine's start of the process and the program's own work.
start_once() {
  local exe=$1 title=$2 early=${3:-} t0 pid listener line te="" t1=""
  rm -f "$work/mapped.txt"
  if [ -n "$early" ]; then
    "$work/wait_mapped" 30000 "$early" "$title" >"$work/mapped.txt" &
  else
    "$work/wait_mapped" 30000 "$title" >"$work/mapped.txt" &
  fi
  listener=$!
  until grep -q '^ready$' "$work/mapped.txt" 2>/dev/null; do sleep 0.01; done
  t0=$(now_ms)
  (cd "$work/$(dirname "$exe")" && exec "$MIRUNE_WINE" "$(basename "$exe")" >/dev/null 2>&1) &
  pid=$!
  wait "$listener" || { echo "$exe showed no window titled $title" >&2; kill "$pid" 2>/dev/null; return 1; }
  while read -r line; do
    case "$line" in
      "$early "*) [ -n "$early" ] && te=$((${line##* } - t0)) ;;
      "$title "*) t1=$((${line##* } - t0)) ;;
    esac
  done <"$work/mapped.txt"
  [ -n "$te" ] && echo "$te" >>"$work/early.txt"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # The process is gone before the next start; only our own is ended (the
  # loader execs into it, so it keeps the id).
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  echo "$t1"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

start_once empty_window.exe EmptyWindow >/dev/null  # warm-up of both
start_once mirune.exe Mirune >/dev/null
[ -n "$compare" ] && start_once compare/mirune.exe Mirune >/dev/null
: >"$work/compare.txt"
: >"$work/empty.txt"
: >"$work/mirune.txt"
: >"$work/early.txt"
for _ in $(seq 1 "$runs"); do
  start_once empty_window.exe EmptyWindow >>"$work/empty.txt"
  start_once mirune.exe Mirune 'Mirune　起動中' >>"$work/mirune.txt"
  if [ -n "$compare" ]; then start_once compare/mirune.exe Mirune >>"$work/compare.txt"; fi
done
e=$(median <"$work/empty.txt")
m=$(median <"$work/mirune.txt")
echo "empty window: $(tr '\n' ' ' <"$work/empty.txt")-> median $e ms"
echo "mirune.exe:   $(tr '\n' ' ' <"$work/mirune.txt")-> median $m ms"
if [ -s "$work/early.txt" ]; then
  echo "mirune.exe start-up window seen at: $(tr '\n' ' ' <"$work/early.txt")-> median $(median <"$work/early.txt") ms"
fi
awk -v m="$m" -v e="$e" 'BEGIN { printf "ratio: %.2f (goal: at most 1.5)\n", m / e }'
if [ -n "$compare" ]; then
  c=$(median <"$work/compare.txt")
  echo "$compare: $(tr '\n' ' ' <"$work/compare.txt")-> median $c ms"
  awk -v c="$c" -v e="$e" 'BEGIN { printf "its ratio: %.2f\n", c / e }'
fi
