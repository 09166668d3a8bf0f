# What a test of the Windows program under Wine needs: an X server and a Wine prefix of its own,
# and on exit the end of both, and of nothing else. Sourced by the tests, with bash.
#
# After start_session: DISPLAY, WINEPREFIX and $scratch (a folder removed on exit) are set.
# USER, when set before, is whom Wine takes the player for: it becomes Windows' USERNAME.

here=$(dirname "${BASH_SOURCE[0]}")
. "$here/../support/xvfb.sh"
for tool in Xvfb xdotool wine wineboot wineserver import; do
    command -v "$tool" >/dev/null || skip_or_fail "no $tool"
done

# No debug chatter, no offer to download Mono or Gecko, and no copying of the prefix's Start menu
# into the real desktop's menus (winemenubuilder).
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"

# A WINEPREFIX from the caller's shell is the player's own: end_session removes only the one
# start_session makes, so a test that stops before that leaves theirs and its programs alone.
unset WINEPREFIX
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zumo-wine.XXXXXX")
xvfb_pid=''
end_session() {
    # This prefix's server takes every Windows process of the prefix with it.
    [ -z "${WINEPREFIX:-}" ] || bash "$here/wine-prefix.sh" remove "$WINEPREFIX"
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap end_session EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

start_session() {
    start_xvfb
    export WINEPREFIX=$scratch/prefix
    bash "$here/wine-prefix.sh" make "$WINEPREFIX" || fail "wineboot could not make a Wine prefix"
    # The design's font families under their own names, as a Windows machine has them, from
    # Debian's metric twins; and Tahoma, the face Wine gives menus and boxes, which it lacks.
    # (FontSubstitutes would not do: Qt lists the fonts, it does not ask GDI for a name.)
    local family
    for family in "Arial=Liberation Sans" "Comic Sans MS=Comic Neue" "Tahoma=Liberation Sans"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${family%%=*}" /t REG_SZ \
            /d "${family#*=}" /f >/dev/null 2>&1 || fail "could not name the font ${family%%=*}"
    done
    wineserver --wait
}

# set_dpi DPI: the scaling that Windows' display settings set, 96 being 100 %, for the programs
# started after: in both places Wine reads it from, and in force once the prefix's server is done.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver --wait
}

# The client areas, 288 x 402 and 865 x 581, under the menu bar that Qt's Windows style draws
# 18 pixels high.
menu=18
lobby=288x$((402 + menu)) board=865x$((581 + menu))

# game_windows: one line per visible window titled as the game's: ID WIDTHxHEIGHT X Y. Without a
# window manager an X window is the Windows client area alone: menu bar and client, no frame.
game_windows() {
    local ids id
    # A window destroyed during the search is an X error that ends xdotool: then search again.
    for _ in 1 2 3 4 5; do
        ids=$(xdotool search --onlyvisible --name '^Zumo or No Zumo$' 2>"$scratch/search.err") ||
            true
        grep -q 'X Error' "$scratch/search.err" || break
    done
    for id in $ids; do
        xdotool getwindowgeometry --shell "$id" 2>/dev/null | awk -F= -v id="$id" '{ v[$1] = $2 }
            END { if (v["WIDTH"]) print id, v["WIDTH"] "x" v["HEIGHT"], v["X"], v["Y"] }'
    done
}

# await SIZE: waits up to 20 s for a game window of SIZE, or with "box" for one of neither the
# lobby's size nor the board's, and sets WIN_ID, WIN_SIZE, WIN_X and WIN_Y to it.
await() {
    local id size x y
    for _ in $(seq 200); do
        while read -r id size x y; do
            if [ "$size" = "$1" ] ||
                { [ "$1" = box ] && [ "$size" != "$lobby" ] && [ "$size" != "$board" ]; }; then
                WIN_ID=$id WIN_SIZE=$size WIN_X=$x WIN_Y=$y
                return 0
            fi
        done < <(game_windows)
        sleep 0.1
    done
    return 1
}

# await_gone ID: waits up to 20 s for that window to be hidden.
await_gone() {
    for _ in $(seq 200); do
        game_windows | grep -q "^$1 " || return 0
        sleep 0.1
    done
    return 1
}

# shoot FILE: what the window await found last shows, as the player sees it.
shoot() {
    import -window root "$scratch/root.png"
    convert "$scratch/root.png" -crop "$WIN_SIZE+$WIN_X+$WIN_Y" +repage "$1"
}

game_pid=''
# The game's Wine traces what it raises through UI Automation, each line stamped with the tick
# count the listener stamps its own lines with: UiaRaiseNotificationEvent, the announcements a
# Windows reader speaks, which Wine 10 delivers to no client; and UiaRaiseAutomationEvent, the
# focus changes among them, as the game raised them, before Wine delivers them to the listener.
start_game() { # PROGRAM
    WINEDEBUG=fixme-all,fixme+uiautomation,trace+uiautomation,+timestamp wine "$1" \
        >>"$scratch/game.log" 2>&1 &
    game_pid=$!
}

# listen LISTENER: starts the UI Automation client that hears what a screen reader is told of the
# focus, until stop_listening; the prefix's server lives as long as it does.
listener_pid=''
listen() {
    wine "$1" >"$scratch/uia.log" 2>"$scratch/uia.err" &
    listener_pid=$!
    for _ in $(seq 200); do
        grep -q ' listening$' "$scratch/uia.log" && return 0
        sleep 0.1
    done
    fail "no UI Automation client: $(cat "$scratch/uia.err")"
}
stop_listening() {
    kill "$listener_pid"
    wait "$listener_pid" 2>/dev/null || true
}

# told: all that a screen reader has been told so far, one line each, in the order told: "window
# NAME" and "focus NAME | TYPE | DESCRIPTION" as the listener got them; "moved" where the game
# raised a focus change and "say TEXT" an announcement (Wine escapes letters beyond ASCII).
told() {
    {
        grep -E '^[0-9]+\.[0-9]+ (window|focus) ' "$scratch/uia.log" || true
        sed -n -E -e 's/^ *([0-9]+\.[0-9]+):.*UiaRaiseAutomationEvent \([^,]*, 20005\)$/\1 moved/p' \
            -e 's/^ *([0-9]+\.[0-9]+):.*UiaRaiseNotificationEvent \([^,]*, [^,]*, [^,]*, L"(.*)", L".*"\): stub$/\1 say \2/p' \
            "$scratch/game.log"
    } | sort -s -n -k 1,1 | cut -d ' ' -f 2-
}

# in_order LINES PATTERN...: whether the extended regular expressions match lines of LINES in turn.
in_order() {
    local rest=$1 pattern at
    shift
    for pattern; do
        at=$(printf '%s\n' "$rest" | grep -n -m 1 -E -- "^$pattern") || return 1
        rest=$(printf '%s\n' "$rest" | tail -n +$((${at%%:*} + 1)))
    done
}

# hear KEY PATTERN...: presses KEY (none if empty) as a person does, held a tenth of a second, and
# waits up to 20 s until what a reader was told since the last hear matches the PATTERNs and has
# been quiet for half a second. What the game raised ("moved", "say") must come in the PATTERNs'
# order, and so must what the listener got ("window", "focus"); Wine delivers the latter a few
# hundredths of a second late, so the two are not compared with each other.
told_before=0
hear() {
    local key=$1 new='' count=0 seen=-1 quiet=0
    shift
    local raised=() got=() pattern
    for pattern; do
        case $pattern in
        moved* | say*) raised+=("$pattern") ;;
        *) got+=("$pattern") ;;
        esac
    done
    if [ -n "$key" ]; then
        xdotool keydown "$key"
        sleep 0.1
        xdotool keyup "$key"
    fi
    for _ in $(seq 200); do
        sleep 0.1
        new=$(told | tail -n +$((told_before + 1)))
        count=$(printf '%s' "$new" | grep -c '' || true)
        if [ "$count" -ne "$seen" ]; then
            seen=$count quiet=0
        elif [ $((quiet += 1)) -ge 5 ] &&
            in_order "$(grep -E '^(moved|say)' <<<"$new" || true)" "${raised[@]}" &&
            in_order "$(grep -E '^(window|focus)' <<<"$new" || true)" "${got[@]}"; then
            told_before=$((told_before + count))
            return 0
        fi
    done
    fail "after ${key:-a wait}, a screen reader was not told: $*; it was told:
$new"
}
# quit_game: Ctrl+X over the lobby ends the program at once, with exit code 0.
quit_game() {
    xdotool mousemove $((WIN_X + 20)) $((WIN_Y + 60)) key ctrl+x
    local status=0
    timeout 10 tail --pid="$game_pid" -f /dev/null || fail "Ctrl+X did not end the game"
    wait "$game_pid" || status=$?
    [ "$status" -eq 0 ] || fail "the game exited with $status after Ctrl+X"
}
