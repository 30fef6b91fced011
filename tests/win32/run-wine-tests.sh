#!/usr/bin/env bash
# Runs the Win32 tests of a finished mingw build under Wine.
#   run-wine-tests.sh services WIN32_BUILD [WIN64_BUILD]
#                          the services / backend test program (GoogleTest),
#                          all but its suites named Long...
#   run-wine-tests.sh e2e WIN32_BUILD [WIN64_BUILD]
#                          mirune.exe driven like a user (e2e.sh)
#   run-wine-tests.sh NAME WIN32_BUILD [WIN64_BUILD]
#                          the end-to-end script NAME_e2e.sh beside this one:
#                          camera, clipboard, capture, picture, large ...
#   run-wine-tests.sh handles WIN32_BUILD [WIN64_BUILD]
#                          the test program's Long... suites (live handles
#                          over 200 shots; a quarter of a minute with the
#                          unmanaged windows of the tests' prefix)
# WIN32_BUILD, the product's build, is the one run wherever 32-bit Wine
# works. On a machine that cannot run 32-bit programs (see
# scripts/wine-probe.sh) WIN64_BUILD, the same sources built for x86_64,
# runs under wine64 instead; without it the tests fail. The first line says
# which build runs and why.
# Exit code: nonzero when a check failed or the tests could not run.
set -u
here=$(cd "$(dirname "$0")" && pwd)
mode=${1:-}
win32=${2:-}
win64=${3:-}
if [ -z "$mode" ] || [ -z "$win32" ] || [ ! -d "$win32" ]; then
  echo "usage: $0 services|handles|e2e|NAME WIN32_BUILD [WIN64_BUILD]" >&2
  exit 2
fi
case "$mode" in
  services | handles | e2e) ;;
  *)
    if [ ! -f "$here/${mode}_e2e.sh" ]; then
      echo "unknown mode: $mode (services, handles, e2e, or NAME of a NAME_e2e.sh beside this script)" >&2
      exit 2
    fi
    ;;
esac

. "$here/wine-env.sh"
if ! wine_probe; then
  wine_probe_summary >&2
  exit 1
fi
if [ "$wine_arch" = win32 ]; then
  build=$win32
else
  if [ -z "$win64" ] || [ ! -d "$win64" ]; then
    echo "Wine tests cannot run: only 64-bit Wine runs here ($wine_why), and no x86_64 build was given (scripts/build.sh makes build/win64 on such a machine)." >&2
    exit 1
  fi
  build=$win64
fi
build=$(cd "$build" && pwd)
wine_probe_summary "$build"

case "$mode" in
  services | handles)
    # The long tests (suites named Long...) are a run of their own.
    filter='--gtest_filter=-Long*'
    limit=600
    [ "$mode" = handles ] && filter='--gtest_filter=Long*' && limit=1800
    exe=$(built_file "$build" mirune_win32_tests.exe) || { echo "not built: mirune_win32_tests.exe in $build" >&2; exit 2; }
    wine_env_start "$build" "$exe" || exit 2
    log="$build/wine-services.log"
    # GoogleTest's output: each test, each failed check with its message,
    # and the failed tests listed again at the end.
    (cd "$build" && timeout "$limit" "$MIRUNE_WINE" "$exe" "$filter") 2>/dev/null | tr -d '\r' | tee "$log"
    rc=${PIPESTATUS[0]}
    if [ "$rc" != 0 ]; then
      grep -q '^\[  FAILED  \]' "$log" || echo "the test program did not finish (exit $rc)" >&2
      exit 1
    fi
    # A filter that selects nothing passes in GoogleTest; here it is a fault.
    if ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.$' "$log"; then
      echo "no test ran ($filter)" >&2
      exit 1
    fi
    exit 0
    ;;
  e2e)
    exec bash "$here/e2e.sh" "$build"
    ;;
  *)
    exec bash "$here/${mode}_e2e.sh" "$build"
    ;;
esac
