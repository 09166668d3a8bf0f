#!/bin/bash
# Runs a test program on a desktop of its own and fails it on anything it prints on stderr beyond
# Qt's debug and info messages:
#   wayland          native Wayland, under a private headless Weston;
#   kde REGISTRAR    a private X server and session bus, as a KDE session with a dark colour
#                    scheme (a private kdeglobals) and a global menu (the REGISTRAR program);
#   orca             a private X server and session bus with the accessibility bus and the Orca
#                    screen reader at its default settings, speaking through speech-dispatcher
#                    into a log: the program finds it in ZUMO_SPEECH_LOG, a "said TEXT" line when
#                    an utterance starts and "done" once it has been spoken, at
#                    ZUMO_SPEECH_MS_PER_CHAR (killed before "done" when Orca cuts it off).
# usage: on-desktop.sh wayland PROGRAM [ARGS...]
#        on-desktop.sh kde REGISTRAR PROGRAM [ARGS...]
#        on-desktop.sh orca PROGRAM [ARGS...]
# Exits 77 (ctest's skip) only where the desktop's servers are not installed, and never in CI.
set -euo pipefail

mode=${1:-}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/skip.sh"
case $mode in
wayland) servers=(weston) ;;
kde) servers=(Xvfb dbus-run-session) ;;
orca) servers=(Xvfb dbus-run-session orca speech-dispatcher xdotool /usr/libexec/at-spi-bus-launcher) ;;
*)
    echo "usage: $0 wayland|kde|orca [REGISTRAR] PROGRAM [ARGS...]" >&2
    exit 2
    ;;
esac
for server in "${servers[@]}"; do
    command -v "$server" >/dev/null ||
        skip_or_fail "$server is not installed (scripts/install-deps installs it)"
done
# A session bus of its own, which dbus-run-session ends with the script.
if [ "$mode" != wayland ] && [ -z "${ZUMO_PRIVATE_BUS:-}" ]; then
    ZUMO_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$mode" "$@"
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zumo-desktop.XXXXXX")
pids=()
cleanup() {
    local status=$? i
    # Last started, first ended: each before the servers it uses, so Orca still has its desktop
    # as it writes out the debug log it held back (Orca 48 does so on SIGTERM).
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    # What Orca made of it all, for a failure to be understood, however it ended, Orca's start and
    # Orca's death included: left where ctest ran the test.
    if [ "$status" -ne 0 ] && [ -e "$scratch/orca.debug" ] &&
        cp "$scratch/orca.debug" orca-debug.log 2>/dev/null; then
        echo "Orca's debug log: $PWD/orca-debug.log"
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
# Private, as a login session's is: Weston and Qt want a runtime folder no one else can read.
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# start NAME READY COMMAND...: runs COMMAND in the background until the script ends, and waits
# up to 20 s for it to be ready (READY: a shell condition, as a string).
start() {
    local name=$1 ready=$2
    shift 2
    "$@" >"$scratch/$name.log" 2>&1 3>"$scratch/$name.fd3" &
    pids+=($!)
    for _ in $(seq 400); do
        eval "$ready" && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || break
        sleep 0.05
    done
    echo "FAIL: $name did not start:"
    cat "$scratch/$name.log"
    exit 1
}

# start_x: a private X server; -displayfd picks a free display and reports it, so parallel runs
# never collide.
start_x() {
    start Xvfb '[ -s "$scratch/Xvfb.fd3" ]' \
        Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24
    export DISPLAY=":$(head -n 1 "$scratch/Xvfb.fd3")"
}

case $mode in
wayland)
    export WAYLAND_DISPLAY=zumo-test
    # Pixman draws in memory, so no GPU is needed; no weston.ini of the user's changes the run.
    start weston '[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]' \
        weston --backend=headless-backend.so --use-pixman --no-config --idle-time=0 \
        --socket="$WAYLAND_DISPLAY" --width=1280 --height=1024
    export QT_QPA_PLATFORM=wayland
    # In a sanitizer build: libwayland-client and Mesa keep no frame pointers, so only a full
    # unwind names the Qt functions that tests/lsan.supp suppresses their leaks by.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
    ;;
kde)
    registrar=$1
    shift
    start_x
    start registrar 'grep -q "^ready" "$scratch/registrar.log"' "$registrar"
    mkdir "$scratch/config"
    cp "$here/dark.kdeglobals" "$scratch/config/kdeglobals"
    # What a KDE session sets, and what makes Qt read its colours from kdeglobals.
    export XDG_CONFIG_HOME="$scratch/config" XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true \
        KDE_SESSION_VERSION=5 QT_QPA_PLATFORM=xcb ZUMO_TEST_DARK_DESKTOP=1
    # In a sanitizer build: libxkbcommon-x11 hands strndup() a bounded, unterminated buffer.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
    ;;
