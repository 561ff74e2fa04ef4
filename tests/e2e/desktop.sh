#!/usr/bin/env bash
# The installed program on a 1920x1080 virtual screen: it draws a skin made
# of the bundled skin's files where the skin says, answers the pointer, opens a
# button's program, opens the menus, keeps blue see-through, refuses a second
# copy and ends cleanly on SIGTERM, and also starts without X11 (offscreen).
# Usage: desktop.sh BUILD_DIR MORAVEL_XSHOT   (exit 77: a tool is missing)
set -euo pipefail
build=$1
xshot=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$here/xvfb.sh"
source "$here/program.sh"
e2e_install "$build"
wood=$app/skins/wood
[ -f "$wood/config.ini" ] || fail "the bundled skin is not installed"
[ ! -e "$app/data.ini" ] && [ ! -e "$app/skins.ini" ] || fail "settings files were installed"

# The probe skin (program.sh): the places checked below do not follow the
# artwork's layout.
probe_skin

start_xvfb 1920x1080
start_program

step "the first frame appears within 10 s"
"$xshot" match "$skin/temp/freebutton1_u.png" 40 40 10000 || fail "button 1 is not drawn"

step "the pictures stand where the skin says"
"$xshot" match "$skin/temp/freebutton2_u.png" 40 150 0 || fail "button 2"
"$xshot" match "$skin/temp/freebutton3_u.png" 40 260 0 || fail "button 3"
"$xshot" match "$skin/temp/freebutton1_u.png" 400 40 0 || fail "button 4"
"$xshot" match "$skin/pogoda.png" 700 300 0 || fail "picture 1"
[ "$("$xshot" pixel 900 600)" != "0 0 255" ] || fail "no wallpaper"

step "the skin list names every skin folder"
for name in wood e2e; do grep -q "^dir=$name" "$app/skins.ini" || fail "skins.ini lacks $name"; done

step "the window lies on the desktop layer, below the others, on every desktop, in no task list"
"$xshot" windows |
  grep -q " BELOW,STICKY,SKIP_TASKBAR,SKIP_PAGER _NET_WM_WINDOW_TYPE_DESKTOP moravel$" ||
  fail "no desktop-type window named moravel: $("$xshot" windows)"

step "the pointer over button 2 shows its over picture, leaving shows its up picture"
xdotool mousemove 900 600
xdotool mousemove 50 160
"$xshot" match "$skin/temp/freebutton2_o.png" 40 150 3000 || fail "no over picture"
xdotool mousemove 900 600
"$xshot" match "$skin/temp/freebutton2_u.png" 40 150 3000 || fail "no up picture after leaving"

step "a click on button 4 runs its program"
xdotool mousemove 410 50 click 1
wait_for test -f "$work/marker" || true
[ "$(cat "$work/marker" 2>/dev/null)" = clicked ] || fail "the button's program did not run"

popups() { "$xshot" windows | awk '$2 == 1 && $3 == 1' | wc -l; }
popup_open() { [ "$(popups)" != 0 ]; }
no_popup() { [ "$(popups)" = 0 ]; }
step "a right click on button 1 opens the button menu"
no_popup || fail "a popup is open before the right click"
xdotool mousemove 50 50 click 3
wait_for popup_open || fail "no menu appeared"
xdotool key Escape
wait_for no_popup || fail "the menu did not close"

step "without a tray (Xvfb has none) a right click on the wallpaper opens the main menu"
xdotool mousemove 900 600 click 3
wait_for popup_open || fail "no menu appeared"
xdotool key Escape
wait_for no_popup || fail "the menu did not close"

step "a second start ends at once with exit code 0, touching nothing"
before=$(stat -c '%.9Y %s' "$app/data.ini" "$app/skins.ini")
rc=0
timeout 5 "$app/moravel" >/dev/null 2>&1 || rc=$?
[ "$rc" = 0 ] || fail "the second start ended with $rc"
kill -0 "$pid" 2>/dev/null || fail "the first copy is gone"
[ "$before" = "$(stat -c '%.9Y %s' "$app/data.ini" "$app/skins.ini")" ] || fail "files changed"

step "SIGTERM ends the program with exit code 0, data.ini intact"
stop_program
tr -d '\r' <"$app/data.ini" | grep -qx 'dir=e2e' || fail "data.ini lost its skin: $(cat "$app/data.ini")"

step "where the frame is pure blue the screen beneath shows through (shape mask)"
bare=$app/skins/bare
mkdir -p "$bare/pictures"
cp "$skin/pogoda.png" "$bare/pictures/"
printf '[picture1]\nx=100\ny=100\ntr=1\nimage=pictures\\pogoda.png\n' >"$bare/config.ini"
printf '[skin]\ndir=bare\n' >"$app/data.ini"
start_program
"$xshot" match "$bare/pictures/pogoda.png" 100 100 10000 || fail "the picture is not drawn"
# Xvfb's empty screen is black; the window's blue must not cover it.
[ "$("$xshot" pixel 900 600)" = "0 0 0" ] || fail "blue area shows $("$xshot" pixel 900 600)"
[ "$("$xshot" pixel 99 99)" = "0 0 0" ] || fail "beside the picture: $("$xshot" pixel 99 99)"
stop_program

step "under Qt's offscreen platform (no X11 at all) it starts, paints and ends on SIGTERM"
first_frame() { grep -q '^moravel first-frame [0-9]*$' "$work/out.log"; }
QT_QPA_PLATFORM=offscreen MORAVEL_REPORT_FIRST_FRAME=1 start_program
wait_for -t 10 first_frame || fail "no frame: $(cat "$work/out.log")"
stop_program

echo "e2e: all checks passed"
