#!/bin/bash
# Runs the game on a private X server and checks what a desktop uses to match its windows to the
# launcher: WM_CLASS against the desktop file's StartupWMClass, and the window icon.
# usage: window-class.sh BINARY DESKTOP_FILE
# Qt derives WM_CLASS from the executable's name and QCoreApplication::applicationName(), so
# renaming either one without the desktop file leaves the game's windows ungrouped in docks.
set -euo pipefail

binary=$1 desktop=$2
. "$(dirname "$0")/../support/xvfb.sh"
for tool in Xvfb xwininfo xprop; do
    command -v "$tool" >/dev/null || skip_or_fail "no $tool"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zumo-x11.XXXXXX")
xvfb_pid='' game_pid=''
cleanup() {
    [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

start_xvfb

mkdir -m 700 "$scratch/runtime"
# In a sanitizer build: libxkbcommon-x11 hands strndup() a bounded, unterminated buffer, which
# strict_string_checks reports as an overflow the moment the xcb platform starts.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb "$binary" >"$scratch/game.log" 2>&1 &
game_pid=$!

# xwininfo prints each window as: 0x400006 "Title": ("instance" "Class")  WxH+X+Y  +X+Y
# Qt's hidden helper windows carry no WM_CLASS, so the first window with one is the game's.
window=''
for _ in $(seq 200); do
    window=$(xwininfo -root -children | grep -E '^ +0x[0-9a-f]+ "[^"]*": \("' | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || { echo "FAIL: the game exited:"; cat "$scratch/game.log"; exit 1; }
    sleep 0.05
done
[ -n "$window" ] || { echo "FAIL: no game window appeared in 10 s"; cat "$scratch/game.log"; exit 1; }
echo "window: $window"

failures=0
wm_class=$(printf '%s\n' "$window" | sed -E 's/^[^(]*\("[^"]*" "([^"]*)"\).*/\1/')
startup_wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
if [ "$wm_class" != "$startup_wm_class" ]; then
    echo "FAIL: WM_CLASS class is \"$wm_class\" but $(basename "$desktop") has StartupWMClass=$startup_wm_class"
    failures=$((failures + 1))
fi

# No _NET_WM_ICON means the window icon did not load: the resource was not linked in, or the
# program asks for a path the resource does not have.
id=$(printf '%s\n' "$window" | awk '{ print $1 }')
if ! xprop -id "$id" _NET_WM_ICON | grep -q 'Icon (32 x 32)'; then
    echo "FAIL: window $id has no 32 x 32 icon:"
    xprop -id "$id" _NET_WM_ICON | head -n 1
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "ok: WM_CLASS \"$wm_class\" matches the desktop file, icon set"
[ "$failures" -eq 0 ]
