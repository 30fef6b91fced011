#!/usr/bin/env bash
# The include check passes on the sources, and fails on a copy of them with
# an arrow planted that points up (ui using app) and one sideways (the sheet
# using the camera box).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
check=$root/scripts/check-includes.sh
bash "$check" "$root/src" || { echo "the sources fail the include check"; exit 1; }
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$root/src" "$copy/"
echo '#include "app/settings.h"' >> "$copy/src/ui/control.h"
out=$(bash "$check" "$copy/src") && { echo "an upward include passed"; exit 1; }
echo "$out" | grep -q 'ui/control.h:.*app/settings.h' || { echo "the upward include was not named: $out"; exit 1; }
cp "$root/src/ui/control.h" "$copy/src/ui/control.h"
echo '#include "camera/camera_box.h"' >> "$copy/src/sheet/negative_sheet.h"
bash "$check" "$copy/src" >/dev/null && { echo "a sideways include passed"; exit 1; }
echo "include check: passes the sources, fails planted upward and sideways includes"
