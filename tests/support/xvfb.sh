# A private X server for a test script, sourced with bash. start_xvfb sets DISPLAY and xvfb_pid,
# the server's process, which the caller ends; it uses the folder $scratch, and exits 77, a skip,
# when no server starts.
start_xvfb() {
    # -displayfd picks a free display and reports it, so parallel test runs never collide.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.05
    done
    [ -s "$scratch/display" ] || { echo "skip: Xvfb did not start"; exit 77; }
    export DISPLAY=":$(head -n 1 "$scratch/display")"
}
