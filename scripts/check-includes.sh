#!/usr/bin/env bash
# The layers' arrows point down only. Fails, naming the line, when a file
# includes a header of a layer it may not use, or when a platform header or
# a _WIN32 test appears outside src/platform/.
#   check-includes.sh [SOURCE_ROOT]   (default: the repository's src/)
set -u
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}

# What each folder may include besides itself.
allowed() {
  case "$1" in
    base) echo "" ;;
    picture) echo "base" ;;
    system) echo "base picture" ;;
    ui) echo "base picture system" ;;
    app) echo "base picture system ui" ;;
    camera|sheet|dialogs) echo "base picture system ui app" ;;
    shell) echo "base picture system ui app camera sheet dialogs" ;;
    platform/headless) echo "base picture system ui app camera sheet dialogs shell" ;;
    platform/win32) echo "base picture system ui app camera sheet dialogs shell" ;;
    *) echo "?" ;;
  esac
}

bad=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  case "$rel" in
    platform/*/*) layer=$(echo "$rel" | cut -d/ -f1-2) ;;
    *) layer=${rel%%/*} ;;
  esac
  ok=$(allowed "$layer")
  if [ "$ok" = "?" ]; then
    echo "$rel: folder '$layer' is not a known layer"; bad=1; continue
  fi
  while IFS=: read -r line text; do
    inc=$(echo "$text" | sed -E 's/.*#include "([^"]+)".*/\1/')
    case "$inc" in
      platform/*/*) target=$(echo "$inc" | cut -d/ -f1-2) ;;
      */*) target=${inc%%/*} ;;
      *) continue ;;  # a file of the same folder
    esac
    [ "$target" = "$layer" ] && continue
    if ! printf ' %s ' $ok | grep -q " $target "; then
      echo "$rel:$line: includes $inc ($layer may not use $target)"; bad=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
  case "$layer" in
    platform/*) ;;
    *)
      hits=$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows|winuser|wingdi|winreg|commctrl|commdlg|shellapi|unistd|sys/[a-z_]+|X11/[A-Za-z]+)\.h>|_WIN32' "$file")
      if [ -n "$hits" ]; then
        echo "$hits" | sed "s|^|$rel:|;s|\$|  (platform code outside platform/)|"; bad=1
      fi
      ;;
  esac
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)

if [ "$bad" = 0 ]; then echo "include check: every arrow points down"; fi
exit "$bad"
