# Sourced by the screen-reader tests, which run in a D-Bus session of their
# own (dbus-run-session).
# orca_session <folder>: an X server of its own, and on it what start_orca
# starts, in the folder, emptied first; all ended as the test exits, with
# the test's program where it keeps its process id in app.
# start_orca <folder>, on an X server (DISPLAY): the accessibility bus,
# openbox (Orca speaks for the active window only) and Orca, with its
# settings and debug file in the folder; waits until Orca is on the bus.
# stop_orca has Orca write its debug file and end; stop_accessibility ends
# the window manager and the bus as well, last; times_spoken <text> counts
# Orca's utterances holding it.
start_orca() {
    orca_folder=$1
    mkdir -p -m 700 "$orca_folder/xdg-runtime"
    # Orca keeps its settings here, not in the home folder.
    export XDG_CONFIG_HOME=$orca_folder/config XDG_DATA_HOME=$orca_folder/data
    export XDG_RUNTIME_DIR=$orca_folder/xdg-runtime
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$orca_folder/at-spi.log" 2>&1 &
    bus=$!
    openbox >"$orca_folder/openbox.log" 2>&1 &
    wm=$!
    orca --replace --debug-file="$orca_folder/orca-debug.txt" >"$orca_folder/orca.log" 2>&1 &
    orca=$!
    # Orca is up once it is on the accessibility bus (its debug file is
    # written only as it ends).
    local _
    for _ in $(seq 100); do orca_listed && return 0; sleep 0.1; done
    echo "FAIL: Orca did not start" >&2
    return 1
}
orca_listed() {
    /usr/bin/python3 -c 'import pyatspi, sys
sys.exit(0 if any(a is not None and a.name == "orca" for a in pyatspi.Registry.getDesktop(0)) else 1)' 2>/dev/null
}
stop_orca() {
    local signal _
    if [ -n "${orca:-}" ]; then
        # Orca writes its debug file out as it ends; asked to quit it may linger.
        sleep 1
        orca --quit >/dev/null 2>&1 || true
        for signal in TERM KILL; do
            for _ in $(seq 30); do kill -0 "$orca" 2>/dev/null || break; sleep 0.1; done
            kill -s "$signal" "$orca" 2>/dev/null || true
        done
        wait "$orca" 2>/dev/null || true
        orca=
    fi
}
stop_accessibility() {
    stop_orca
    kill ${wm:-} ${bus:-} 2>/dev/null || true
    wait ${wm:-} 2>/dev/null || true
}
times_spoken() { grep -c "SPEECH OUTPUT: '.*$1" "$orca_folder/orca-debug.txt" || true; }

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
orca_session() {
    start_xvfb
    trap 'kill ${app:-} 2>/dev/null || true; stop_accessibility; kill "$xvfb_pid" 2>/dev/null || true' EXIT
    rm -rf "$1" && mkdir -p "$1"
    start_orca "$1"
}
