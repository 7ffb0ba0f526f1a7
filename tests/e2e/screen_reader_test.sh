#!/usr/bin/env bash
# The program with the accessibility bus and the Orca screen reader, as a
# blind user runs it, under openbox on Xvfb: screen_reader_test.py drives it
# through AT-SPI, and Orca must speak the result line after each Calculate.
# Run inside its own D-Bus session (dbus-run-session).
# Usage: screen_reader_test.sh <output folder> <program>
set -euo pipefail
out=$1 program=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb
stop() {
    kill ${app:-} ${orca:-} ${wm:-} ${bus:-} 2>/dev/null || true
    wait ${orca:-} ${wm:-} 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT
rm -rf "$out" && mkdir -p "$out" && mkdir -p -m 700 "$out/xdg-runtime"
# Orca keeps its settings here, not in the home folder.
export XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data XDG_RUNTIME_DIR=$out/xdg-runtime

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/at-spi.log" 2>&1 &
bus=$!
openbox >"$out/openbox.log" 2>&1 &  # Orca speaks for the active window only
wm=$!
orca --replace --debug-file="$out/orca-debug.txt" >"$out/orca.log" 2>&1 &
orca=$!
# Orca is up once it is on the accessibility bus (its debug file is written
# only as it ends).
orca_listed() {
    /usr/bin/python3 -c 'import pyatspi, sys
sys.exit(0 if any(a is not None and a.name == "orca" for a in pyatspi.Registry.getDesktop(0)) else 1)' 2>/dev/null
}
for _ in $(seq 100); do orca_listed && break; sleep 0.1; done
orca_listed || fail "Orca did not start"

"$program" 2>"$out/velmora-stderr.txt" &
app=$!
/usr/bin/python3 "$(dirname "$0")/screen_reader_test.py"

# Orca writes its debug file out as it ends; asked to quit it may linger.
sleep 1
orca --quit >/dev/null 2>&1 || true
for signal in TERM KILL; do
    for _ in $(seq 30); do kill -0 "$orca" 2>/dev/null || break; sleep 0.1; done
    kill -s "$signal" "$orca" 2>/dev/null || true
done
wait "$orca" 2>/dev/null || true
orca=
spoken=$(grep -c "SPEECH OUTPUT: '.*Inductive Reactance = 37.7 ohms" "$out/orca-debug.txt" || true)
[ "$spoken" -eq 2 ] || fail "Orca spoke the result $spoken times after two Calculates; see $out/orca-debug.txt"
echo "Orca spoke the result after each Calculate"
