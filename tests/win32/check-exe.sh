#!/usr/bin/env bash
# Checks what a built mirune.exe is, as `file` sees it, and which processor
# its manifest names:
#   check-exe.sh EXE i386     a PE32 GUI program for Intel 80386, manifest "x86"
#                             (the product, build/win32, on every machine)
#   check-exe.sh EXE x86-64   a PE32+ GUI program for x86-64, manifest "amd64"
#                             (build/win64, where Wine runs that build instead)
set -u
exe=${1:-}
machine=${2:-}
case "$machine" in
  i386) want='^PE32 executable \(GUI\) Intel 80386' manifest=x86 ;;
  x86-64) want='^PE32\+ executable \(GUI\) x86-64' manifest=amd64 ;;
  *)
    echo "usage: $0 EXE i386|x86-64" >&2
    exit 2
    ;;
esac
[ -f "$exe" ] || { echo "not built: $exe" >&2; exit 1; }
command -v file >/dev/null || { echo "missing: file (apt-get install file)" >&2; exit 1; }

failed=0
kind=$(file -b "$exe")
echo "file: $kind"
if ! grep -Eq "$want" <<<"$kind"; then
  echo "FAIL $exe is not what the $machine build must be (want /$want/)"
  failed=1
fi
# The first processorArchitecture is the program's own identity; the
# Common Controls dependency after it says "*".
named=$(grep -ao 'processorArchitecture="[^"]*"' "$exe" | head -n 1)
echo "manifest: ${named:-none}"
if [ "$named" != "processorArchitecture=\"$manifest\"" ]; then
  echo "FAIL the embedded manifest must name processorArchitecture=\"$manifest\""
  failed=1
fi
[ "$failed" -eq 0 ] && echo "ok   $exe is an $machine program"
exit "$failed"
