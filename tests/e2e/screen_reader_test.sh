#!/usr/bin/env bash
# The program with the accessibility bus and the Orca screen reader, as a
# blind user runs it, under openbox on Xvfb: screen_reader_test.py drives it
# through AT-SPI, and Orca must speak the result line after each Calculate.
# Run inside its own D-Bus session (dbus-run-session).
# Usage: screen_reader_test.sh <output folder> <program>
set -euo pipefail
out=$1 program=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/orca.sh"
orca_session "$out"

"$program" 2>"$out/velmora-stderr.txt" &
app=$!
/usr/bin/python3 "$(dirname "$0")/screen_reader_test.py"

stop_orca
spoken=$(times_spoken "Inductive Reactance = 37.7 ohms")
[ "$spoken" -eq 2 ] || fail "Orca spoke the result $spoken times after two Calculates; see $out/orca-debug.txt"
echo "Orca spoke the result after each Calculate"
