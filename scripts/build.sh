#!/usr/bin/env bash
# Builds the Windows program (mingw) and the native tests. Folders:
# build/win32 and build/native under the repository. On a machine that
# cannot run 32-bit programs (scripts/wine-probe.sh) the same sources are
# also built for x86_64 in build/win64, which Wine runs there instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
. "$root/scripts/wine-probe.sh"

cd "$root"

# The builds are CMakePresets.json's: win32, win64, native.
preset_build() {  # preset_build NAME [CMAKE_ARGS...]
  local name=$1
  shift
  cmake --preset "$name" "$@" >/dev/null
  cmake --build --preset "$name" -j"$jobs"
}

# The product: a 32-bit program, on every machine.
preset_build win32

wine_probe || true
win64=""
if [ "$wine_arch" != win32 ]; then
  preset_build win64
  win64="$root/build/win64"
fi

if [ "${1:-}" = "--native" ]; then
  wine_probe_summary
  preset_build native -DMIRUNE_WIN64_DIR="$win64"
fi
