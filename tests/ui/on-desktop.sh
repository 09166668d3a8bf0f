#!/bin/bash
# Runs a test program on a desktop of its own and fails it on anything it prints on stderr beyond
# Qt's debug and info messages:
#   wayland          native Wayland, under a private headless Weston.
# usage: on-desktop.sh wayland PROGRAM [ARGS...]
# Exits 77 (ctest's skip) only where the desktop's servers are not installed.
set -euo pipefail

mode=${1:-}
shift || true
case $mode in
wayland) servers=(weston) ;;
*)
    echo "usage: $0 wayland PROGRAM [ARGS...]" >&2
    exit 2
    ;;
esac
for server in "${servers[@]}"; do
    command -v "$server" >/dev/null || {
        echo "skip: $server is not installed (scripts/install-deps installs it)"
        exit 77
    }
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zumo-desktop.XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
# Private, as a login session's is: Weston and Qt want a runtime folder no one else can read.
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# start NAME READY COMMAND...: runs COMMAND in the background until the script ends, and waits
# up to 5 s for it to be ready (READY: a shell test, on its log for instance).
start() {
    local name=$1 ready=$2
    shift 2
    "$@" >"$scratch/$name.log" 2>&1 3>"$scratch/$name.fd3" &
    pids+=($!)
    for _ in $(seq 100); do
        eval "$ready" && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || break
        sleep 0.05
    done
    echo "FAIL: $name did not start:"
    cat "$scratch/$name.log"
    exit 1
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
esac

# LeakSanitizer's list of the leaks tests/lsan.supp let pass is no warning.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
# Each Qt message starts with its type, so a warning cannot pass for anything else.
export QT_MESSAGE_PATTERN='qt-%{type}: %{if-category}%{category}: %{endif}%{message}'
status=0
"$@" 2>"$scratch/stderr" || status=$?
cat "$scratch/stderr" >&2
if grep -qv -e '^qt-debug: ' -e '^qt-info: ' "$scratch/stderr"; then
    echo "FAIL: the program printed warnings (above)"
    [ "$status" -ne 0 ] || status=1
fi
exit "$status"
