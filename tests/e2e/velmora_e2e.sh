#!/usr/bin/env bash
# The real program on a real X server: the window appears with its title and
# a 268 x 312 client area, centred, typing and clicking shows a result, and
# closing the window ends the process with 0. Leaves velmora-result.png,
# showing a result, in the output folder.
#
# Usage: velmora_e2e.sh <output folder> <close> <client x,y> -- <program> [args]
#   close:     wm-delete:<x11_close_window helper>, or alt-f4 (for Wine, which
#              closes on it without a window manager)
#   client x,y where the client area must be on the 1024 x 768 screen, or
#              windows-frame:<helper.exe>: where that helper, run as the
#              program is, says (centred_client_position.cpp)
# E2E_SETTLE: seconds to let the window redraw after each input (default 0.3).
# E2E_EMULATOR: what runs the close helper, where it is built for another
# processor (qemu-aarch64 -L /).
set -euo pipefail
out=$1 close=$2 expected_position=$3
shift 4
settle=${E2E_SETTLE:-0.3}

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb
trap 'kill "${app:-}" "$xvfb_pid" 2>/dev/null || true' EXIT

if [[ $expected_position = windows-frame:* ]]; then
    expected_position=$("${@:1:$#-1}" "${expected_position#windows-frame:}" | tr -d '\r')
fi

unset QT_QPA_PLATFORM QT_SCALE_FACTOR LC_ALL LC_NUMERIC
runtime=$out/xdg-runtime
mkdir -p -m 700 "$runtime"
LANG=C XDG_RUNTIME_DIR=$runtime "$@" 2>"$out/velmora-stderr.txt" &
app=$!

window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Reactance of Inductor$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    if ! kill -0 "$app" 2>/dev/null; then
        status=0
        wait "$app" || status=$?
        app=
        # 77: the program's runner says this machine cannot run it.
        [ "$status" -eq 77 ] && exit 77
        fail "the program ended with $status before its window appeared"
    fi
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled 'Reactance of Inductor' appeared"
sleep "$settle"

geometry=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
[ "$width x $height" = "268 x 312" ] || fail "client area is $width x $height, not 268 x 312"
[ "$left,$top" = "$expected_position" ] || fail "client area at $left,$top, not at $expected_position"

# Red pixels inside the result label (at 56,184 in the client area, 137 x 33).
# ImageMagick 7's own command where it is there: its "convert" prints more
# than the format asks for after -fx.
imagemagick=$(command -v magick || echo convert)
red_pixels() {
    import -window "$window" "$1"
    "$imagemagick" "$1" -crop 137x33+56+184 +repage -fx '(r>0.8 && g<0.3 && b<0.3) ? 1 : 0' \
        -format '%[fx:round(mean*w*h)]' info:
}
expect_result() {
    local red
    red=$(red_pixels "$out/velmora-$1.png")
    case $2 in
        shown) [ "$red" -gt 50 ] || fail "$1: no result shown ($red red pixels)" ;;
        empty) [ "$red" -eq 0 ] || fail "$1: the result label is not empty" ;;
    esac
}
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep "$settle"; }
calculate() { click 132 272; }       # cmdCalc

xdotool windowfocus --sync "$window"
xdotool type --delay 30 "60"          # txtFreq has the focus at start
xdotool key Tab; xdotool type --delay 30 "100"
sleep "$settle"
expect_result typed empty
calculate
expect_result megahertz shown
click 150 38                          # optHz
expect_result unit-clicked empty
click 150 136                         # optmH
xdotool key Return                    # Enter runs Calculate
sleep "$settle"
expect_result result shown            # 37.7 ohms
click 60 145                          # into txtL
xdotool key BackSpace; sleep "$settle"
expect_result edited empty
xdotool key KP_Enter                  # so does keypad Enter, from a text box
sleep "$settle"
expect_result keypad-enter shown

case $close in
    wm-delete:*) ${E2E_EMULATOR:-} "${close#wm-delete:}" "$window" ;;
    alt-f4) xdotool key alt+F4 ;;
esac
for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end when its window was closed"
status=0
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "the program ended with $status"
echo "window 268 x 312 at $left,$top; results shown and emptied; closed with 0"
