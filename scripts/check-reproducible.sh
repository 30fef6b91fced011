#!/usr/bin/env bash
# Shows that the release zip is reproducible: clones this repository's
# current commit twice, into folders of different names and depths, packs
# each with scripts/package.sh from scratch, one after the other (so at
# different times), under a different time zone, umask and locale, and
# compares the two zips byte for byte. No compiler cache is used, so
# neither build can take the other's objects. It builds mirune.exe twice:
# several minutes. Uncommitted changes are not in the clones.
#   check-reproducible.sh [WORK_DIR]   (default: a new folder under /tmp, removed after)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "${1:-}" ]; then
  work=$1
  mkdir -p "$work"
else
  work=$(mktemp -d /tmp/mirune-repro.XXXXXX)
  trap 'rm -rf "$work"' EXIT
fi
first="$work/one/mirune"
second="$work/two/a/much/deeper/folder/mirune-clone"
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "note: uncommitted changes are not checked; the clones hold commit $commit"
fi

export CCACHE_DISABLE=1
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER SOURCE_DATE_EPOCH

pack() {  # pack CLONE_DIR TZ UMASK LOCALE
  local dir=$1
  git clone -q --no-hardlinks "$root" "$dir"
  git -C "$dir" -c advice.detachedHead=false checkout -q "$commit"
  echo "packing in $dir at $(date -u '+%Y-%m-%d %H:%M:%S') UTC (TZ=$2, umask $3, LC_ALL=$4)"
  (cd "$dir" && umask "$3" && TZ=$2 LC_ALL=$4 bash scripts/package.sh >/dev/null)
}
pack "$first" UTC 022 C.UTF-8
pack "$second" Asia/Tokyo 077 ja_JP.UTF-8

a=$(ls "$first"/dist/mirune-*.zip)
b=$(ls "$second"/dist/mirune-*.zip)
sha256sum "$a" "$b"
if [ "$(basename "$a")" = "$(basename "$b")" ] && cmp "$a" "$b"; then
  echo "reproducible: the two zips of commit $commit are identical"
else
  echo "NOT reproducible: the two zips of commit $commit differ"
  diff <(unzip -v "$a" | tail -n +2) <(unzip -v "$b" | tail -n +2) || true
  exit 1
fi
