# The help window and the options dialog, driven like a user. Sourced by
# e2e.sh while the program runs (uses its check, probe, wait_for, $run and
# $out); the camera box must be where the position key put it: (200, 120).

client_of() {  # client_of TITLE -> "X Y" of the client area on the screen
  probe window "$1" | awk '$1 == "window" {print $7, $8}'
}
window_visible() { probe window "$1" | grep -q 'visible 1$'; }
window_hidden() { ! window_visible "$1"; }
shot_window() {  # shot_window TITLE FILE: the window alone, from the screen
  local g
  g=$(probe window "$1")
  read -r _ wl wt ww wh _ <<<"$g"
  import -window root "$out/screen-$2"
  convert "$out/screen-$2" -crop "${ww}x${wh}+${wl}+${wt}" +repage "$out/$2"
}
# The top-level window at a point of the screen is the camera box: a
# form of ours without a title.
camera_box_at() { probe at "$1" "$2" | grep -q '^MiruneForm||visible 1$'; }
no_camera_box_at() { ! camera_box_at "$@"; }
click_at() { xdotool mousemove "$1" "$2" click "${3:-1}"; }

echo "# help window"
read -r px py <<<"$(client_of Mirune)"
click_at $((px + 15)) $((py + 78 + 13))
check "the help button opens the help window" wait_for 10 window_visible Help
read -r hx hy <<<"$(client_of Help)"
manual=$(probe manual Help)
check "the manual starts at its title" grep -q '◆◆Mirune３６枚撮り ver1.0◆◆' <<<"$manual"
click_at $((hx + 3 + 50)) $((hy + 80 + 12))
chapter_4_on_top() { probe manual Help | grep -q '^４：メニュー$'; }
check "\"メニュー\" shows chapter 4 at the top" wait_for 10 chapter_4_on_top
echo "     after メニュー: $(probe manual Help | head -1)"
shot_window Help help.png
click_at $((hx + 4 + 50)) $((hy + 262 + 12))
check "\"ヘルプの終了\" closes the help window" wait_for 10 window_hidden Help
check "and shows the camera box" wait_for 10 camera_box_at 240 160

echo "# options dialog"
# The camera box's command menu: its last three items are the options,
# the help and the version.
check "the camera box's command menu opens" command_menu 240 160
xdotool key Up Up Up Return
check "the camera box menu opens the options dialog" wait_for 10 window_visible 'オプション'
if window_visible 'オプション'; then
  check "the camera box is hidden meanwhile" wait_for 5 no_camera_box_at 240 160
  read -r ox oy <<<"$(client_of 'オプション')"
  # Strobe count: check the box, wait for the edit (one-second refresh: its
  # white face on the screen), type 6.
  click_at $((ox + 24 + 6)) $((oy + 17 + 8))
  check "the strobe count's edit shows" shot_until 10 strobe-edit eval \
    'equals "$(pixel strobe-edit $((ox + 80 + 25)) $((oy + 36 + 10)))" FFFFFF'
  click_at $((ox + 80 + 25)) $((oy + 36 + 10))
  xdotool key End BackSpace BackSpace BackSpace
  xdotool type 6
  # Shutter delay: the bar starts at 1 s; two steps right make 3 s.
  click_at $((ox + 112 + 75)) $((oy + 317 + 14))
  xdotool key Home Right Right
  strobe_six() { probe texts MiruneForm 'オプション' | grep -q '^Edit|6$'; }
  wait_for 10 strobe_six
  texts=$(probe texts MiruneForm 'オプション')
  echo "     edits: $(grep -i '^edit' <<<"$texts" | tr '\n' ' ')"
  check "the strobe count edit holds 6" grep -q '^Edit|6$' <<<"$texts"
  shot_window 'オプション' options.png
  click_at $((ox + 297 + 45)) $((oy + 422 + 12))
  check "\"設定を保存する\" says so" wait_for 10 box_up
  saved=$(probe texts '#32770' 'Mirune 36 枚撮り')
  check "with \"設定を保存しました\"" grep -q '^Static|設定を保存しました$' <<<"$saved"
  xdotool key Return
  check "the options dialog closes" wait_for 10 window_hidden 'オプション'
  ini=$(iconv -f utf-16 -t utf-8 "$run/mirune.ini" 2>/dev/null || cat "$run/mirune.ini")
  echo "     mirune.ini: $(tr -d '\r' <<<"$ini" | tr '\n' ' ')"
  check "the settings file holds renzoku=6" grep -q '^renzoku=6' <<<"$(tr -d '\r' <<<"$ini")"
  check "the settings file holds timelag=3" grep -q '^timelag=3' <<<"$(tr -d '\r' <<<"$ini")"
  check "the camera box is shown again" wait_for 10 camera_box_at 240 160
fi
