#!/usr/bin/env bash
# Makes the README's pictures of the window from the real programs, each
# showing a result (60 Hz, 100 mH: 37.7 ohms): docs/velmora-linux.png, the
# Qt program under Xvfb with openbox's frame, and docs/velmora-windows.png,
# Velmora.exe under Wine on a desktop of Wine's own, which draws the frame
# as Windows does. Run it again when the window changes; it installs and
# builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh all
for preset in release windows-x64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" --target velmora -- --no-print-directory >/dev/null
done
source tests/support/xvfb.sh
work=$(mktemp -d)
trap 'kill ${app:-} ${wm:-} "${xvfb_pid:-}" 2>/dev/null; WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p docs

# shoot <picture> <window> <x> <y> [<cut>]: in the program's client area,
# which lies at x,y in the named window, types the example, chooses Hz and
# mH, presses Enter, and saves the named window, frame included, as a small
# PNG of at most 64 colours; cut: without the plain background around it.
shoot() {
    local window
    window=$(velmora_window "$2") || { echo "no window named '$2' appeared" >&2; exit 1; }
    sleep 5
    click() { xdotool mousemove --window "$window" $(($3 + $1)) $(($4 + $2)) click 1; }
    click 60 63 "$3" "$4"                  # into the frequency box
    xdotool type --delay 30 60
    click 60 145 "$3" "$4"                 # into the inductance box
    xdotool type --delay 30 100
    click 150 38 "$3" "$4"                 # Hz
    click 150 136 "$3" "$4"                # mH
    xdotool key Return
    sleep 1
    import -window "$window" -frame "$work/shot.png"
    convert "$work/shot.png" ${5:+-trim +repage} -colors 64 -strip "PNG8:$1"
    echo "$1: $(identify -format '%wx%h' "$1"), $(stat -c %s "$1") bytes"
}

start_xvfb 640x480
unset QT_QPA_PLATFORM QT_SCALE_FACTOR XDG_CURRENT_DESKTOP
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
LANG=C build/release/velmora 2>/dev/null &
app=$!
shoot docs/velmora-linux.png '^Reactance of Inductor$' 0 0
kill "$app" "$wm"
app= wm=

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
# Wine centres the window on its desktop, the client area half a caption
# below the middle.
/usr/lib/wine/wine64 explorer /desktop=Velmora,360x400 "$(pwd)/build/windows-x64/Velmora.exe" 2>/dev/null &
app=$!
shoot docs/velmora-windows.png '^Velmora - Wine desktop$' $(((360 - 268) / 2)) $(((400 - 312) / 2 + 10)) cut
