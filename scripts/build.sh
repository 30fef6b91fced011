#!/usr/bin/env bash
# Builds the Windows program (mingw) and the native tests. Folders:
# build/win32 and build/native under the repository. On a machine that
# cannot run 32-bit programs (scripts/wine-probe.sh) the same sources are
# also built for x86_64 in build/win64, which Wine runs there instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
. "$root/scripts/wine-probe.sh"

mingw_build() {  # mingw_build FOLDER TOOLCHAIN
  cmake -S "$root" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$1" -j"$jobs"
}

# The product: a 32-bit program, on every machine.
mingw_build "$root/build/win32" mingw-i686

wine_probe || true
win64=""
if [ "$wine_arch" != win32 ]; then
  mingw_build "$root/build/win64" mingw-x86_64
  win64="$root/build/win64"
fi

if [ "${1:-}" = "--native" ]; then
  wine_probe_summary
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug \
        -DMIRUNE_WIN32_DIR="$root/build/win32" -DMIRUNE_WIN64_DIR="$win64" >/dev/null
  cmake --build "$root/build/native" -j"$jobs"
fi
