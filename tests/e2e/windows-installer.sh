#!/usr/bin/env bash
# The per-user installer under Wine: a silent install lays out the program,
# the skins, the Start-menu entry and the uninstaller; installing again keeps
# what the program wrote; the silent uninstall removes the program's own
# files and the login entry that starts it, and keeps the skins and data.ini.
# Usage: windows-installer.sh INSTALLER WINE WINEPREFIX
set -euo pipefail
installer=$1
wine=$2
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "-- $*"; }
wineserver="$(dirname "$(readlink -f "$wine")")/wineserver"
work=$(mktemp -d /tmp/moravel-e2e-installer-XXXXXX)
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
dir=$work/Moravel
windir="Z:${dir//\//\\}"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# The wine prefix's Start-menu folder, as the installer sees $SMPROGRAMS.
menu_entry() { find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Moravel.lnk' | head -1; }

step "a silent install lays out the program, the skins, the menu entry and the uninstaller"
"$wine" "$installer" /S "/D=$windir" </dev/null >/dev/null 2>&1 || fail "the installer failed"
for f in moravel.exe moravel-preview.exe help.png data.ini uninstall.exe skins/wood/config.ini \
  skins/wood/user.ini skins/wood/temp/freebutton1_u.png skins/paper/config.ini; do
  [ -f "$dir/$f" ] || fail "$f was not installed"
done
[ -n "$(menu_entry)" ] || fail "no Start-menu entry"

step "installing again keeps what the program wrote"
printf '[skin]\r\ndir=paper\r\n' >"$dir/data.ini"
printf '[button1]\r\nobject=mine\r\n' >"$dir/skins/wood/user.ini"
echo mine >"$dir/skins/wood/temp/freebutton1_u.png"
echo old >"$dir/help.png"
"$wine" "$installer" /S "/D=$windir" </dev/null >/dev/null 2>&1 || fail "the installer failed again"
grep -q 'dir=paper' "$dir/data.ini" || fail "data.ini was replaced"
grep -q 'object=mine' "$dir/skins/wood/user.ini" || fail "user.ini was replaced"
grep -q mine "$dir/skins/wood/temp/freebutton1_u.png" || fail "a made picture was replaced"
! grep -q old "$dir/help.png" || fail "help.png was not refreshed"

step "the silent uninstall removes the program and its login entry, and keeps the skins"
"$wine" reg add "$run_key" /v Moravel /d "\"$windir\\moravel.exe\"" /f >/dev/null 2>&1
# _?= runs the uninstaller in place, so that Wine waits for it.
"$wine" "$dir/uninstall.exe" /S "_?=$windir" </dev/null >/dev/null 2>&1 || fail "the uninstaller failed"
for f in moravel.exe moravel-preview.exe help.png; do
  [ ! -e "$dir/$f" ] || fail "$f is still there"
done
[ -z "$(menu_entry)" ] || fail "the Start-menu entry is still there"
"$wine" reg query "$run_key" /v Moravel >/dev/null 2>&1 && fail "the login entry is still there"
grep -q 'object=mine' "$dir/skins/wood/user.ini" || fail "the skins went"
grep -q 'dir=paper' "$dir/data.ini" || fail "data.ini went"
