#!/usr/bin/env bash
# The web version as a blind user meets it: Firefox ESR or Chromium showing
# the page in a window on Xvfb, with the accessibility bus and the Orca
# screen reader. Orca must speak the result after each of two Calculates
# and nothing of it after an edit, and the page must then hold the old
# result nowhere a screen reader reads (screen_reader_test.py). Run inside
# its own D-Bus session.
# Usage: screen_reader_test.sh <output folder> <site folder> firefox|chromium
set -euo pipefail
out=$1 site=$2 engine=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/../support/orca.sh"
orca_session "$out"

# Firefox turns its accessibility on for a screen reader's session.
GNOME_ACCESSIBILITY=1 /usr/bin/python3 "$(dirname "$0")/screen_reader_test.py" "$site" "$engine"

stop_orca
spoken=$(times_spoken "Inductive Reactance = 37.7 ohms")
[ "$spoken" -eq 2 ] || fail "Orca spoke the result $spoken times after two Calculates and an edit; see $out/orca-debug.txt"
echo "Orca, in $engine: the result spoken after each Calculate, and nothing of it after an edit"
