# Sourced by the scripts that need a real X server (the headless demo, the
# end-to-end tests, tools/screenshots.sh). start_xvfb SIZE starts Xvfb on a display it picks
# itself, sets xpid and exports DISPLAY, and waits until the server answers.
# It writes its log to $tmp/xvfb.log; the caller owns $tmp and kills $xpid.
# -noreset: without it the server resets whenever its last client leaves,
# and connections made during the reset fail.
start_xvfb() {
    exec 3>"$tmp/display"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
    xpid=$!
    for _ in $(seq 100); do
        [ -s "$tmp/display" ] && break
        sleep 0.05
    done
    exec 3>&-
    if [ ! -s "$tmp/display" ]; then
        echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1
    fi
    DISPLAY=":$(head -n 1 "$tmp/display")"
    export DISPLAY
    command -v xdotool >/dev/null || return 0 # -displayfd already waited for it
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.05
    done
}
