#!/usr/bin/env bash
# Every GDI and USER handle the Win32 code makes goes straight into one of
# the owners of src/platform/win32/handles.h, which give it back and count
# it. Fails, naming the line, on a handle made outside an owner or given
# back by hand.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
make='\b(CreateWindowExW?|CreateCompatibleDC|CreateDCW?|CreateDIBSection|CreateCompatibleBitmap|CreateBitmap|CreateDIBitmap|CreateFontW?|CreateFontIndirectW?|CreatePopupMenu|CreateMenu|CreateSolidBrush|CreatePen|CreateRectRgn|CreatePalette|CopyEnhMetaFileW?|SetEnhMetaFileBits|SetWinMetaFileBits|GetDC|GetWindowDC|CopyImage|LoadImageW?|CreateIconIndirect|GlobalAlloc)\('
giveBack='\b(DeleteObject|DestroyWindow|DeleteDC|ReleaseDC|DestroyMenu|DeleteEnhMetaFile|DestroyIcon|GlobalFree)\('
owned='Unique|\.reset\(|[a-z_]+_\((Create|Set|Get)|WindowDc'
bad=0
files=$(git ls-files 'src/platform/win32/*.cpp' 'src/platform/win32/*.h' 'tests/win32/*.cpp' 'tests/win32/*.h' |
        grep -v -e 'src/platform/win32/handles.h' -e 'tests/win32/empty_window.cpp')
for f in $files; do
  while IFS= read -r hit; do
    [ -z "$hit" ] && continue
    # The owner may stand on the line before, where a long call was wrapped.
    n=${hit%%:*}
    line="$(sed -n "$((n > 1 ? n - 1 : 1))p" "$f") ${hit#*:}"
    if ! echo "$line" | grep -qE "$owned"; then echo "$f:$hit  (a handle made outside an owner)"; bad=1; fi
  done < <(grep -nE "$make" "$f" | grep -vE '^[0-9]+:\s*//')
  while IFS= read -r hit; do
    [ -z "$hit" ] && continue
    echo "$f:$hit  (a handle given back by hand)"; bad=1
  done < <(grep -nE "$giveBack" "$f" | grep -vE '^[0-9]+:\s*//')
done
[ "$bad" = 0 ] && echo "handle check: every handle is made into an owner"
exit "$bad"
