#!/usr/bin/env bash
# Runs the Win32 tests of a finished mingw build under Wine.
#   run-wine-tests.sh services BUILD_DIR   the services / backend test program
#   run-wine-tests.sh e2e BUILD_DIR        mirune.exe driven like a user (e2e.sh)
# Exit code: nonzero when a check failed or the tests could not run.
set -u
here=$(cd "$(dirname "$0")" && pwd)
mode=${1:-}
build=${2:-}
if [ -z "$mode" ] || [ -z "$build" ] || [ ! -d "$build" ]; then
  echo "usage: $0 services|e2e BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$build" && pwd)

case "$mode" in
  services)
    . "$here/wine-env.sh"
    exe=$(built_file "$build" mirune_win32_tests.exe) || { echo "not built: mirune_win32_tests.exe in $build" >&2; exit 2; }
    wine_env_start "$build" || exit 2
    log="$build/wine-services.log"
    # The program prints one line per check and "N passed, M failed" last.
    (cd "$build" && timeout 600 wine "$exe") 2>/dev/null | tr -d '\r' | tee "$log"
    rc=${PIPESTATUS[0]}
    if ! tail -n 1 "$log" | grep -Eq '^[0-9]+ passed, [0-9]+ failed$'; then
      echo "the test program did not finish (exit $rc)" >&2
      exit 1
    fi
    exit "$rc"
    ;;
  e2e)
    exec bash "$here/e2e.sh" "$build"
    ;;
  *)
    echo "unknown mode: $mode (services or e2e)" >&2
    exit 2
    ;;
esac
