#!/usr/bin/env bash
# Makes what a user downloads, in dist/:
#   mirune-VERSION.zip         one folder mirune-VERSION/ with mirune.exe, the
#                              user's guide readme.txt (Japanese, UTF-8 with a
#                              byte-order mark, CRLF) and LICENSE.txt
#   mirune-VERSION.zip.sha256  its SHA-256, as `sha256sum -c` reads it
# VERSION is the project's version in CMakeLists.txt. The program is the
# win32 preset's build (release configuration, build/win32): the one the
# tests run, so packing after scripts/test.sh compiles nothing. The same
# commit gives the same zip byte for byte, wherever and whenever it is made
# (scripts/check-reproducible.sh shows it): the entries carry the commit's
# time, or $SOURCE_DATE_EPOCH's when that is set.
#
#   package.sh                            builds mirune.exe, then packs it
#   package.sh --prebuilt DIR [--out DIR] packs DIR/mirune.exe as built
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win32"
out="$root/dist"
prebuilt=0
while [ $# -gt 0 ]; do
  case "$1" in
    --prebuilt) build=${2:?--prebuilt needs a build folder}; prebuilt=1; shift 2 ;;
    --out) out=${2:?--out needs a folder}; shift 2 ;;
    *) echo "usage: $0 [--prebuilt BUILD_DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done
for tool in cmake python3 sha256sum; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/setup.sh installs it)" >&2; exit 1; }
done

cd "$root"
if [ "$prebuilt" = 0 ]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target mirune -j"$(nproc 2>/dev/null || echo 2)"
fi
exe="$build/mirune.exe"
[ -f "$exe" ] || { echo "not built: $exe" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || [ -z "$epoch" ]; then
  echo "no time for the zip's entries: not a git checkout, and SOURCE_DATE_EPOCH is not set" >&2
  exit 1
fi
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null)" ]; then
  echo "note: the checkout has uncommitted changes; this zip is not the commit's" >&2
fi

name="mirune-$version"
zip="$out/$name.zip"
rm -f "$zip.sha256"
python3 "$root/scripts/pack_release.py" "$zip" "$name" "$epoch" \
  mirune.exe=binary:"$exe" \
  readme.txt=text-bom:"$root/docs/guide-ja.txt" \
  LICENSE.txt=text:"$root/LICENSE"
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256.partial" && mv "$name.zip.sha256.partial" "$name.zip.sha256")
echo "$zip"
cat "$zip.sha256"
