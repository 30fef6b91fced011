#!/usr/bin/env bash
# Builds the Windows program (mingw) and the native tests. Folders:
# build/win32 and build/native under the repository.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/win32" -j"$jobs"

if [ "${1:-}" = "--native" ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug \
        -DMIRUNE_WIN32_DIR="$root/build/win32" >/dev/null
  cmake --build "$root/build/native" -j"$jobs"
fi