orca)
    start_x
    export QT_QPA_PLATFORM=xcb
    # A first-time user's: no settings of anyone's, and no first-run dialog.
    export HOME="$scratch/home" GSETTINGS_BACKEND=memory
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
    mkdir "$HOME"
    # The launcher names the bus's socket after the display it serves.
    start at-spi-bus '[ -S "$XDG_RUNTIME_DIR/at-spi/bus_${DISPLAY#:}" ]' \
        /usr/libexec/at-spi-bus-launcher --launch-immediately
    # A synthesizer that writes down what it is given and takes its time to say it.
    export ZUMO_SPEECH_LOG="$scratch/speech.log" ZUMO_SPEECH_MS_PER_CHAR=10
    mkdir -p "$scratch/speechd/modules"
    cat >"$scratch/speechd/say" <<SAY
printf 'said %s\\n' "\$1" >>"$ZUMO_SPEECH_LOG"
sleep "\$(awk -v n=\${#1} 'BEGIN { print n * $ZUMO_SPEECH_MS_PER_CHAR / 1000 }')"
printf 'done\\n' >>"$ZUMO_SPEECH_LOG"
SAY
    printf '%s\n' 'AudioOutputMethod "libao"' 'AddModule "log" "sd_generic" "log.conf"' \
        'DefaultModule log' >"$scratch/speechd/speechd.conf"
    printf '%s\n' "GenericExecuteSynth \"sh $scratch/speechd/say \\'\$DATA\\'\"" \
        'AddVoice "en" "MALE1" "log"' 'GenericLanguage "en" "en" "utf-8"' \
        >"$scratch/speechd/modules/log.conf"
    # No sound card: libao's null driver, or speech-dispatcher loads no module at all.
    echo default_driver=null >"$HOME/.libao"
    start speech-dispatcher '[ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ]' \
        speech-dispatcher --run-single --timeout 0 --config-dir "$scratch/speechd"
    # A player's own screen reader may run on this machine, on their desktop: it stands in here
    # as a process named orca, and must outlive the test. Orca refuses to start while another of
    # the user's runs anywhere, and --replace would kill that one: this Orca, alone on a desktop
    # of its own, is shown none by a pgrep of its own.
    mkdir "$scratch/bin" "$scratch/players"
    ln -s "$(command -v sleep)" "$scratch/players/orca"
    start players-orca true "$scratch/players/orca" infinity
    players_orca=${pids[-1]}
    printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/pgrep"
    chmod +x "$scratch/bin/pgrep"
    # Orca's greeting is the sign that it listens to the desktop and speaks.
    start orca 'grep -q "^said Screen reader on" "$ZUMO_SPEECH_LOG" 2>/dev/null' \
        env PATH="$scratch/bin:$PATH" orca --debug-file "$scratch/orca.debug"
    orca=${pids[-1]}
    # In a sanitizer build: Qt's accessibility bridge keeps no frame pointers, so only a full
    # unwind names the Qt function that tests/lsan.supp suppresses its leak by.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
    ;;
esac

# LeakSanitizer's list of the leaks tests/lsan.supp let pass is no warning.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
# Each Qt message starts with its type, so a warning cannot pass for anything else.
export QT_MESSAGE_PATTERN='qt-%{type}: %{if-category}%{category}: %{endif}%{message}'
status=0
"$@" 2>"$scratch/stderr" || status=$?
cat "$scratch/stderr" >&2
allowed=(-e '^qt-debug: ' -e '^qt-info: ')
# Qt's bridge gives the screen reader 100 ms to take each key first; when Orca is busier than
# that (speaking, or with a sanitizer build), Qt warns and delivers the key itself, as it would have.
[ "$mode" != orca ] || allowed+=(-e '^qt-warning: QSpiApplication::keyEventError .*NoReply')
# Orca 48 asks every program for "window:destroy" events, which Qt 6.8's bridge does not know and
# says so, once, as Orca starts listening: a word on Orca's request, not on anything the program does.
[ "$mode" != orca ] || allowed+=(-e '^qt-warning: qt.accessibility.atspi: Subscription string not handled: "Window:Destroy:"$')
if grep -qv "${allowed[@]}" "$scratch/stderr"; then
    echo "FAIL: the program printed warnings (above)"
    [ "$status" -ne 0 ] || status=1
fi
if [ "$mode" = orca ]; then
    if [ "$(cat "/proc/$players_orca/comm" 2>/dev/null)" = orca ]; then
        echo "The player's own orca (pid $players_orca) ran throughout."
    else
        echo "FAIL: the player's own orca (pid $players_orca) did not outlive the test"
        status=1
    fi
fi
# A game heard by no one proves nothing, even if the program noticed nothing amiss.
if [ "$mode" = orca ] && ! kill -0 "$orca" 2>/dev/null; then
    echo "FAIL: Orca ended during the test; what it printed:"
    cat "$scratch/orca.log"
    status=1
fi
exit "$status"
