#!/usr/bin/env bash
# clang-tidy over the sources, with the checks of .clang-tidy; any finding
# fails (WarningsAsErrors there).
#   check-tidy.sh NATIVE_BUILD [WIN32_BUILD]
# NATIVE_BUILD's compile_commands.json covers every layer but the Win32
# backend; WIN32_BUILD's (a configured mingw build) covers
# src/platform/win32, read by clang as the mingw target with the mingw
# compiler's C++ library. MIRUNE_TIDY_JOBS files at once (2 by default).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-}
win32=${2:-}
jobs=${MIRUNE_TIDY_JOBS:-2}
if [ -z "$native" ]; then
  echo "usage: $0 NATIVE_BUILD [WIN32_BUILD]" >&2
  exit 2
fi
command -v clang-tidy >/dev/null || { echo "missing: clang-tidy (scripts/setup.sh installs it)" >&2; exit 2; }
for b in "$native" $win32; do
  [ -f "$b/compile_commands.json" ] || { echo "no compile_commands.json in $b: configure that build first" >&2; exit 2; }
done
cd "$root" || exit 2

# One file per line into clang-tidy, $jobs at a time; prints what it finds.
tidy() {  # tidy BUILD FILE... (extra clang-tidy arguments in $extra)
  local build=$1
  shift
  printf '%s\n' "$@" | xargs -r -P "$jobs" -n 1 clang-tidy -p "$build" --quiet "${extra[@]}" 2>&1 |
    grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers'
  return "${PIPESTATUS[1]}"
}

bad=0
extra=()
mapfile -t files < <(git ls-files 'src/*.cpp' | grep -v '^src/platform/win32/')
tidy "$native" "${files[@]}" || bad=1

if [ -n "$win32" ]; then
  # The mingw compiler's own C++ headers and the mingw system headers, not
  # its compiler-internal folders (clang brings its own).
  cxx=$(grep -o '"command": "[^ "]*' "$win32/compile_commands.json" | head -n 1 | sed 's/.*"command": "//')
  target=$("$cxx" -dumpmachine) || { echo "cannot ask $cxx for its target" >&2; exit 2; }
  extra=("--extra-arg-before=--target=$target" --extra-arg=-nostdinc++)
  while IFS= read -r dir; do
    extra+=("--extra-arg=-isystem$dir")
  done < <(echo | "$cxx" -E -x c++ - -v 2>&1 | sed -n '/^#include <...> search starts here:/,/^End of search list/s/^ //p' |
           grep -vE '/lib/gcc/[^/]+/[^/]+/include(-fixed)?$')
  mapfile -t files < <(git ls-files 'src/platform/win32/*.cpp')
  tidy "$win32" "${files[@]}" || bad=1
fi

[ "$bad" = 0 ] && echo "tidy check: no finding"
exit "$bad"
