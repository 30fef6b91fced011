# Shared by run-wine-tests.sh and e2e.sh (sourced, not run): the Wine
# environment of a mingw build folder and a private Xvfb display.
#
# Sets WINEPREFIX (under the build folder, or MIRUNE_WINEPREFIX), WINEARCH and MIRUNE_WINE (the
# command that runs the build's programs: "wine" for a 32-bit build, the
# wine64 loader for an x86_64 one), the Japanese locale (so the ANSI code
# page is 932 and the UI font resolves), and quiet Wine. Call
# wine_env_start BUILD_DIR PROGRAM; it installs a trap that stops what it
# started.
#
# Top-level windows are not managed (X11 Driver Managed=N in the prefix):
# without a window manager on the display Wine would wait up to 2 s at each
# hide of a managed window. MIRUNE_WINE_MANAGED=Y keeps Wine's default, so
# one end-to-end test (e2e.sh) covers the managed path.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-probe.sh"

# The path of a program of the build, wherever CMake put it.
built_file() {
  local build=$1 name=$2 d
  for d in "$build" "$build/tests/win32" "$build/src/platform/win32"; do
    [ -f "$d/$name" ] && { echo "$d/$name"; return 0; }
  done
  return 1
}

# The processor a Windows program is built for (i386 or x86-64), from its
# PE header; fails for anything else.
pe_machine() {
  local b at sig
  b=($(od -An -tu1 -j60 -N4 "$1" 2>/dev/null)) || return 1
  [ ${#b[@]} -eq 4 ] || return 1
  at=$((b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24))
  sig=$(od -An -tx1 -j"$at" -N6 "$1" 2>/dev/null | tr -d ' \n')
  case "$sig" in
    504500004c01) echo i386 ;;
    504500006486) echo x86-64 ;;
    *) return 1 ;;
  esac
}

wine_env_start() {
  local build=$1 program=$2 machine
  # The build's own processor decides the Wine it needs; a machine that
  # cannot run it is a failure, never a skip.
  machine=$(pe_machine "$program") || { echo "not a Windows program for i386 or x86-64: $program" >&2; return 1; }
  if [ "$machine" = i386 ]; then
    export WINEARCH=win32
  else
    export WINEARCH=win64
  fi
  wine_for "$WINEARCH" || { echo "cannot run the $machine build $build here: $wine_loader_error" >&2; return 1; }
  MIRUNE_WINE=$wine_command
  # Programs Wine starts on its own use the same loader.
  [ "$WINEARCH" = win64 ] && export WINELOADER=$MIRUNE_WINE
  # MIRUNE_WINEPREFIX gives a run a prefix of its own (the soak beside the tests).
  export WINEPREFIX="${MIRUNE_WINEPREFIX:-$build/wineprefix}"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "note: the ja_JP.UTF-8 locale is missing (Japanese text will not render); generate it with locale-gen" >&2
  fi
  for tool in "$MIRUNE_WINE" wineserver Xvfb; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; return 1; }
  done

  # A display nobody uses.
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
  done
  export DISPLAY=":$n"
  # 1024 x 768 unless MIRUNE_XVFB_SCREEN says otherwise (WxHxDEPTH), for
  # measurements on a larger screen.
  Xvfb "$DISPLAY" -screen 0 "${MIRUNE_XVFB_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  WINE_ENV_XVFB=$!
  trap wine_env_stop EXIT
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }

  # A wineserver left from another display would hand our programs to it.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "making the Wine prefix $WINEPREFIX (about 20 s)"
    timeout 300 "$MIRUNE_WINE" wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
    wineserver -w >/dev/null 2>&1 || true
  fi
  wine_font_replacements "$MIRUNE_WINE" || { echo "cannot set the font replacements in $WINEPREFIX" >&2; return 1; }
  local managed=${MIRUNE_WINE_MANAGED:-N}
  case "$managed" in
    Y | N) ;;
    *) echo "MIRUNE_WINE_MANAGED=$managed is neither Y nor N" >&2; return 1 ;;
  esac
  wine_managed_windows "$MIRUNE_WINE" "$managed" || { echo "cannot set Managed=$managed in $WINEPREFIX" >&2; return 1; }
  # 96 DPI and the monitors XRandR reports, whatever a test of scaled
  # displays left in the prefix.
  wine_display "$MIRUNE_WINE" 96 Y || { echo "cannot set the display's DPI in $WINEPREFIX" >&2; return 1; }
}

wine_env_stop() {
  # Wine's programs go first, so none of them sees its display vanish.
  wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  if [ -n "${WINE_ENV_XVFB:-}" ]; then
    kill "$WINE_ENV_XVFB" 2>/dev/null || true
    wait "$WINE_ENV_XVFB" 2>/dev/null || true
    WINE_ENV_XVFB=
  fi
}
