#!/usr/bin/env bash
# Builds the benchmarks in build/bench (Release) and runs every one of them.
#   scripts/bench.sh                       # all
#   scripts/bench.sh --benchmark_repetitions=5
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root"
cmake --preset bench >/dev/null
cmake --build --preset bench -j2
for b in build/bench/bench/*_bench; do
  echo "== $(basename "$b")"
  "$b" "$@"
done
