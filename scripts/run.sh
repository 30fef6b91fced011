#!/usr/bin/env bash
# Builds mirune.exe and starts it under Wine in a Japanese locale. Without a
# display it starts its own Xvfb and says how to look at it. On a machine
# that cannot run 32-bit programs it runs the x86_64 build (build/win64)
# under wine64 instead, and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
. "$root/scripts/wine-probe.sh"

wine_probe || { echo "Mirune cannot run here: $wine_why." >&2; exit 1; }
build="$root/build/$wine_arch"
if [ "$wine_arch" = win64 ]; then
  echo "Running build/win64/mirune.exe (the same program built for x86_64) under wine64: $wine_why."
  export WINELOADER=$wine_command
fi
# A prefix of its own, so the test runs leave no positions behind for it.
export WINEPREFIX="$build/wineprefix-run" WINEARCH=$wine_arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
       LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 50 99); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  sleep 1
  echo "No display was set: Mirune runs on Xvfb $DISPLAY."
  echo "To look at it:  DISPLAY=$DISPLAY import -window root screen.png"
  echo "To click:       DISPLAY=$DISPLAY xdotool mousemove X Y click 1"
fi
[ -d "$WINEPREFIX" ] || { echo "Preparing the Wine prefix (about 20 s)..."; "$wine_command" wineboot -i >/dev/null 2>&1 || true; }
wine_font_replacements "$wine_command" || echo "note: the font replacements could not be set; long captions may be cut off" >&2
mkdir -p "$build/run"
cp "$build/mirune.exe" "$build/run/mirune.exe"
cd "$build/run"
"$wine_command" mirune.exe
