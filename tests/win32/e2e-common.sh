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
  stop_print_queue
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

# Holds for SECONDS: COMMAND succeeds at every look over that time. For
# what must not happen, which is given that time to happen.
holds_for() {  # holds_for SECONDS COMMAND...
  local until
  until=$(awk -v s="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.3f", now + s }')
  shift
  while awk -v u="$until" -v now="$(date +%s.%N)" 'BEGIN { exit !(now < u) }'; do
    "$@" || return 1
    sleep 0.1
  done
  "$@"
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
# A menu and the submenu it opened.
submenu_open() { equals "$(probe count '#32768')" "count 2" >/dev/null; }
dialog_shown() { probe visible '#32770' | grep -q '^window'; }
dialog_gone() { ! dialog_shown; }
sheet_titled() { probe window "$1" | grep -q '^window'; }
# Waits up to LIMIT seconds for a fresh screenshot $out/NAME.png to pass
# CHECK (a command that reads it); the last try says why it failed.
shot_until() {  # shot_until LIMIT NAME CHECK...
  local end=$((SECONDS + $1)) name=$2
  shift 2
  while :; do
    shot "$name"
    "$@" >/dev/null 2>&1 && return 0
    [ "$SECONDS" -ge "$end" ] && break
    sleep 0.2
  done
  shot "$name"
  "$@"
}
# The pattern window (mirune_probe pattern): 8-pixel cells, red, green,
# blue by (x / 8 + y / 8) % 3, W x H (400 x 300 unless given) at
# ($pattern_left, $pattern_top); its process id in $pattern_pid (list
# pattern_pid in $e2e_pid_vars). Done once its pixels are on the screen.
start_pattern_window() {  # start_pattern_window [W H]
  local w=${1:-400} h=${2:-300}
  (exec "$MIRUNE_WINE" "$prober" pattern "$pattern_left" "$pattern_top" "$w" "$h" >/dev/null 2>&1) &
  pattern_pid=$!
  check "the pattern window appears" wait_for 30 x_window '^MiruneTestPattern$'
  check "and is drawn" shot_until 30 pattern-drawn shows_pattern pattern-drawn \
    $((pattern_left + 3)) $((pattern_top + 3)) $((pattern_left + w / 2)) $((pattern_top + h / 2)) \
    $((pattern_left + w - 4)) $((pattern_top + h - 4)) $((pattern_left + 9)) $((pattern_top + h - 10))
}
# The colour the pattern has at a screen point, as RRGGBB.
pattern_expected() {  # pattern_expected X Y (screen)
  local c=$(((($1 - pattern_left) / 8 + ($2 - pattern_top) / 8) % 3))
  case $c in 0) echo FF0000 ;; 1) echo 00FF00 ;; 2) echo 0000FF ;; esac
}
# Every given screen point of a screenshot shows the pattern.
shows_pattern() {  # shows_pattern SHOT X Y [X Y ...]
  local name=$1 bad=0 got want
  shift
  while [ $# -ge 2 ]; do
    got=$(pixel "$name" "$1" "$2")
    want=$(pattern_expected "$1" "$2")
    [ "$got" = "$want" ] || { echo "     ($1, $2): got $got, want $want"; bad=1; }
    shift 2
  done
  [ "$bad" -eq 0 ]
}
# Starts the program in $run, waits for its palette to be drawn and reads
# where the palette's client area lies ($pcx, $pcy).
start_program() {
  (cd "$run" && WINEDEBUG=err+all exec "$MIRUNE_WINE" mirune.exe >"$out/app.log" 2>&1) &
  app_pid=$!
  check "the palette appears" wait_for 30 x_window '^Mirune$'
  read -r _ _ _ _ _ _ pcx pcy _ <<<"$(probe window Mirune)"
  check "and is drawn" shot_until 30 palette palette_drawn palette
}
# The palette's buttons on a screenshot: the black ground of the camera
# box's glyph, the magenta of the sheet's; at the display's DPI
# ($e2e_dpi, 96 unless set).
palette_drawn() {  # palette_drawn SHOT
  local d=${e2e_dpi:-96}
  local in=$(((4 * d + 48) / 96)) second=$(((30 * d + 48) / 96))
  equals "$(pixel "$1" $((pcx + in)) $((pcy + in))),$(pixel "$1" $((pcx + in)) $((pcy + second)))" "000000,FF00FF"
}
# The clipboard button on a screenshot: its top-left corner is the raised
# bevel's white when up, the pressed bevel's grey when down.
clipboard_button_is() {  # clipboard_button_is up|down SHOT
  local want=FFFFFF
  [ "$1" = down ] && want=808080
  equals "$(pixel "$2" "$pcx" $((pcy + 52)))" "$want"
}
# The hand-off file of a frame click, in the user's temporary folder of
# the prefix: sets $handoff.
find_handoff() {
  local temp_win temp_unix
  temp_win=$("$MIRUNE_WINE" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
  temp_unix=$("$MIRUNE_WINE" winepath -u "$temp_win" 2>/dev/null | tr -d '\r')
  handoff="${temp_unix%/}/temp.bmp"
  [ -d "$temp_unix" ]
}
# The palette's first button shows the camera box at its first place, with
# the title picture: its film strip's amber frames.
open_camera_box() {
  xdotool mousemove $((pcx + 15)) $((pcy + 13)) click 1
  check "the camera box appears at (300, 0), 180 x 145" wait_for 10 box_is "300 0 180 145"
  check "and is drawn" shot_until 10 box-drawn eval 'equals "$(pixel box-drawn $((312 + 10)) $((17 + 55)))" FFB000'
}
# Keys go to the foreground window, and under Wine without a window manager
# to the X focus window too, which can differ from it: after a shot over
# another program's window that window may keep the X focus while the
# program is the foreground again. A click on the palette's caption gives
# both back to the program.
x_focus_ours() {
  local f c
  f=$(xdotool getwindowfocus 2>/dev/null) || return 0
  c=$(xprop -id "$f" WM_CLASS 2>/dev/null)
  case $c in
    *'.exe"'*) [[ $c == *"\"$(basename "$mirune")\""* ]] ;;
    *) return 0 ;;
  esac
}
program_foreground() { probe foreground | grep -q '^Mirune\(Form\|Application\)|' && x_focus_ours; }
take_keyboard() {
  program_foreground && return 0
  local l t
  read -r _ l t _ <<<"$(probe window Mirune)"
  xdotool mousemove $((l + 15)) $((t + 8)) click 1
  wait_for 5 program_foreground
}
# The photo's command menu (a right click at X Y, in the photo of the box
# at its first place unless given), with the keyboard; a click that comes
# while the program is still busy after a shot is tried again.
command_menu() {  # command_menu [X Y]
  local i
  take_keyboard || return 1
  for i in 1 2 3; do
    xdotool mousemove "${1:-390}" "${2:-75}" click 3
    wait_for 3 menu_open && return 0
  done
  return 1
}
# A common dialog in its final place: its rectangle holds still across a
# screenshot in which the pixel at (X, Y), expressions of the rectangle x y
# w h, passes OP COLOUR (a test of its RRGGBB). Sets x y w h.
dialog_settled() {  # dialog_settled X Y OP COLOUR
  local g
  g=$(probe visible '#32770' | awk '$1 == "window"' | head -n 1)
  [ -n "$g" ] || return 1
  read -r _ x y w h _ <<<"$g"
  shot dialog-ready
  [ "$(pixel dialog-ready $(($1)) $(($2)))" "$3" "$4" ] &&
    [ "$(probe visible '#32770' | awk '$1 == "window"' | head -n 1)" = "$g" ]
}
# A file dialog shows its name box (57 pixels above its bottom, 320 from
# its left) drawn white.
dialog_ready() { dialog_settled 'x + 320' 'y + h - 57' = FFFFFF; }
# Waits for a common dialog, keeps a screenshot of it, types a full path
# into its name box and confirms. Keys reach the window under the pointer:
# a click into the name box first. A dialog that missed the keys is
# answered again.
answer_dialog() {  # answer_dialog SHOT_NAME WINDOWS_PATH
  wait_for 15 dialog_shown || return 1
  local attempt x y w h
  for attempt in 1 2 3; do
    dialog_gone && return 0
    wait_for 15 dialog_ready || return 1
    [ "$attempt" = 1 ] && cp "$out/dialog-ready.png" "$out/$1.png"
    xdotool mousemove $((x + 320)) $((y + h - 57)) click 1 key ctrl+a
    xdotool type --delay 5 "$2"
    xdotool key Return
    wait_for 5 dialog_gone && return 0
  done
  return 1
}
# The print dialog: once it is ready (its rectangle holds still across a
# screenshot showing its face at the centre, not the desktop), Enter
# prints; the pointer goes onto it first, for the keys. The screenshot is
# kept as print-dialog-NAME.png.
print_dialog_ready() { dialog_settled 'x + w / 2' 'y + h / 2' != 000000; }
confirm_print_dialog() {  # confirm_print_dialog NAME
  local x y w h
  wait_for 15 dialog_shown || return 1
  wait_for 15 print_dialog_ready || return 1
  cp "$out/dialog-ready.png" "$out/print-dialog-$1.png"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) key Return
  wait_for 10 dialog_gone
}

