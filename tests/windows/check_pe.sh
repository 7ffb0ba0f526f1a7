#!/usr/bin/env bash
# Checks a built Windows executable without running it: its format and
# subsystem, that it needs only the system's own DLLs, and, for the
# program, its version record and application manifest, both of the
# version, and its hardening: ASLR (high-entropy on PE32+),
# DEP, terminal-server awareness and the statically linked stack protector.
# Usage: check_pe.sh <objdump> <strings> <exe> <PE32|PE32+> <GUI|CUI> [program <version>]
set -euo pipefail
objdump=$1 strings=$2 exe=$3 format=$4 subsystem=$5 kind=${6:-} version=${7:-}
fail() { echo "FAIL: $(basename "$exe"): $*" >&2; exit 1; }

headers=$("$objdump" -p "$exe")
grep '^Magic' <<<"$headers" | grep -Fq "($format)" || fail "not $format"
grep -Eq "^Subsystem[[:space:]]+[0-9a-f]+[[:space:]]+\(Windows $subsystem\)" <<<"$headers" || fail "not a $subsystem program"

system_dlls='^(kernel32|user32|gdi32|comctl32|msvcrt|advapi32|shell32|ole32|oleaut32|oleacc|uxtheme)\.dll$'
while read -r dll; do
    grep -Eiq "$system_dlls" <<<"$dll" || fail "imports $dll, which Windows does not ship"
done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")

if [ "$kind" = program ]; then
    record=$("$strings" -el "$exe")
    for pair in "ProductName Velmora" "InternalName Velmora" "OriginalFilename Velmora.exe" \
                "FileVersion $version" "ProductVersion $version"; do
        grep -A1 -x "${pair% *}" <<<"$record" | grep -qx "${pair#* }" || fail "version record lacks ${pair% *} ${pair#* }"
    done
    # The manifest's four numbers: major.minor.0.0, without leading zeros.
    IFS=. read -r major minor _ <<<"$version"
    identity=$(grep -ao '<assemblyIdentity type="win32" name="Velmora" version="[^"]*"' "$exe") \
        || fail "no application manifest naming Velmora"
    [ "${identity##*version=}" = "\"$((10#$major)).$((10#${minor:-0})).0.0\"" ] \
        || fail "the application manifest says ${identity##*version=}, not version $version"

    flags=(DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
    [ "$format" = PE32+ ] && flags+=(HIGH_ENTROPY_VA)
    characteristics=$(sed -n '/^DllCharacteristics/,/^[A-Z]/p' <<<"$headers")
    for flag in "${flags[@]}"; do
        grep -qw "$flag" <<<"$characteristics" || fail "DllCharacteristics lack $flag"
    done
    grep -q 'stack smashing detected' < <("$strings" -a "$exe") || fail "no stack protector linked in"
fi
echo "$(basename "$exe"): $format, Windows $subsystem, system DLLs only${kind:+, version record, manifest and hardening complete}"
