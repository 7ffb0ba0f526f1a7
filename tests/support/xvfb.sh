# Sourced by the tests that need an X server: start_xvfb [WIDTHxHEIGHT]
# starts Xvfb (1024x768 unless told) on a free display (Xvfb picks it and
# says which) and exports DISPLAY. Sets xvfb_pid; the caller stops it.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # -noreset: the server would reset whenever its last client leaves, and
    # refuse a program started just then.
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    local number
    read -r -t 10 number <"$fifo" || { rm -f "$fifo"; echo "FAIL: Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
}
