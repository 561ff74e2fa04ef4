#!/usr/bin/env bash
# moravel.exe under Wine on a 1280x1024 virtual screen: it draws a probe skin
# where the skin says, over what lies beneath at its pure-blue holes, answers
# the pointer, runs a button's .cmd, refuses a second copy, opens the button
# menu and, from its notification-area icon, the main menu, whose "Масштаб"
# draws the skin twice as large and back. Then its dialogs:
# the button editor makes a button of a Windows program built here with an
# icon of its own (typed target, "ОК", Space), which is back after a restart;
# the removal dialog removes it; the skin chooser switches to another skin.
# The main menu's last item ends the program; moravel-preview.exe takes a
# folder with a Cyrillic name. Last, at 192 dpi, the automatic scale is 200 %.
# Usage: windows.sh PORTABLE_FOLDER MORAVEL_XSHOT WINE WINEPREFIX
#        (exit 77: a tool is missing)
set -euo pipefail
portable=$1
xshot=$2
wine=$3
export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool x86_64-w64-mingw32-gcc x86_64-w64-mingw32-windres python3; do
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
# field (no wallpaper), buttons, the last of which runs a script, and the
# first template of new buttons.
skin=$app/skins/e2e
mkdir -p "$skin/temp"
cp "$wood/pogoda.png" "$skin/"
cp "$wood"/temp/freebutton[12]_[uod].png "$skin/temp/"
cp -r "$wood/templates" "$skin/"
# It writes the folder it runs in: a program starts in its own folder.
printf '@echo %%CD%%> "%s"\r\n' "$(winpath "$work/marker")" >"$work/clicked.cmd"
{
  printf '[doubleclick]\r\ndc=0\r\n'
  printf '[picture1]\r\nx=700\r\ny=300\r\ntr=1\r\nimage=pogoda.png\r\n'
  sed -n '/^\[freebutton1\]/,/^\[freebutton2\]/p' "$wood/config.ini" | sed '$d'
} >"$skin/config.ini"
{
  printf '[button1]\r\nobject=\r\nparam=17\r\nimage=temp\\freebutton1_u.png\r\nx=40\r\ny=40\r\ntr=0\r\n'
  printf '[button2]\r\nobject=%s\r\nimage=temp\\freebutton2_u.png\r\nx=400\r\ny=40\r\ntr=0\r\n' \
    "$(winpath "$work/clicked.cmd")"
} >"$skin/user.ini"
printf '[skin]\r\ndir=e2e\r\n' >"$app/data.ini"
# A second probe skin, for the chooser: another picture elsewhere.
mkdir -p "$app/skins/e2e-other"
cp "$wood/mycomputer.png" "$app/skins/e2e-other/"
printf '[doubleclick]\r\ndc=0\r\n[picture1]\r\nx=300\r\ny=500\r\ntr=1\r\nimage=mycomputer.png\r\n' \
  >"$app/skins/e2e-other/config.ini"

# A Windows program with an icon of its own, one colour, for a new button.
icon_colour="220 30 140"
"$xshot" solid "$work/icon.png" 48 48 $icon_colour
python3 "$here/../../src/win32/png_to_ico.py" "$work/icon.png" "$work/icon.ico"
printf '1 ICON "%s"\n' "$work/icon.ico" >"$work/tool.rc"
printf 'int main(void) { return 0; }\n' >"$work/tool.c"
x86_64-w64-mingw32-windres "$work/tool.rc" -O coff -o "$work/tool.res"
x86_64-w64-mingw32-gcc -s -o "$work/tool.exe" "$work/tool.c" "$work/tool.res"

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

step "a click on button 2 runs its script, in the script's own folder"
xdotool mousemove 410 50 click 1
wait_for -t 10 test -s "$work/marker" || fail "the button's script did not run"
sleep 0.2  # the line may still be on its way
[ "$(tr -d '\r\n' <"$work/marker")" = "$(winpath "$work")" ] ||
  fail "the script ran in $(cat "$work/marker"), not in its own folder"

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

