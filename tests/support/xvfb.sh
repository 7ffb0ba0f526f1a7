# Sourced by the tests that need an X server: start_xvfb [WIDTHxHEIGHT]
# starts Xvfb (1024x768 unless told) on a free display (Xvfb picks it and
# says which) and exports DISPLAY. Sets xvfb_pid; the caller stops it.
# velmora_window finds the program's window on it.
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

# velmora_window [<name>]: the id of Velmora's visible window (or of the one
# whose title matches name), waiting up to ten seconds for it; nothing (and
# status 1) if none appears. The innermost one: mutter's frames carry the
# title of the window they hold, and come before it in the tree.
velmora_window() {
    local window
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "${1:-^Reactance of Inductor\$}" 2>/dev/null | tail -n1)
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.1
    done
    return 1
}
