#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs one of them.
#   scripts/fuzz.sh fuzz_bmp 600        # ten minutes
#   scripts/fuzz.sh fuzz_ico 60 -jobs=2 # extra arguments go to libFuzzer
# New inputs collect in build/fuzz/corpus/<target> (seeded from fuzz/corpus);
# crashes land in build/fuzz/artifacts/<target>/.
set -euo pipefail

target=${1:?usage: fuzz.sh fuzz_bmp|fuzz_ico|fuzz_png|fuzz_ini SECONDS [libFuzzer args...]}
seconds=${2:?usage: fuzz.sh fuzz_bmp|fuzz_ico|fuzz_png|fuzz_ini SECONDS [libFuzzer args...]}
shift 2

root=$(cd "$(dirname "$0")/.." && pwd)
MIRUNE_WITH_FUZZ=1 "$root/scripts/setup.sh"
build=$root/build/fuzz
seeds=$root/fuzz/corpus/${target#fuzz_}

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target" -j2

mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
exec "$build/fuzz/$target" "$build/corpus/$target" "$seeds" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/$target/" "$@"
