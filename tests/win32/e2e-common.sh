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
# and the helpers below (screenshots, pixels, the camera box, menus, dialogs).
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

# Helpers the scripts share. Screenshots go to $out/NAME.png.
shot() { import -window root "$out/$1.png"; }
# The colour of one pixel of a PNG in $out, as RRGGBB.
pixel() { convert "$out/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1 | tr -d '#'; }
# How many pixels of two pictures differ (pictures of different sizes differ).
differing() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ print $1 }'; }
win_path() { "$MIRUNE_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# The camera box is the program's one stay-on-top window.
box_rect() { probe topmost MiruneForm | awk '$1 == "window" { print $2, $3, $4, $5 }'; }
box_is() { equals "$(box_rect)" "$1" >/dev/null; }
menu_open() { probe visible '#32768' | grep -q '^window'; }
menu_closed() { ! menu_open; }
dialog_shown() { probe visible '#32770' | grep -q '^window'; }
dialog_gone() { ! dialog_shown; }
sheet_titled() { probe window "$1" | grep -q '^window'; }
# The pattern window (mirune_probe pattern): 8-pixel cells, red, green,
# blue by (x / 8 + y / 8) % 3, 400 x 300 at ($pattern_left, $pattern_top);
# its process id in $pattern_pid (list pattern_pid in $e2e_pid_vars).
start_pattern_window() {
  (exec "$MIRUNE_WINE" "$prober" pattern "$pattern_left" "$pattern_top" 400 300 >/dev/null 2>&1) &
  pattern_pid=$!
  check "the pattern window appears" wait_for 30 x_window '^MiruneTestPattern$'
}
# The colour the pattern has at a screen point, as RRGGBB.
pattern_expected() {  # pattern_expected X Y (screen)
  local c=$(((($1 - pattern_left) / 8 + ($2 - pattern_top) / 8) % 3))
  case $c in 0) echo FF0000 ;; 1) echo 00FF00 ;; 2) echo 0000FF ;; esac
}
# Starts the program in $run, waits for its palette and reads where the
# palette's client area lies ($pcx, $pcy).
start_program() {
  (cd "$run" && WINEDEBUG=err+all exec "$MIRUNE_WINE" mirune.exe >"$out/app.log" 2>&1) &
  app_pid=$!
  check "the palette appears" wait_for 30 x_window '^Mirune$'
  sleep 1
  read -r _ _ _ _ _ _ pcx pcy _ <<<"$(probe window Mirune)"
}
# The palette's first button shows the camera box at its first place.
open_camera_box() {
  xdotool mousemove $((pcx + 15)) $((pcy + 13)) click 1
  check "the camera box appears at (300, 0), 180 x 145" wait_for 10 box_is "300 0 180 145"
  sleep 1
}
# The photo's command menu; a click that comes while the program is still
# busy after a shot is tried again.
command_menu() {
  local i
  for i in 1 2 3; do
    xdotool mousemove 390 75 click 3
    wait_for 3 menu_open && return 0
  done
  return 1
}
# Waits for a common dialog, keeps a screenshot of it, types a full path
# into its name box and confirms. A dialog still laying itself out may miss
# the keys: then the name is typed again.
answer_dialog() {  # answer_dialog SHOT_NAME WINDOWS_PATH
  wait_for 15 dialog_shown || return 1
  local attempt x y w h
  for attempt in 1 2 3; do
    dialog_gone && return 0
    sleep 1
    read -r _ x y w h _ <<<"$(probe visible '#32770' | awk '$1 == "window"' | head -n 1)"
    [ -n "$h" ] || return 0
    [ "$attempt" = 1 ] && shot "$1"
    # Keys reach the window under the pointer: a click into the name box,
    # which lies 57 pixels above the dialog's bottom, 320 from its left.
    xdotool mousemove $((x + 320)) $((y + h - 57))
    sleep 0.3
    xdotool click 1
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 5 "$2"
    xdotool key Return
    wait_for 5 dialog_gone && return 0
  done
  return 1
}

e2e_end() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
