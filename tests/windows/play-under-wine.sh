#!/bin/bash
# A whole game of the Windows program under Wine, played as a person would, by keys and by mouse,
# while a UI Automation client listens as a Windows screen reader does: the windows and their
# sizes, the lobby's pixels against the Linux build's, what the banker and the closing message say
# to a player named in Windows' own way, what a reader is told at each step (the focus, then what
# happened), the way back to the lobby and Ctrl+X; then the lobby at 150 % scaling.
# usage: play-under-wine.sh PROGRAM LISTENER LINUX_LOBBY_PNG OUT_DIR
#   LISTENER: the UI Automation client (uia_listener.exe).
#   LINUX_LOBBY_PNG: the Linux build's lobby, as scripts/take-screenshots takes it.
#   OUT_DIR: where the screenshots are left.
set -euo pipefail

program=$1 listener=$2 linux_lobby=$3 out=$4
. "$(dirname "$0")/wine-session.sh"
for tool in xclip compare; do
    command -v "$tool" >/dev/null || skip_or_fail "no $tool"
done
mkdir -p "$out"

# Wine names Windows' user, USERNAME, after the Unix one. With NWUSERNAME and LOGIN unset the
# banker greets that name, which no one code page holds: the environment must reach the game as
# Unicode.
export USER='Łukasz Σοφία'
unset NWUSERNAME LOGIN
start_session