# The dialogs' titles are Cyrillic, which the X names do not show: they are
# known by their client areas' sizes, the X windows' sizes without a window
# manager (window_at).
open_main_menu() {
  xdotool mousemove "$tray_x" "$tray_y" click 1
  wait_for popup_open || fail "no menu appeared"
}
# "Масштаб" is the fifth item; its submenu opens on its first item,
# "Автоматически", then "100 %", "200 %", "300 %".
choose_scale() {
  open_main_menu
  xdotool key Down Down Down Down Down Right
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  wait_for no_popup || fail "the menu did not close"
}
# The probe skin's two buttons, in skin pixels, drawn FACTOR times as large.
buttons_at_scale() {
  "$xshot" match "$skin/temp/freebutton1_u.png" $((40 * $1)) $((40 * $1)) 20000 "$1" &&
    "$xshot" match "$skin/temp/freebutton2_u.png" $((400 * $1)) $((40 * $1)) 0 "$1"
}
stored_scale() { tr -d '\r' <"$app/data.ini" | grep -qx "scale=$1"; }

step "\"Масштаб\" > \"200 %\" draws the buttons at twice their places and sizes; \"Автоматически\" takes them back"
choose_scale 2
buttons_at_scale 2 || fail "the skin is not drawn at 200 %"
stored_scale 2 || fail "data.ini: $(cat "$app/data.ini")"
choose_scale 0
buttons_at_scale 1 || fail "the skin is not drawn at 100 % again"
stored_scale 0 || fail "data.ini: $(cat "$app/data.ini")"

step "\"Добавить кнопку\" opens the editor; the program typed as the target shows in the preview; \"ОК\" begins the placement"
open_main_menu
xdotool key Down Down Down Return
wait_for window_shown 600 400 || fail "no editor: $("$xshot" windows)"
read -r x y <<<"$(window_at 600 400)"
# The target box: (5, 25) in the action group at (310, 5). Without a window
# manager only a click gives a window the X keyboard focus.
xdotool mousemove $((x + 315 + 120)) $((y + 30 + 12)) click 1
sleep 0.3
xdotool type --delay 5 "$(winpath "$work/tool.exe")"
# After the typing pause the preview (at 310, 265) shows the program's icon
# in the template's icon area, 48 x 48 at (32, 13).
"$xshot" wait-is $((x + 310 + 32 + 24)) $((y + 265 + 13 + 24)) $icon_colour 5000 ||
  fail "the preview does not show the program's icon"
xdotool key Return
wait_for -t 10 window_gone 600 400 || fail "the editor stayed open"
sleep 0.5

step "Right and Down step along the template's grid (120 x 116 from 40, 40), Space commits"
# Keys only until the restart: a click while the full-screen desktop window
# has the keyboard can make Wine confine the pointer to it, and then the
# notification-area icon no longer answers.
for key in Right Down space; do
  xdotool key "$key"
  sleep 0.3
done
wait_for -t 10 grep -q '^\[button3\]' "$skin/user.ini" || fail "no record: $(cat "$skin/user.ini")"
record=$(tr -d '\r' <"$skin/user.ini" | sed -n '/^\[button3\]/,/^\[/p')
for line in "object=$(winpath "$work/tool.exe")" x=160 y=156 'image=temp\freebutton3_u.png'; do
  grep -qxF "$line" <<<"$record" || fail "record lacks $line: $record"
done
"$xshot" match "$skin/temp/freebutton3_u.png" 160 156 5000 || fail "the new button is not drawn"
[ "$("$xshot" pixel $((160 + 32 + 24)) $((156 + 13 + 24)))" = "$icon_colour" ] ||
  fail "the new button does not show the program's icon"
cp "$skin/temp/freebutton3_u.png" "$work/new_u.png"

step "after a restart the new button is on the screen"
open_main_menu
xdotool key Up Return
wait_for -t 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program still runs"
"$wine" "$app/moravel.exe" >>"$work/out.log" 2>&1 &
pid=$!
"$xshot" match "$work/new_u.png" 160 156 20000 || fail "the new button is gone"

