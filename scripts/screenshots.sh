#!/usr/bin/env bash
# Makes the README's pictures of the window from the real programs, each
# showing a result (60 Hz, 100 mH: 37.7 ohms): docs/velmora-linux.png, the
# Qt program under Xvfb with openbox's frame; docs/velmora-windows.png,
# Velmora.exe under Wine on a desktop of Wine's own, which draws the frame
# as Windows does; docs/velmora-web.png and docs/velmora-web-phone.png, the
# web version in headless Chromium, on a desktop and on a phone's screen.
# Run it again when the window changes; it installs and builds what it
# needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh all
for build in release:velmora windows-x64:velmora,centred_client_position web:velmora_site; do
    preset=${build%%:*} targets=${build#*:}
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" --target ${targets//,/ } -- --no-print-directory >/dev/null
done
source tests/support/xvfb.sh
work=$(mktemp -d)
trap 'kill ${app:-} ${wm:-} ${server:-} "${xvfb_pid:-}" 2>/dev/null; WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
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
    small "$work/shot.png" "$1" ${5:+-trim +repage}
}

# small <shot> <picture> [options]: the shot as a small PNG of at most 64
# colours.
small() {
    convert "$1" "${@:3}" -colors 64 -strip "PNG8:$2"
    echo "$2: $(identify -format '%wx%h' "$2"), $(stat -c %s "$2") bytes"
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
# Wine draws the title bar's buttons with Marlett, which it takes from the
# prefix's fonts only, not from fonts-wine's folder.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# Wine centres the window on its desktop as on the screen, the client area
# where Wine's own frame puts it (its caption's height differs between
# versions): found on the 640 x 480 screen and moved to the 360 x 400 desktop.
IFS=, read -r client_x client_y < <(/usr/lib/wine/wine64 build/windows-x64/tests/e2e/centred_client_position.exe | tr -d '\r')
/usr/lib/wine/wine64 explorer /desktop=Velmora,360x400 "$(pwd)/build/windows-x64/Velmora.exe" 2>/dev/null &
app=$!
shoot docs/velmora-windows.png '^Velmora - Wine desktop$' $((client_x - (640 - 360) / 2)) $((client_y - (480 - 400) / 2)) cut
kill "$app"
app=

python3 -m http.server --bind 127.0.0.1 --directory build/web/site 8765 >/dev/null 2>&1 &
server=$!
sleep 1
/usr/bin/python3 scripts/screenshot-web.py http://127.0.0.1:8765/ "$work/web.png" "$work/phone.png"
small "$work/web.png" docs/velmora-web.png
small "$work/phone.png" docs/velmora-web-phone.png
