#!/bin/bash
# The installer under Wine: a silent install for the current user, the game started through its
# Start-menu entry, then a silent uninstall that must leave the prefix as it found it.
# usage: install-under-wine.sh INSTALLER
set -euo pipefail

installer=$1
. "$(dirname "$0")/wine-session.sh"
start_session

title="Zumo or No Zumo"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.zumoornozumo.ZumoOrNoZumo'
# folder VARIABLE: one of Windows' folders, as Windows names it.
folder() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
local_data=$(folder LOCALAPPDATA)
start_menu="$(winepath -u "$(folder APPDATA)")/Microsoft/Windows/Start Menu/Programs"
# Where a user's own programs go and where they are listed to uninstall: shared with every other
# such program, so an uninstaller leaves both as it finds them. A new Wine prefix has neither.
mkdir -p "$(winepath -u "$local_data")/Programs"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /f >/dev/null 2>&1
# Every file and folder of the prefix but Windows' own and the user's Temp folder, and every
# registry key of the user. (The uninstaller runs from a copy of itself in Temp, so as to delete
# its own file; Windows deletes the copy at its next start, and Wine's restart leaves its folder.)
state() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path "./users/*/Temp" -prune \
        -o -print | LC_ALL=C sort)
    wine reg export HKCU "$scratch/user.reg" /y >/dev/null 2>&1
    tr -d '\0\r' <"$scratch/user.reg" | grep -a '^\[' | LC_ALL=C sort
}
state >"$scratch/before"

wine "$installer" /S || fail "the silent install failed"
shortcut="$start_menu/$title.lnk"
[ -f "$shortcut" ] || fail "no Start-menu entry: $shortcut"
name=$(wine reg query "$key" /v DisplayName 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ "$name" = "$title" ] || fail "the installed programs list shows \"$name\", not \"$title\""
uninstall=$(wine reg query "$key" /v QuietUninstallString 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ *//p')

# The program the Start-menu entry points to (the path a shortcut keeps for the local disk),
# started up to its lobby and ended by Ctrl+X.
target=$(strings -n 8 "$shortcut" | grep -m 1 -i '^[a-z]:\\.*\.exe$' || true)
[ "$target" = "$local_data\\Programs\\$title\\zumo-or-no-zumo.exe" ] ||
    fail "the Start-menu entry points to \"$target\""
start_game "$target"
await $lobby || fail "the installed game showed no lobby: $(game_windows)"
quit_game
echo "ok: installed for the user alone, listed as \"$name\", started from the Start menu"

# The uninstaller returns at once, leaving the work to its copy: it is done when the prefix's
# server ends.
[[ "$uninstall" =~ ^\"([^\"]+)\"\ /S$ ]] || fail "the quiet uninstall command is \"$uninstall\""
wine "${BASH_REMATCH[1]}" /S || fail "the uninstaller failed"
wineserver --wait
state >"$scratch/after"
if ! diff "$scratch/before" "$scratch/after" >"$scratch/left"; then
    cat "$scratch/left"
    fail "the uninstall left the above behind or took it away"
fi
echo "ok: uninstalled, nothing left behind"
