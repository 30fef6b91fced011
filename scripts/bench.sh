#!/usr/bin/env bash
# Builds the benchmarks in build/bench (Release) and runs them: the film's
# memory measurement first, then the timed benchmarks.
#   scripts/bench.sh                       # all
#   scripts/bench.sh --benchmark_repetitions=5
set -euo pipefail

root=${MIRUNE_SOURCE_DIR:-$(cd "$(dirname "$0")/.." && pwd)}
MIRUNE_WITH_BENCH=1 "$(dirname "$0")/setup.sh"
build=${MIRUNE_BENCH_BUILD_DIR:-$root/build/bench}

cmake -S "$root" -B "$build" -DMIRUNE_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target picture_bench film_memory -j2
"$build/bench/film_memory"
exec "$build/bench/picture_bench" "$@"