# box_text: the text of the message box WIN_ID, by Ctrl+C, which Qt's boxes on Windows copy as
# title, text and buttons between lines of dashes.
box_text() {
    xdotool mousemove $((WIN_X + 10)) $((WIN_Y + 10)) key ctrl+c
    sleep 0.3
    timeout 5 xclip -o -selection clipboard -t UTF8_STRING | tr -d '\r' | sed -n 4p
}
# centred: whether the window await found last is in the middle of the 1280 x 1024 screen, frame
# and all: across to the pixel, and down by half the caption, which Qt counts in the frame and
# Wine, without a window manager, leaves undrawn (23 pixels: a client area centred alone, not its
# window, would be 23 lower).
centred() {
    local across=$((WIN_X - (1280 - ${WIN_SIZE%x*}) / 2))
    local down=$((WIN_Y - (1024 - ${WIN_SIZE#*x}) / 2))
    [ "$across" -ge -1 ] && [ "$across" -le 1 ] && [ "$down" -ge 0 ] && [ "$down" -le 15 ]
}
# answer KEY: Return (Yes, OK) or Escape (No) in the box WIN_ID; back once it is gone.
answer() {
    local box=$WIN_ID
    xdotool key "$1"
    await_gone "$box" || fail "the box did not close on $1"
}

start_game "$program"
await $lobby || fail "no lobby of $lobby appeared in 20 s: $(game_windows)"
centred || fail "the lobby is not centred: at $WIN_X, $WIN_Y"
# The pointer over the title, which takes no hover, and keys go to the window under it.
xdotool mousemove $((WIN_X + 144)) $((WIN_Y + 60))
sleep 0.5
shoot "$out/lobby.png"

# The lobby as on Linux: each caption's ink (its dark pixels) in a box within 2 pixels of the Linux
# build's, in place and in size. That is a glyph edge, which Wine's rasteriser shades otherwise
# than FreeType does; a caption moved, a size step or a face 10 % wider would be several. Then
# the button face, within 10 % of Linux's grey (Wine's is 245, Linux's 239).
ink_boxes() { # IMAGE MENU: one WxH+X+Y per label, at the design's places below a menu bar MENU high
    local label
    for label in 289x51+0+16 249x41+16+104 257x41+16+184 257x41+16+264 257x41+16+344; do
        convert "$1" -crop "${label%+*}+$((${label##*+} + $2))" +repage -threshold 50% -format '%@ ' info:
    done
}
face() { # IMAGE: the grey of the bottom right corner, where no caption reaches
    convert "$1" -crop 20x20+260+395 +repage -format '%[fx:round(mean * 255)]' info:
}
convert "$out/lobby.png" -colorspace Gray "$out/lobby.png"
wine_boxes=$(ink_boxes "$out/lobby.png" "$menu") linux_boxes=$(ink_boxes "$linux_lobby" 19)
echo "lobby captions' ink, under Wine: $wine_boxes; on Linux: $linux_boxes"
awk -v a="$wine_boxes" -v b="$linux_boxes" 'BEGIN {
        n = split(a, x, /[x+ ]/); split(b, y, /[x+ ]/)
        for (i = 1; i <= n; i++) if (x[i] - y[i] > 2 || y[i] - x[i] > 2) exit 1 }' ||
    fail "the lobby's captions are drawn at $wine_boxes, on Linux at $linux_boxes"
wine_face=$(face "$out/lobby.png") linux_face=$(face "$linux_lobby")
difference=$((wine_face - linux_face))
[ "${difference#-}" -le 25 ] || fail "the lobby's face is grey $wine_face, on Linux $linux_face"

# A screen reader's game from here on, as on Linux with Orca: each step's focus, and what the game
# announces, in the order it does so.
listen "$listener"
lobby_id=$WIN_ID
hear Tab 'focus New Game \| Button'
hear Return 'moved' 'say Choose your case \(by clicking on the case\)\. ' 'say Press Tab to reach the cases, and V to hear the amounts still in play\.' \
    'focus Zumo or No Zumo \| Group'
await $board || fail "no board of $board after New Game: $(game_windows)"
await_gone "$lobby_id" || fail "the lobby stayed after New Game"
centred || fail "the board is not centred: at $WIN_X, $WIN_Y"
board_id=$WIN_ID board_x=$WIN_X board_y=$WIN_Y
# case INDEX: a click on it, on the 5 x 5 grid from (242, 128) at 79 by 65 pixels.
click_case() {
    xdotool mousemove $((board_x + 274 + 79 * ($1 % 5))) $((board_y + menu + 148 + 65 * ($1 / 5))) \
        click 1
    sleep 0.2
}
# offer: waits for the banker's call and checks what it says.
greeting="Ring... Ring... Ring... Hello? Yes, hmmm... ŁUKASZ ΣΟΦΊΑ... the banker is offering you \$"
offer() {
    await box || fail "the banker did not call"
    local text
    text=$(box_text)
    [[ "$text" =~ ^"$greeting"[0-9]+". Do you accept?"$ ]] || fail "the banker said: $text"
}
amount='\$[0-9]{1,3}(,[0-9]{3})*'

# Stage 1 by keys: Tab focuses case 1, Return makes it the player's and moves on to the next case,
# each further Return opens the focused case and moves on.
hear Tab 'focus 1 \| Button \| Case 1, closed'
hear v "say 25 cases remain, holding \\\$1,000,000, \\\$750,000, .*"
hear Return 'moved' 'say Case 1 is now your case\.' 'say Now you have to pick 6 cases ' \
    'focus 2 \| Button \| Case 2, closed'
for case in 2 3 4 5 6; do
    hear Return 'moved' "say Case $case held $amount\\." \
        "focus $((case + 1)) \\| Button \\| Case $((case + 1)), closed"
done
hear Return "say Case 7 held $amount\\." \
    "window Zumo or No Zumo\\. Ring\\.\\.\\. .* the banker is offering you \\\$[0-9]+\\. Do you accept\\?" \
    'focus Yes \| Button'
offer
hear Escape 'moved' 'say Now you have to pick 5 cases ' 'window Zumo or No Zumo$' \
    'focus 8 \| Button \| Case 8, closed'
hear v 'say 19 cases remain, holding '

# Stage 2 by mouse.
for i in 7 8; do click_case $i; done
await $board && shoot "$out/board.png"
for i in 9 10 11; do click_case $i; done
offer
hear Return 'window Zumo or No Zumo\. SOLD!$' 'focus OK \| Button'
[ "$(box_text)" = "SOLD!" ] || fail "the box after the sale said: $(box_text)"
hear Return 'say Case 1, your case, is being opened\.'
# The player's case slides for 516 ticks of 15 ms, then opens.
hear '' "window Zumo or No Zumo\\. You accepted the banker's offer\\. Your case contained $amount\\." \
    'focus OK \| Button'
await box || fail "no closing message"
closing=$(box_text)
[[ "$closing" == "You accepted the banker's offer. Your case contained \$"* ]] ||
    fail "the closing message said: $closing"
# Back in the lobby as the player left it: by keys, on New Game.
hear Return 'window Zumo or No Zumo$' 'focus New Game \| Button'
await $lobby || fail "no lobby after the game: $(game_windows)"
await_gone "$board_id" || fail "the board stayed after the game"
quit_game
echo "ok: a whole game under Wine, from New Game to Ctrl+X; the banker greeted ŁUKASZ ΣΟΦΊΑ;" \
    "a screen reader was told:"
told | sed 's/^/    /'
stop_listening

# 150 %: Qt scales the whole window, each caption drawn anew at 1.5 times its pixels.
set_dpi 144
start_game "$program"
lobby_150=432x632 # the menu bar 29 pixels high
await "$lobby_150" || fail "no lobby of $lobby_150 at 150 %: $(game_windows)"
shoot "$out/lobby-150.png"
quit_game
echo "ok: at 150 % the lobby is $lobby_150"
