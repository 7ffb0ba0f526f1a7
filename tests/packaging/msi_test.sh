#!/usr/bin/env bash
# Installs Velmora's Windows Installer package as a deployment tool would,
# silently, in a Wine prefix of its own (32-bit for the x86 package, 64-bit
# for the x64 one), and checks: the program in Program Files, the Start-menu
# shortcut pointing at it, the Apps & features entry, the installed program
# showing its window; a package of a later version installed over it leaving
# one entry; and after a silent uninstall, the prefix's files and registry
# as they were before the install.
# Usage: msi_test.sh <output folder> <wine loader> <x86|x64> <velmora.ico>
#                    <version> <its .msi> <a later version> <its .msi>
# Exits 77 (ctest's skip) where the 32-bit Wine is not installed or the
# kernel cannot run it.
set -euo pipefail
out=$1 loader=$2 arch=$3 icon=$4 version=$5 msi=$6 later=$7 later_msi=$8
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ ! -x "$loader" ]; then
    echo "SKIP: $loader is not installed (see what the install step said)"
    exit 77
fi

status=0
"$loader" --version >/dev/null 2>&1 || status=$?
if [ "$status" -eq 126 ]; then
    echo "SKIP: this kernel cannot run $loader, which a 32-bit prefix needs"
    exit 77
fi

rm -rf "$out"
mkdir -p "$out"
export WINEPREFIX=$out/prefix WINEDEBUG=-all
# No Mono or Gecko prompts, and no Linux menu entries made from the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[ "$arch" = x86 ] && export WINEARCH=win32 || export WINEARCH=win64
wineserver=/usr/lib/wine/wineserver
source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb
clean_up() {
    [ -z "${app:-}" ] || kill "$app" 2>/dev/null || true
    "$wineserver" -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap clean_up EXIT
wine() { "$loader" "$@"; }
settle() { "$wineserver" -w; }
windows_path() { echo "Z:${1//\//\\}"; }  # Wine's drive Z: is the root

# The prefix's files and registry, without the times Wine stamps on keys.
# Left out: the machine's devices (the registry's System and Hardware, and
# windows\inf), which Wine sets up again as programs start, and empty keys
# not named for Velmora: Windows Installer keeps the keys it files packages
# under, as on any Windows that has installed one.
snapshot() {
    settle
    (cd "$WINEPREFIX" && find drive_c -path drive_c/windows/inf -prune -o -printf '%y %s %p\n' | sort) \
        >"$out/$1.files"
    sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' "$WINEPREFIX"/*.reg |
        awk -v RS= -v ORS='\n\n' 'toupper($0) ~ /^\[(SYSTEM|HARDWARE)\\\\/ { next }
                                    !/\n/ && !/[Vv]elmora/ { next } { print }' >"$out/$1.registry"
}
# The Apps & features entries named Velmora, each a paragraph of values.
entries() {
    awk -v RS= '/^\[[^]]*\\\\Uninstall\\\\/ && /\n"DisplayName"="Velmora"(\n|$)/ { print; print "" }' \
        "$WINEPREFIX/system.reg"
}
entry_value() { entries | sed -n "s/^\"$1\"=//p"; }

wine wineboot --init >/dev/null 2>&1
# Windows Installer's own cache folder, there on every Windows; a new
# prefix gets it with the first package installed.
mkdir -p "$WINEPREFIX/drive_c/windows/Installer"
snapshot before

wine msiexec /i "$(windows_path "$msi")" /qn || fail "the silent install failed"
settle
installed=$WINEPREFIX/"drive_c/Program Files/Velmora/Velmora.exe"
[ -f "$installed" ] || fail "Velmora.exe is not in Program Files\\Velmora"

# A per-machine package's shortcut belongs in the all-users Start menu;
# Wine puts it in the installing user's.
programs="Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
shortcut=$(ls "$WINEPREFIX/drive_c/ProgramData/$programs" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/"$programs" \
           2>/dev/null | head -n1 || true)
[ -n "$shortcut" ] || fail "no Velmora shortcut in the Start menu"
grep -aq 'C:\\Program Files\\Velmora\\Velmora.exe' "$shortcut" \
    || fail "the shortcut does not point at C:\\Program Files\\Velmora\\Velmora.exe"
shortcut_icon=$(strings -a -el "$shortcut" | sed -n 's/^.*C:\(\\windows\\Installer\\.*\)$/\1/p')
cmp -s "$WINEPREFIX/drive_c/${shortcut_icon//\\//}" "$icon" || fail "the shortcut has not the program's icon"

[ "$(entry_value DisplayVersion)" = "\"$version\"" ] || fail "Apps & features has not one Velmora $version entry: $(entries)"
[ "$(entry_value Publisher)" = '"The Velmora developers"' ] || fail "the entry names no publisher"
[ "$(entry_value NoModify)" = dword:00000001 ] || fail "the entry offers Modify"
[ "$(entry_value NoRepair)" = dword:00000001 ] || fail "the entry offers Repair"
# Apps & features shows an installed package's icon from its product record.
product_icon=$(awk -v RS= '/^\[Software\\\\Classes\\\\Installer\\\\Products\\\\/ && /\n"ProductName"="Velmora"(\n|$)/' \
                   "$WINEPREFIX/system.reg" | sed -n 's/^"ProductIcon"="C:\(.*\)"$/\1/p')
cmp -s "$WINEPREFIX/drive_c/${product_icon//\\\\//}" "$icon" || fail "the entry has not the program's icon"

wine "C:\\Program Files\\Velmora\\Velmora.exe" &
app=$!
velmora_window >/dev/null || fail "the installed program showed no window"
"$wineserver" -k
wait "$app" || true
app=

# The next version, installed over this one, replaces it.
wine msiexec /i "$(windows_path "$later_msi")" /qn || fail "the upgrade failed"
settle
[ "$(entry_value DisplayVersion)" = "\"$later\"" ] || fail "after the upgrade, not one Velmora $later entry: $(entries)"

wine msiexec /x "$(windows_path "$later_msi")" /qn || fail "the silent uninstall failed"
snapshot after
diff "$out/before.files" "$out/after.files" >"$out/files.diff" || true
diff "$out/before.registry" "$out/after.registry" >"$out/registry.diff" || true
[ ! -s "$out/files.diff" ] || fail "the uninstall left files behind or changed them:$(echo; cat "$out/files.diff")"
[ ! -s "$out/registry.diff" ] || fail "the uninstall left the registry changed:$(echo; cat "$out/registry.diff")"
echo "$(basename "$msi"): installed, shortcut, Apps & features entry, window, upgraded to $later, removed without a trace"
