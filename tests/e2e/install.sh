#!/usr/bin/env bash
# scripts/install in a scratch home (its data folder has a space in its name):
# the folder, the menu entry and the icons; a second install keeps what the
# user and the program wrote; --remove keeps the skins and the settings and
# removes the login entry that starts this copy; --remove --all removes the
# folder.
# Usage: install.sh BUILD_DIR   (exit 77: the program is not built there)
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -x "$build/src/app/moravel" ] || { echo "SKIP: $build/src/app/moravel is not built"; exit 77; }
work=$(mktemp -d /tmp/moravel-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME="$work/my data" XDG_CONFIG_HOME=$work/config
export MORAVEL_PREBUILT=$build
app="$XDG_DATA_HOME/moravel"
entry="$XDG_DATA_HOME/applications/moravel.desktop"
icons="$XDG_DATA_HOME/icons/hicolor"
icon=$icons/256x256/apps/moravel.png
autostart=$XDG_CONFIG_HOME/autostart/moravel.desktop
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
install() { "$root/scripts/install" "$@" >"$work/out.log" || fail "install $*: $(cat "$work/out.log")"; }
has() { grep -qxF -- "$2" "$1" || fail "$1 lacks the line $2"; }

echo "-- a fresh install"
install
[ -x "$app/moravel" ] && [ -f "$app/help.png" ] && [ -f "$app/help@2x.png" ] && [ -f "$app/skins/wood/config.ini" ] &&
  [ -f "$app/skins/paper/user.ini" ] || fail "incomplete folder: $(ls -R "$app")"
for line in Type=Application Name=Moravel Icon=moravel "Categories=Utility;" \
  "Exec=\"$app/moravel\""; do has "$entry" "$line"; done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate"
else
  echo "(desktop-file-validate is not installed: not run)"
fi
cmp -s "$icon" "$root/assets/moravel-256.png" || fail "no 256 px icon"
cmp -s "$icons/48x48/apps/moravel.png" "$root/assets/moravel-48.png" || fail "no 48 px icon"
grep -qF "$app/moravel" "$work/out.log" || fail "no start hint: $(cat "$work/out.log")"

echo "-- what the user and the program wrote stays through a second install"
printf '[button9]\nobject=/usr/bin/xterm\n' >>"$app/skins/wood/user.ini"
echo "picture" >"$app/skins/wood/temp/freebutton9_u.png"
sed -i 's/^dc=.*/dc=1/' "$app/skins/wood/config.ini"
! cmp -s "$app/skins/wood/config.ini" "$root/skins/wood/config.ini" || fail "no dc= in config.ini"
mv "$app/skins/paper/user.ini" "$app/skins/paper/USER.INI"  # a skin from Windows
printf '[skin]\ndir=paper\n' >"$app/data.ini"
mkdir "$app/skins/mine" && echo "mine" >"$app/skins/mine/config.ini"
rm "$app/skins/wood/acm.bmp" && echo "damaged" >"$app/skins/wood/ACM.BMP"
cp -r "$app/skins" "$work/before"
rm -r "$app/skins/paper"/wallpaper
install
for file in wood/user.ini wood/temp/freebutton9_u.png wood/config.ini paper/USER.INI \
  mine/config.ini; do
  cmp -s "$app/skins/$file" "$work/before/$file" || fail "skins/$file changed"
done
has "$app/data.ini" "dir=paper"
[ ! -e "$app/skins/paper/user.ini" ] || fail "user.ini written beside USER.INI"
cmp -s "$app/skins/wood/ACM.BMP" "$root/skins/wood/acm.bmp" && [ ! -e "$app/skins/wood/acm.bmp" ] ||
  fail "ACM.BMP not refreshed in place"
diff -r "$app/skins/paper/wallpaper" "$root/skins/paper/wallpaper" >/dev/null ||
  fail "the missing wallpaper folder is not back"

echo "-- --remove keeps skins and settings, and a login entry of another copy"
mkdir -p "$(dirname "$autostart")"
printf '[Desktop Entry]\nType=Application\nExec=/opt/moravel/moravel\n' >"$autostart"
install --remove
[ "$(ls -A "$app")" = "$(printf 'data.ini\nskins')" ] || fail "left in the folder: $(ls -A "$app")"
[ ! -e "$entry" ] && [ ! -e "$icon" ] || fail "the menu entry or the icon is still there"
[ -f "$app/skins/wood/temp/freebutton9_u.png" ] && [ -f "$app/data.ini" ] &&
  [ -f "$autostart" ] || fail "--remove took too much"

echo "-- --remove --all removes the folder and the login entry that starts it"
printf '[Desktop Entry]\nType=Application\nExec="%s"\n' "$app/moravel" >"$autostart"
install --remove --all
[ ! -e "$app" ] && [ ! -e "$autostart" ] || fail "--remove --all left $app or $autostart"

rc=0
"$root/scripts/install" --bogus 2>"$work/err.log" || rc=$?
[ "$rc" = 2 ] && grep -q usage "$work/err.log" || fail "an unknown option: exit $rc"
echo "PASS"
