#!/usr/bin/env bash
# Saving a full-HD screenshot as PNG, and reading it back, against
# ImageMagick's `convert` at its default settings, in one run on one
# machine. Builds png_bench (build/bench, Release), then:
#   ours:  png_bench's BM_SavePng (encode + safe write) and BM_ReadPng
#          (read + decode), medians of 5 repetitions;
#   ImageMagick: the median of N runs of
#          convert screen.bmp out.png   minus   convert screen.bmp null:
#          (the PNG write alone: the same start-up and BMP read taken off), and
#          convert ours.png null:       minus   convert xc:white null:
#          (the PNG read alone).
# Prints the figures and the ratios; exits 1 when a bound is missed:
# save at most 1.5 x ImageMagick's time, file at most 1.2 x its size,
# read faster than ImageMagick's.
#   scripts/png-vs-imagemagick.sh [RUNS]   (default 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
cd "$root"
cmake --preset bench >/dev/null
cmake --build build/bench -j2 --target png_bench >/dev/null
bench=build/bench/bench/png_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --sample "$work"

# Median, in milliseconds, of RUNS timings of a command.
median_ms() {
  local i t0 t1
  for i in $(seq 1 "$runs"); do
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s%N)
    echo $(((t1 - t0) / 1000))
  done | sort -n | awk '{ a[NR] = $1 } END { printf "%.3f\n", a[int((NR + 1) / 2)] / 1000 }'
}

im_write_full=$(median_ms convert "$work/screen.bmp" "$work/im.png")
im_read_bmp=$(median_ms convert "$work/screen.bmp" null:)
im_read_png=$(median_ms convert "$work/ours.png" null:)
im_start=$(median_ms convert xc:white null:)

"$bench" --benchmark_filter='BM_(SavePng|ReadPng)$' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$work/ours.json" 2>/dev/null

python3 - "$work" "$im_write_full" "$im_read_bmp" "$im_read_png" "$im_start" <<'PY'
import json, os, sys
work = sys.argv[1]
im_write_full, im_read_bmp, im_read_png, im_start = map(float, sys.argv[2:6])
res = {b["run_name"]: b for b in json.load(open(os.path.join(work, "ours.json")))["benchmarks"]
       if b.get("aggregate_name") == "median"}
def ms(b):
    scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]
    return b["real_time"] * scale
save, read = ms(res["BM_SavePng"]), ms(res["BM_ReadPng"])
im_write = im_write_full - im_read_bmp
im_read = im_read_png - im_start
ours_size = os.path.getsize(os.path.join(work, "ours.png"))
im_size = os.path.getsize(os.path.join(work, "im.png"))
print(f"1920 x 1080 screenshot; ImageMagick medians of runs, ours medians of 5 repetitions")
print(f"save as PNG : ours {save:8.2f} ms   ImageMagick {im_write:8.2f} ms "
      f"({im_write_full:.2f} - {im_read_bmp:.2f})   ratio {save / im_write:.2f} (bound 1.5)")
print(f"file size   : ours {ours_size:8d} B    ImageMagick {im_size:8d} B    ratio {ours_size / im_size:.2f} (bound 1.2)")
print(f"read PNG    : ours {read:8.2f} ms   ImageMagick {im_read:8.2f} ms "
      f"({im_read_png:.2f} - {im_start:.2f})   ratio {read / im_read:.2f} (bound < 1)")
ok = save <= 1.5 * im_write and ours_size <= 1.2 * im_size and read < im_read
print("within bounds" if ok else "OUT OF BOUNDS")
sys.exit(0 if ok else 1)
PY