e2e_end() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# A private print server with one cups-pdf queue, the default printer, for
# the programs started after it (it sets CUPS_SERVER). It listens only on
# a socket in a folder of its own under /tmp, which the print filters,
# running as another user, can reach whatever the permissions above the
# build; each job's PDF lands in $print_pdfs. The only file written
# outside that folder is the queue's cups-pdf configuration; e2e_cleanup
# removes both and stops the server.
start_print_queue() {  # start_print_queue QUEUE
  local queue=$1 ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd tool
  for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
  done
  [ -f "$ppd" ] || { echo "missing: $ppd (printer-driver-cups-pdf)" >&2; exit 2; }
  print_conf=/etc/cups/cups-pdf-$queue.conf
  print_dir=$(mktemp -d /tmp/mirune-print.XXXXXX)
  print_pdfs="$print_dir/pdf"
  mkdir -p "$print_dir"/{spool,cache,state,tmp,log,ppd} "$print_pdfs"
  chmod 0755 "$print_dir" "$print_dir"/*
  chmod 1777 "$print_dir/tmp" "$print_pdfs"
  cat >"$print_dir/cups-files.conf" <<CONF
ServerRoot $print_dir
RequestRoot $print_dir/spool
CacheDir $print_dir/cache
StateDir $print_dir/state
TempDir $print_dir/tmp
ErrorLog $print_dir/log/error_log
AccessLog $print_dir/log/access_log
PageLog $print_dir/log/page_log
FileDevice No
CONF
  cat >"$print_dir/cupsd.conf" <<CONF
Listen $print_dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$print_conf" <<CONF
Out $print_pdfs
AnonDirName $print_pdfs
Label 1
UserUMask 0000
CONF
  export CUPS_SERVER="$print_dir/cups.sock"
  cupsd -f -c "$print_dir/cupsd.conf" -s "$print_dir/cups-files.conf" >"$print_dir/log/cupsd.out" 2>&1 &
  print_cupsd_pid=$!
  check "the print server starts" wait_for 10 test -S "$print_dir/cups.sock"
  lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" -o PageSize=A4 -o Label=1 &&
    lpadmin -d "$queue"
  check "the PDF queue is the default printer" wait_for 5 sh -c "lpstat -d | grep -q $queue"
}
stop_print_queue() {
  if [ -n "${print_cupsd_pid:-}" ]; then
    kill "$print_cupsd_pid" 2>/dev/null
    wait "$print_cupsd_pid" 2>/dev/null
  fi
  [ -n "${print_conf:-}" ] && rm -f "$print_conf"
  [ -n "${print_dir:-}" ] && rm -rf "$print_dir"
  print_cupsd_pid= print_conf= print_dir=
}
print_queue_empty() { [ -z "$(lpstat -o 2>/dev/null)" ]; }
# The PDF of job N, once the queue is empty and the file is there.
job_pdf() { ls "$print_pdfs"/job_"$1"-*.pdf 2>/dev/null | head -n 1; }
job_done() { print_queue_empty && [ -n "$(job_pdf "$1")" ]; }
