# Shared by the end-to-end scripts (sourced, not run): mirune.exe driven
# like a user under Wine on a private Xvfb display.
#
#   e2e_begin BUILD_DIR OUT_NAME [TOOL...]
#     checks the build and the tools, starts Wine and the display, makes
#     BUILD_DIR/OUT_NAME/app with a copy of mirune.exe ($out, $run), sets
#     $mirune and $prober. The processes whose ids the script keeps in
#     $app_pid and in the variables named by $e2e_pid_vars are stopped at
#     exit, then Wine and the display.
#   check DESCRIPTION COMMAND...   counts and prints "ok" or "FAIL"
#   e2e_end                        prints "N passed, M failed"; fails if any failed
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

app_pid=
e2e_pid_vars=${e2e_pid_vars:-}
passed=0
failed=0

e2e_cleanup() {
  local v
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  for v in $e2e_pid_vars; do
    [ -n "${!v:-}" ] && kill "${!v}" 2>/dev/null
  done
  wine_env_stop
}

e2e_begin() {
  local build=${1:-} name=$2 tool
  shift 2
  if [ -z "$build" ] || [ ! -d "$build" ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
  fi
  build=$(cd "$build" && pwd)
  mirune=$(built_file "$build" mirune.exe) || { echo "not built: mirune.exe in $build" >&2; exit 2; }
  prober=$(built_file "$build" mirune_probe.exe) || { echo "not built: mirune_probe.exe in $build" >&2; exit 2; }
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
  done
  wine_env_start "$build" "$mirune" || exit 2
  trap e2e_cleanup EXIT
  out="$build/$name"
  run="$out/app"
  rm -rf "$out"
  mkdir -p "$run"
  cp "$mirune" "$run/"
}

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   $what"
  else
    failed=$((failed + 1))
    echo "FAIL $what"
  fi
}
equals() { [ "$1" = "$2" ] || { echo "     got '$1', want '$2'"; return 1; }; }
probe() { "$MIRUNE_WINE" "$prober" "$@" 2>/dev/null | tr -d '\r'; }

# Waits up to $1 seconds for a command to succeed.
wait_for() {
  local limit=$1 i
  shift
  for i in $(seq 1 $((limit * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

x_window() { xdotool search --name "$1" >/dev/null 2>&1; }
no_x_window() { ! x_window "$1"; }
app_running() { [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; }
app_ended() { ! app_running; }

e2e_end() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
