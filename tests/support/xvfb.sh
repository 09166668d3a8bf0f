# A private X server for a test script, sourced with bash: the one way the test scripts start one
# (but on-desktop.sh, which keeps all its servers' logs). start_xvfb sets DISPLAY and xvfb_pid,
# the server's process, which the caller ends; it uses the folder $scratch, and skips the test
# (fails it in CI) when no server starts. skip_or_fail comes with it.
. "$(dirname "${BASH_SOURCE[0]}")/skip.sh"
start_xvfb() {
    # -displayfd picks a free display and reports it, so parallel test runs never collide.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" >"$scratch/Xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.05
    done
    [ -s "$scratch/display" ] || { cat "$scratch/Xvfb.log"; skip_or_fail "Xvfb did not start"; }
    export DISPLAY=":$(head -n 1 "$scratch/display")"
}
