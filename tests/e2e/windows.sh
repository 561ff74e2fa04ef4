#!/usr/bin/env bash
# moravel.exe under Wine on a 1280x1024 virtual screen: it draws a probe skin
# where the skin says, over what lies beneath at its pure-blue holes, answers
# the pointer, runs a button's .cmd, refuses a second copy, opens the button
# menu and, from its notification-area icon, the main menu, whose last item
# ends it; moravel-preview.exe takes a folder with a Cyrillic name.
# Usage: windows.sh PORTABLE_FOLDER MORAVEL_XSHOT WINE WINEPREFIX
#        (exit 77: a tool is missing)
set -euo pipefail
portable=$1
xshot=$2
wine=$3
export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$here/xvfb.sh"
source "$here/program.sh"
wineserver="$(dirname "$(readlink -f "$wine")")/wineserver"

work=$(mktemp -d /tmp/moravel-e2e-win-XXXXXX)
app=$work/Moravel
windows_cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  stop_xvfb
  rm -rf "$work"
}
trap windows_cleanup EXIT
cp -r "$portable" "$app"
wood=$app/skins/wood
[ -f "$app/moravel.exe" ] && [ -f "$wood/config.ini" ] || fail "the portable folder is incomplete"

# A Linux path as Wine's programs see it.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The probe skin, made of the bundled skin's files: a picture on the pure-blue
# field (no wallpaper), and buttons, the last of which runs a script.
skin=$app/skins/e2e
mkdir -p "$skin/temp"
cp "$wood/pogoda.png" "$skin/"
cp "$wood"/temp/freebutton[12]_[uod].png "$skin/temp/"
printf '@echo clicked> "%s"\r\n' "$(winpath "$work/marker")" >"$work/clicked.cmd"
{
  printf '[doubleclick]\r\ndc=0\r\n'
  printf '[picture1]\r\nx=700\r\ny=300\r\ntr=1\r\nimage=pogoda.png\r\n'
} >"$skin/config.ini"
{
  printf '[button1]\r\nobject=\r\nparam=17\r\nimage=temp\\freebutton1_u.png\r\nx=40\r\ny=40\r\ntr=0\r\n'
  printf '[button2]\r\nobject=%s\r\nimage=temp\\freebutton2_u.png\r\nx=400\r\ny=40\r\ntr=0\r\n' \
    "$(winpath "$work/clicked.cmd")"
} >"$skin/user.ini"
printf '[skin]\r\ndir=e2e\r\n' >"$app/data.ini"

start_xvfb 1280x1024
"$wineserver" -p </dev/null >/dev/null 2>&1 || true
"$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
"$wine" "$app/moravel.exe" >>"$work/out.log" 2>&1 &
pid=$!

step "the first frame appears within 20 s"
"$xshot" match "$skin/temp/freebutton1_u.png" 40 40 20000 || fail "button 1 is not drawn"

step "the pictures stand where the skin says"
"$xshot" match "$skin/temp/freebutton2_u.png" 400 40 0 || fail "button 2"
"$xshot" match "$skin/pogoda.png" 700 300 0 || fail "picture 1"

step "where the frame is pure blue the screen beneath shows through"
# Xvfb's empty screen is black.
[ "$("$xshot" pixel 1000 800)" = "0 0 0" ] || fail "the blue field shows $("$xshot" pixel 1000 800)"

step "the pointer over button 2 shows its over picture, leaving shows its up picture"
xdotool mousemove 1000 800
xdotool mousemove 410 50
"$xshot" match "$skin/temp/freebutton2_o.png" 400 40 3000 || fail "no over picture"
xdotool mousemove 50 50
xdotool mousemove 1000 800
"$xshot" match "$skin/temp/freebutton2_u.png" 400 40 3000 || fail "no up picture after leaving"

step "a click on button 2 runs its script"
xdotool mousemove 410 50 click 1
wait_for -t 10 grep -q clicked "$work/marker" 2>/dev/null || fail "the button's script did not run"

step "a second start ends at once, touching nothing"
before=$(stat -c '%.9Y %s' "$app/data.ini" "$app/skins.ini")
timeout 20 "$wine" "$app/moravel.exe" >/dev/null 2>&1 || fail "the second start did not end"
kill -0 "$pid" 2>/dev/null || fail "the first copy is gone"
[ "$before" = "$(stat -c '%.9Y %s' "$app/data.ini" "$app/skins.ini")" ] || fail "files changed"
grep -q '^dir=e2e' "$app/skins.ini" || fail "skins.ini lacks the probe skin"

popup_open() { "$xshot" windows | awk '$2 == 1 && $3 == 1' | grep -q .; }
no_popup() { ! popup_open; }
step "a right click on button 1 opens the button menu"
no_popup || fail "a popup is open before the right click: $("$xshot" windows)"
xdotool mousemove 50 50 click 3
wait_for popup_open || fail "no menu appeared: $("$xshot" windows)"
xdotool key Escape
wait_for no_popup || fail "the menu did not close"

step "a click on the notification-area icon opens the main menu"
# Without a notification area on the screen Wine shows its icons in a small
# window of its own.
tray=$("$xshot" windows | awk '$2 == 1 && /Wine System Tray$/ {print $4 + 10, $5 + 10}')
[ -n "$tray" ] || fail "no icon in Wine's tray window: $("$xshot" windows)"
read -r tray_x tray_y <<<"$tray"
xdotool mousemove "$tray_x" "$tray_y" click 1
wait_for popup_open || fail "no menu appeared"
xdotool key Escape
wait_for no_popup || fail "the menu did not close"

step "the menu's last item, \"Закрыть программу\", ends the program"
xdotool mousemove "$tray_x" "$tray_y" click 1
wait_for popup_open || fail "no menu appeared"
xdotool key Up Return
wait_for -t 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program still runs"
grep -q '^dir=e2e' "$app/data.ini" || fail "data.ini lost its skin: $(cat "$app/data.ini")"

step "moravel-preview.exe renders a skin in a folder with a Cyrillic name"
cp -r "$wood" "$work/обложка"
rc=0
"$wine" "$app/moravel-preview.exe" "$(winpath "$work/обложка")" 1280x1024 \
  "$(winpath "$work/вид.png")" >"$work/preview.log" 2>&1 || rc=$?
[ "$rc" = 0 ] || fail "exit code $rc: $(cat "$work/preview.log")"
# A PNG file's width and height, big-endian, at bytes 16 to 23.
size=$(od -An -tx1 -j16 -N8 "$work/вид.png" 2>/dev/null | tr -d ' \n')
[ "$size" = 0000050000000400 ] || fail "no 1280x1024 picture written: '$size'"