step "\"Удалить кнопку\" in its menu asks; \"Ок\" removes it"
xdotool mousemove $((160 + 56)) $((156 + 40)) click 3
wait_for popup_open || fail "no button menu"
xdotool key Down Down Return
wait_for window_shown 226 100 || fail "no removal dialog: $("$xshot" windows)"
read -r x y <<<"$(window_at 226 100)"
xdotool mousemove $((x + 33 + 37)) $((y + 65 + 12)) click 1
wait_for -t 10 window_gone 226 100 || fail "the removal dialog stayed open"
wait_for -t 10 bash -c "! grep -q '^\[button3\]' '$skin/user.ini'" || fail "[button3] is still there"
"$xshot" wait-is $((160 + 32 + 24)) $((156 + 13 + 24)) 0 0 0 5000 || fail "the button is still drawn"

step "the skin chooser: the other skin clicked, \"OK\": its picture shows"
row=$(tr -d '\r' <"$app/skins.ini" | awk '/^\[skin/ {n++} /^dir=e2e-other$/ {print n - 1}')
[ -n "$row" ] || fail "skins.ini lacks the other skin: $(cat "$app/skins.ini")"
open_main_menu
xdotool key Down Down Return
wait_for window_shown 300 453 || fail "no skin chooser: $("$xshot" windows)"
read -r x y <<<"$(window_at 300 453)"
# The list starts at (10, 10), 13 pixels a line, inside a frame of 2.
xdotool mousemove $((x + 60)) $((y + 12 + 13 * row + 6)) click 1
sleep 0.3
xdotool mousemove $((x + 105 + 45)) $((y + 420 + 12)) click 1
wait_for -t 10 window_gone 300 453 || fail "the chooser stayed open"
"$xshot" match "$app/skins/e2e-other/mycomputer.png" 300 500 10000 || fail "the other skin is not drawn"
tr -d '\r' <"$app/data.ini" | grep -qx 'dir=e2e-other' || fail "data.ini: $(cat "$app/data.ini")"

step "the menu's last item, \"Закрыть программу\", ends the program"
xdotool mousemove "$tray_x" "$tray_y" click 1
wait_for popup_open || fail "no menu appeared"
xdotool key Up Return
wait_for -t 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program still runs"
grep -q '^dir=e2e-other' "$app/data.ini" || fail "data.ini lost its skin: $(cat "$app/data.ini")"

step "moravel-preview.exe renders a skin in a folder with a Cyrillic name"
cp -r "$wood" "$work/обложка"
rc=0
"$wine" "$app/moravel-preview.exe" "$(winpath "$work/обложка")" 1280x1024 \
  "$(winpath "$work/вид.png")" >"$work/preview.log" 2>&1 || rc=$?
[ "$rc" = 0 ] || fail "exit code $rc: $(cat "$work/preview.log")"
# A PNG file's width and height, big-endian, at bytes 16 to 23.
size=$(od -An -tx1 -j16 -N8 "$work/вид.png" 2>/dev/null | tr -d ' \n')
[ "$size" = 0000050000000400 ] || fail "no 1280x1024 picture written: '$size'"

step "at 192 dpi the automatic scale is 200 %; \"100 %\" overrides it"
printf '[skin]\r\ndir=e2e\r\n' >"$app/data.ini"
logpixels() { # add|delete [OPTION...]
  local verb=$1
  shift
  "$wine" reg "$verb" 'HKCU\Control Panel\Desktop' /v LogPixels "$@" /f >/dev/null 2>&1
}
# Read once as a program starts: the prefix, shared with other runs, has it
# only until the program has drawn its first frame.
logpixels add /t REG_DWORD /d 192 || fail "could not set 192 dpi"
trap 'logpixels delete || true; windows_cleanup' EXIT
"$wine" "$app/moravel.exe" >>"$work/out.log" 2>&1 &
pid=$!
buttons_at_scale 2 || fail "the skin is not drawn at 200 %"
logpixels delete
trap windows_cleanup EXIT
# Wine's tray window has come back, perhaps elsewhere.
read -r tray_x tray_y <<<"$("$xshot" windows | awk '$2 == 1 && /Wine System Tray$/ {print $4 + 10, $5 + 10}')"
choose_scale 1
buttons_at_scale 1 || fail "the skin is not drawn at 100 %"
stored_scale 1 || fail "data.ini: $(cat "$app/data.ini")"
open_main_menu
xdotool key Up Return
wait_for -t 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program still runs"
