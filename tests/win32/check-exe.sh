#!/usr/bin/env bash
# Checks what a built mirune.exe is, as `file` sees it, and which processor
# its manifest names:
#   check-exe.sh EXE i386     a PE32 GUI program for Intel 80386, manifest "x86",
#                             large-address-aware (the product, build/win32,
#                             on every machine)
#   check-exe.sh EXE x86-64   a PE32+ GUI program for x86-64, manifest "amd64"
#                             (build/win64, where Wine runs that build instead)
set -u
exe=${1:-}
machine=${2:-}
case "$machine" in
  i386) want='^PE32 executable \(GUI\) Intel 80386' manifest=x86 large=1 ;;
  x86-64) want='^PE32\+ executable \(GUI\) x86-64' manifest=amd64 large=0 ;;
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
# The COFF header's Characteristics (PE header at the offset in 0x3c, then
# "PE\0\0", then 18 bytes to the field): bit 0x0020 is large-address-aware,
# which lets a 32-bit program use 4 GiB on 64-bit Windows instead of 2.
le16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
le32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
pe=$(le32 "$exe" 60)
signature=$(od -An -c -j "$pe" -N2 "$exe" | tr -d ' ')
characteristics=$(le16 "$exe" $((pe + 22)))
if [ "$signature" != "PE" ] || [ -z "$characteristics" ]; then
  echo "FAIL no PE header at offset ${pe:-?}"
  failed=1
elif [ "$large" -eq 1 ]; then
  printf 'characteristics: 0x%04x\n' "$characteristics"
  if (( (characteristics & 0x20) == 0 )); then
    echo "FAIL the 32-bit program must be linked --large-address-aware"
    failed=1
  fi
fi
[ "$failed" -eq 0 ] && echo "ok   $exe is an $machine program"
exit "$failed"
