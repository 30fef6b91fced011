# Which Windows programs this machine's Wine can run. Sourced (not run) by
# build.sh, run.sh and the Wine tests, so that all of them decide alike.
#
# wine_probe sets
#   wine_arch    win32: 32-bit programs run, so the product (build/win32) is
#                the one run and tested, as always;
#                win64: only 64-bit programs run (a kernel without 32-bit
#                emulation), so the same sources built for x86_64
#                (build/win64) stand in for it under wine64;
#                empty: Wine runs nothing here.
#   wine_command the command that runs a program of that kind ("wine" for
#                win32; the 64-bit loader itself for win64, since Debian's
#                "wine" script picks the 32-bit loader whenever it is installed)
#   wine_why     one line saying why
# and returns nonzero when Wine runs nothing here.
#
# The probe runs each loader with --version: that starts no wineserver and
# costs a few milliseconds, and a kernel that cannot run i386 programs
# answers "Exec format error". MIRUNE_WINE_ARCH=win32 or win64 asks for one
# kind only (for example to test the 64-bit build where both run).

MIRUNE_WINE32_LOADER=${MIRUNE_WINE32_LOADER:-/usr/lib/wine/wine}
MIRUNE_WINE64_LOADER=${MIRUNE_WINE64_LOADER:-/usr/lib/wine/wine64}

# wine_loader_runs LOADER: true when LOADER starts; otherwise sets
# wine_loader_error to why not.
wine_loader_runs() {
  local out rc=0
  if [ ! -e "$1" ]; then
    wine_loader_error="$1 is not installed"
    return 1
  fi
  out=$("$1" --version 2>&1) || rc=$?
  [ "$rc" -eq 0 ] && return 0
  out=$(printf '%s\n' "$out" | head -n 1)
  case "$out" in
    *"Exec format error"*) wine_loader_error="this kernel cannot run $2 programs ($1: Exec format error)" ;;
    *) wine_loader_error="$1 --version failed (exit $rc): $out" ;;
  esac
  return 1
}

# wine_for win32|win64: true when programs of that kind run here; sets
# wine_command to the command that runs them, or wine_loader_error to why
# they cannot run.
wine_for() {
  wine_command=""
  case "$1" in
    win32) wine_loader_runs "$MIRUNE_WINE32_LOADER" 32-bit && wine_command=wine ;;
    win64) wine_loader_runs "$MIRUNE_WINE64_LOADER" 64-bit && wine_command=$MIRUNE_WINE64_LOADER ;;
    *) wine_loader_error="no such kind of Windows program: $1" ;;
  esac
  [ -n "$wine_command" ]
}

wine_probe() {
  local want=${MIRUNE_WINE_ARCH:-} no32=""
  wine_arch="" wine_command="" wine_why=""
  case "$want" in
    "" | win32 | win64) ;;
    *)
      wine_why="MIRUNE_WINE_ARCH=$want is neither win32 nor win64"
      return 1
      ;;
  esac
  if [ "$want" != win64 ]; then
    if wine_for win32; then
      wine_arch=win32
      wine_why="32-bit Wine runs on this machine"
      return 0
    fi
    no32=$wine_loader_error
    if [ "$want" = win32 ]; then
      wine_why="MIRUNE_WINE_ARCH=win32, but $no32"
      return 1
    fi
  fi
  if wine_for win64; then
    wine_arch=win64
    wine_why=${no32:-"MIRUNE_WINE_ARCH=win64 asks for it"}
    return 0
  fi
  if [ -n "$no32" ]; then
    wine_why="$no32, and 64-bit Wine does not run either: $wine_loader_error"
  else
    wine_why="MIRUNE_WINE_ARCH=win64, but $wine_loader_error"
  fi
  return 1
}

# One line saying which build the Wine tests run and why (after
# wine_probe); FOLDER names that build (build/win32 or build/win64 if not
# given).
wine_probe_summary() {
  case "$wine_arch" in
    win32) echo "Wine tests run ${1:-build/win32} (the 32-bit product) under 32-bit Wine, WINEARCH=win32: $wine_why." ;;
    win64) echo "Wine tests run ${1:-build/win64} (the same sources built for x86_64) under wine64, WINEARCH=win64: $wine_why." ;;
    *) echo "Wine tests cannot run: $wine_why." ;;
  esac
}

# wine_font_replacements WINE_COMMAND: in the prefix of $WINEPREFIX, the
# Japanese UI fonts the program names resolve to IPA fonts of the same
# kind: "ＭＳ Ｐゴシック" to the proportional IPAPGothic (by default Wine
# picks the fixed-pitch IPA Gothic, and long captions are cut off), "ＭＳ
# ゴシック" to IPAGothic. Done once per prefix.
wine_font_replacements() {
  local wine=$1 key='HKCU\Software\Wine\Fonts\Replacements'
  [ -f "$WINEPREFIX/.mirune-fonts" ] && return 0
  "$wine" reg add "$key" /v "ＭＳ Ｐゴシック" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1 || return 1
  "$wine" reg add "$key" /v "ＭＳ ゴシック" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1 || return 1
  touch "$WINEPREFIX/.mirune-fonts"
}

# wine_managed_windows WINE_COMMAND Y|N: in the prefix of $WINEPREFIX,
# whether Wine's X11 driver hands top-level windows to a window manager
# (HKCU\Software\Wine\X11 Driver, Managed; Wine's default is Y). On an X
# server without a window manager, as the tests' Xvfb, Wine waits up to 2 s
# for one at each hide of a managed window; with N it does not. Written only
# when the prefix does not hold that value already.
wine_managed_windows() {
  local wine=$1 want=$2 mark="$WINEPREFIX/.mirune-managed"
  [ -f "$mark" ] && [ "$(cat "$mark")" = "$want" ] && return 0
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$want" /f >/dev/null 2>&1 || return 1
  echo "$want" >"$mark"
}

# wine_display WINE_COMMAND DPI XRANDR: in the prefix of $WINEPREFIX, the
# display's DPI (LogPixels, in both places Wine reads it: the user's desktop
# settings and the current hardware profile's fonts) and whether Wine's X11
# driver asks XRandR for the monitors (Y, its default) or takes the X
# server's Xinerama heads (N). Written only when the prefix does not hold
# these values already.
wine_display() {
  local wine=$1 dpi=$2 xrandr=$3 mark="$WINEPREFIX/.mirune-display"
  [ -f "$mark" ] && [ "$(cat "$mark")" = "$dpi $xrandr" ] && return 0
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || return 1
  "$wine" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || return 1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d "$xrandr" /f >/dev/null 2>&1 || return 1
  echo "$dpi $xrandr" >"$mark"
}
