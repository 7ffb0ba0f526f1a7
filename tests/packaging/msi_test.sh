#!/usr/bin/env bash
# Installs Velmora's Windows Installer package as the Windows Package Manager
# would, silently with its manifest's switches, in a Wine prefix of its own
# (32- or 64-bit Windows), and checks: the program in Program Files, signed
# by the release's CA, the Start-menu shortcut pointing at it, the Apps &
# features entry that the manifest says winget will find, the installed
# program showing its window; a package of a later version installed over
# it leaving one entry; and after a silent uninstall, the prefix's files and
# registry as they were before the install.
# Usage: msi_test.sh <output folder> <32|64, the Windows> <x86|x64> <velmora.ico> <CA.pem>
#                    <its winget installer manifest> <.msi>
#                    <a later version's installer manifest> <its .msi>
# Exits 77 where the Wine it needs is not installed or the kernel cannot
# run it.
set -euo pipefail
out=$1 windows=$2 arch=$3 icon=$4 ca=$5 manifest=$6 msi=$7 later_manifest=$8 later_msi=$9
fail() { echo "FAIL: $*" >&2; exit 1; }
# manifest_value <manifest> <field>: the field of this architecture's
# installer, its Apps & features entry, or the manifest's own.
manifest_value() {
    /usr/bin/python3 -c 'import sys, yaml
manifest = yaml.safe_load(open(sys.argv[1]))
installer = next(i for i in manifest["Installers"] if i["Architecture"] == sys.argv[2])
print({**manifest, **manifest["InstallerSwitches"], **installer, **installer["AppsAndFeaturesEntries"][0]}[sys.argv[3]])' \
        "$1" "$arch" "$2"
}
version=$(manifest_value "$manifest" DisplayVersion) later=$(manifest_value "$later_manifest" DisplayVersion)
# The 32-bit loader runs 32-bit programs in both kinds of prefix.
loader=/usr/lib/wine/wine
[ "$windows" = 32 ] || loader=/usr/lib/wine/wine64

# The x86 program needs the 32-bit one, whichever the prefix.
for needed in $loader $([ "$arch" = x64 ] || echo /usr/lib/wine/wine); do
    if [ ! -x "$needed" ]; then
        echo "SKIP: $needed is not installed (see what the install step said)"
        exit 77
    fi
    status=0
    "$needed" --version >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 126 ]; then
        echo "SKIP: this kernel cannot run $needed"
        exit 77
    fi
done

rm -rf "$out"
mkdir -p "$out"
export WINEPREFIX=$out/prefix WINEDEBUG=-all
# No Mono or Gecko prompts, and no Linux menu entries made from the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win$windows
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

# install <manifest> <msi>: as winget does, silently.
install() {
    local switches
    read -ra switches <<<"$(manifest_value "$1" Silent)"
    wine msiexec /i "$(windows_path "$2")" "${switches[@]}" || fail "the silent install of $(basename "$2") failed"
    settle
}
install "$manifest" "$msi"
program_files="Program Files"
[ "$windows/$arch" != 64/x86 ] || program_files="Program Files (x86)"
installed=$WINEPREFIX/drive_c/$program_files/Velmora/Velmora.exe
[ -f "$installed" ] || fail "Velmora.exe is not in $program_files\\Velmora"
osslsigncode verify -CAfile "$ca" -in "$installed" >"$out/verify.log" 2>&1 \
    || fail "the installed Velmora.exe is not signed by the release's CA:$(echo; cat "$out/verify.log")"

# A per-machine package's shortcut belongs in the all-users Start menu;
# Wine puts it in the installing user's.
programs="Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
shortcut=$(ls "$WINEPREFIX/drive_c/ProgramData/$programs" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/"$programs" \
           2>/dev/null | head -n1 || true)
[ -n "$shortcut" ] || fail "no Velmora shortcut in the Start menu"
target="C:\\$program_files\\Velmora\\Velmora.exe"
grep -aqF "$target" "$shortcut" || fail "the shortcut does not point at $target"
shortcut_icon=$(strings -a -el "$shortcut" | sed -n 's/^.*C:\(\\windows\\Installer\\.*\)$/\1/p')
cmp -s "$WINEPREFIX/drive_c/${shortcut_icon//\\//}" "$icon" || fail "the shortcut has not the program's icon"

[ "$(entry_value DisplayVersion)" = "\"$version\"" ] || fail "Apps & features has not one Velmora $version entry: $(entries)"
# Where winget looks for it: the Uninstall key named by the product code,
# in the 32-bit view of a 64-bit Windows for the x86 package.
key='Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall' code=$(manifest_value "$manifest" ProductCode)
[ "$windows/$arch" != 64/x86 ] || key='Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall'
[[ $(entries | head -n1) = "[$key\\\\$code] "* ]] || fail "the entry is not the Uninstall key $key\\\\$code: $(entries)"
for field in DisplayName Publisher; do
    [ "$(entry_value $field)" = "\"$(manifest_value "$manifest" $field)\"" ] \
        || fail "the entry's $field is not the manifest's $(manifest_value "$manifest" $field): $(entries)"
done
[ "$(entry_value NoModify)" = dword:00000001 ] || fail "the entry offers Modify"
[ "$(entry_value NoRepair)" = dword:00000001 ] || fail "the entry offers Repair"
# Apps & features shows an installed package's icon from its product record.
product_icon=$(awk -v RS= '/^\[Software\\\\Classes\\\\Installer\\\\Products\\\\/ && /\n"ProductName"="Velmora"(\n|$)/' \
                   "$WINEPREFIX/system.reg" | sed -n 's/^"ProductIcon"="C:\(.*\)"$/\1/p')
cmp -s "$WINEPREFIX/drive_c/${product_icon//\\\\//}" "$icon" || fail "the entry has not the program's icon"

wine "$target" &
app=$!
velmora_window >/dev/null || fail "the installed program showed no window"
"$wineserver" -k
wait "$app" || true
app=

# The next version, installed over this one, replaces it.
install "$later_manifest" "$later_msi"
[ "$(entry_value DisplayVersion)" = "\"$later\"" ] || fail "after the upgrade, not one Velmora $later entry: $(entries)"

wine msiexec /x "$(windows_path "$later_msi")" /qn || fail "the silent uninstall failed"
snapshot after
diff "$out/before.files" "$out/after.files" >"$out/files.diff" || true
diff "$out/before.registry" "$out/after.registry" >"$out/registry.diff" || true
[ ! -s "$out/files.diff" ] || fail "the uninstall left files behind or changed them:$(echo; cat "$out/files.diff")"
[ ! -s "$out/registry.diff" ] || fail "the uninstall left the registry changed:$(echo; cat "$out/registry.diff")"
# A passed run's prefix (about a gigabyte) is not kept; a failed one's is,
# to look into.
"$wineserver" -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
echo "$(basename "$msi") on $windows-bit Windows: installed signed, shortcut, Apps & features entry as the manifest says, window, upgraded to $later, removed without a trace"
