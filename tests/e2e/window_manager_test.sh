#!/usr/bin/env bash
# The program under a real window manager on a 1920 x 1080 screen, started
# several times as on a Wayland session with Xwayland (WAYLAND_DISPLAY set):
# each time it shows its window through X11 and prints nothing, the outer
# window, frame included (_NET_FRAME_EXTENTS), is centred on the screen
# within a pixel, and, with "steady", it does not move after it or its frame
# is first exposed. The X11 window managers run on Xvfb, with WAYLAND_DISPLAY
# pointing nowhere; kwin_wayland is a KDE Wayland session of its own, with
# Xwayland, and the test runs again inside it.
# Usage: window_manager_test.sh <output folder> <kwin_x11|kwin_wayland|mutter|openbox|none>
#                               <starts> <steady|unchecked> <x11_watch_first_expose> -- <program>
set -euo pipefail
out=$1 wm=$2 starts=$3 steadiness=$4 watcher=$5
shift 6
fail() { echo "FAIL: $wm: $*" >&2; exit 1; }
source "$(dirname "$0")/../support/xvfb.sh"
mkdir -p "$out" && mkdir -p -m 700 "$out/xdg-runtime"
export XDG_RUNTIME_DIR=$out/xdg-runtime

if [ "$wm" = kwin_wayland ] && [ -z "${VELMORA_IN_SESSION:-}" ]; then
    printf '#!/bin/sh\nexec %s >"%s/session.log" 2>&1\n' "$(printf '%q ' bash "$0" "$out" "$wm" "$starts" \
        "$steadiness" "$watcher" -- "$@")" "$out" >"$out/session.sh"
    chmod +x "$out/session.sh"
    # A copy without the file capability (CAP_SYS_NICE) Debian gives KWin:
    # containers refuse to start a program that asks for more than they have.
    cp /usr/bin/kwin_wayland "$out/kwin_wayland"
    rm -f "$out/session.log"
    VELMORA_IN_SESSION=1 KDE_DEBUG=1 timeout 100 "$out/kwin_wayland" --virtual --xwayland --width 1920 \
        --height 1080 --socket velmora-kwin --exit-with-session "$out/session.sh" >"$out/$wm.log" 2>&1 || true
    cat "$out/session.log" 2>/dev/null || fail "the session did not start"
    tail -n1 "$out/session.log" | grep -q "^$wm: centred" || exit 1
    exit 0
fi

stop() {
    kill ${app:-} ${watch:-} ${wm_pid:-} 2>/dev/null || true
    # The window manager must be gone before the display is: a later test
    # may get the same display number.
    [ -z "${wm_pid:-}" ] || wait "$wm_pid" 2>/dev/null || true
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT
if [ -z "${VELMORA_IN_SESSION:-}" ]; then
    start_xvfb 1920x1080
    export WAYLAND_DISPLAY=velmora-no-compositor
    # Services the window manager starts on the bus (KWin's kglobalaccel) need
    # the display too; without it they fail, and KWin starts them again and again.
    dbus-update-activation-environment DISPLAY
fi

case $wm in
    # KDE_DEBUG: no crash handler, which would start KWin again, on whatever
    # server then has the display's number.
    kwin_x11) KDE_DEBUG=1 kwin_x11 --replace >"$out/$wm.log" 2>&1 & wm_pid=$! ;;
    mutter) mutter --x11 --replace --sm-disable >"$out/$wm.log" 2>&1 & wm_pid=$! ;;
    openbox) openbox >"$out/$wm.log" 2>&1 & wm_pid=$! ;;
    kwin_wayland | none) ;;
    *) fail "unknown window manager" ;;
esac
if [ "$wm" != none ]; then
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "did not start"
    sleep 1  # let it finish taking over the screen
fi

unset QT_QPA_PLATFORM QT_SCALE_FACTOR
for start in $(seq "$starts"); do
    watch=
    if [ "$steadiness" = steady ]; then
        "$watcher" 'Reactance of Inductor' 1.5 >"$out/moves-$start.txt" 2>&1 &
        watch=$!
        sleep 0.2  # watching before the window is made
    fi
    XDG_SESSION_TYPE=wayland "$@" 2>"$out/stderr-$start.txt" &
    app=$!
    window=$(velmora_window) || fail "start $start: no window appeared on X11: $(cat "$out/stderr-$start.txt")"
    sleep 1  # every centring pass done

    geometry=$(xwininfo -id "$window")
    x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
    y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
    read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp') || true
    left=${left:-0} right=${right:-0} top=${top:-0} bottom=${bottom:-0}
    # Twice the distance from the centre, in whole pixels.
    off_x=$(( 2 * (x - left) + 268 + left + right - 1920 ))
    off_y=$(( 2 * (y - top) + 312 + top + bottom - 1080 ))
    [ "${off_x#-}" -le 2 ] && [ "${off_y#-}" -le 2 ] \
        || fail "start $start: frame at $((x - left)),$((y - top)), $((268 + left + right)) x $((312 + top + bottom)): not centred"
    [ ! -s "$out/stderr-$start.txt" ] || fail "start $start: printed $(cat "$out/stderr-$start.txt")"
    if [ -n "$watch" ] && ! wait "$watch"; then
        fail "start $start: not steady: $(tr '\n' ' ' <"$out/moves-$start.txt")"
    fi

    kill "$app"
    wait "$app" 2>/dev/null || true
    app=
done
steady=
[ "$steadiness" = steady ] && steady=", never moved once exposed"
echo "$wm: centred, frame included, on $starts starts through X11, nothing printed$steady"
