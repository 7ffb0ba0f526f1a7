#!/usr/bin/env bash
# Builds the package of a build folder and checks it as a user's system
# would. Usage: package_test.sh deb|zip <version> <cpack> <build folder> <output folder> <objdump>
#                                [<start file> <Debian architecture> [<emulator>...]]
#   start file: the C library's Scrt1.o that the program is linked with
#   deb: contents, icons, desktop entry, AppStream data, lintian, and the
#        unpacked program started under Xvfb until its window appears (under
#        the emulator, where it is built for another processor);
#   zip: the Windows archive holds Velmora.exe without debug sections, and
#        README.txt and LICENSE.txt with Windows line ends.
set -euo pipefail
kind=$1 version=$2 cpack=$3 build=$4 out=$5 objdump=$6 start_file=${7:-} architecture=${8:-}
shift $(($# < 8 ? $# : 8))
emulator=("$@")
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
# Under the narrowest umask, so that no mode in the package comes from it.
(umask 077; "$cpack" --config "$build/CPackConfig.cmake" -G "${kind^^}" -B "$out") >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log"; fail "cpack failed"; }

if [ "$kind" = zip ]; then
    archive=$(ls "$out"/Velmora-"$version"-win*.zip) || fail "no Velmora-$version-win*.zip"
    unzip -q "$archive" -d "$out/unzipped"
    for file in Velmora.exe README.txt LICENSE.txt; do
        [ -f "$out"/unzipped/*/"$file" ] || fail "$file is not in $(basename "$archive")"
    done
    for text in README.txt LICENSE.txt; do
        ! grep -qv $'\r$' "$out"/unzipped/*/"$text" || fail "$text has lines without CRLF ends"
    done
    ! grep -q '\.debug' < <("$objdump" -h "$out"/unzipped/*/Velmora.exe) || fail "Velmora.exe is shipped with debug sections"
    echo "$(basename "$archive"): Velmora.exe without debug sections, README.txt and LICENSE.txt with CRLF"
    exit 0
fi

deb=$out/velmora_${version}_$architecture.deb
[ -f "$deb" ] || fail "no $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$architecture" ] || fail "the package is not for $architecture"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "dependencies were not worked out"

root=$out/root
dpkg-deb -x "$deb" "$root"
app_id=org.velmora.velmora
for file in usr/bin/velmora usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
            usr/share/doc/velmora/copyright usr/share/doc/velmora/changelog.gz usr/share/man/man1/velmora.1.gz; do
    [ -f "$root/$file" ] || fail "/$file is not in the package"
done

# What the package says of its release, made from CHANGELOG.md and
# project(): file, the first line that names a release, what it must say.
while IFS='|' read -r file first expected; do
    line=$(zcat -f "$root/$file" | grep -m1 -F "$first") || fail "/$file names no release"
    [[ $line = *"${expected//VERSION/$version}"* ]] || fail "/$file names another release first: $line"
done <<ROWS
usr/share/doc/velmora/changelog.gz|velmora (|velmora (VERSION)
usr/share/man/man1/velmora.1.gz|.TH |"Velmora VERSION"
usr/share/metainfo/$app_id.metainfo.xml|<release |<release version="VERSION"
ROWS

# The command line, answered without a display: argument, exit status,
# what it prints.
while IFS='|' read -r argument status expected; do
    status_now=0
    printed=$(env -u DISPLAY -u WAYLAND_DISPLAY "${emulator[@]}" "$root/usr/bin/velmora" "$argument" 2>&1) \
        || status_now=$?
    [ "$status_now" = "$status" ] || fail "velmora $argument exits with $status_now, not $status: $printed"
    [[ $printed = *"${expected//VERSION/$version}"* ]] || fail "velmora $argument does not say ${expected//VERSION/$version}: $printed"
done <<'ROWS'
--version|0|velmora VERSION
--help|0|-v, --version
--colour|1|velmora: Unknown option 'colour'.
extra|1|velmora: Unexpected argument 'extra'.
ROWS

# Every icon size is the 32-pixel icon enlarged pixel for pixel.
icons=$root/usr/share/icons/hicolor
for size in 32 64 128 256; do
    icon=$icons/${size}x$size/apps/$app_id.png
    [ -f "$icon" ] || fail "no ${size}x$size icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "the ${size}x$size icon has the wrong size"
    convert "$icon" -sample 32x32 "$out/sampled-$size.png"
    differing=$(compare -metric AE "$out/sampled-$size.png" "$icons/32x32/apps/$app_id.png" null: 2>&1 || true)
    [ "$differing" = 0 ] || fail "the ${size}x$size icon is not the 32-pixel one enlarged ($differing pixels differ)"
done

# Modes as Debian wants them, whatever the umask: 0755 directories and
# programs, 0644 files.
while read -r mode path; do
    case $mode in
        d*) expected=drwxr-xr-x ;;
        *) [ "$path" = ./usr/bin/velmora ] && expected=-rwxr-xr-x || expected=-rw-r--r-- ;;
    esac
    [ "$mode" = "$expected" ] || fail "$path has mode $mode, not $expected"
done < <(dpkg-deb -c "$deb" | awk '{print $1, $6}')

# Built with Debian's hardening. The fortify line cannot read yes: the
# program calls memcpy and memmove only where no size is known, so there is
# nothing to fortify. Control-flow protection is the target processor's
# own (CET on x86, BTI and PAC on arm64; hardening-check asks for both on
# every processor, where it knows the second): the linker marks a program
# for it only when every object is marked, the C library's start files
# among them. Where they are (Debian 13 on arm64) the program must be
# marked; where not (Debian 12, and 13 on amd64), it must be compiled for
# it, its instructions checked instead.
case $architecture in
    amd64|i386) cfi_instruction=endbr64 cfi_property='x86 feature: IBT, SHSTK' ;;
    arm64) cfi_instruction=paciasp cfi_property='AArch64 feature: BTI, PAC' ;;
    *) fail "no control-flow protection known for $architecture" ;;
esac
unchecked=(--nofortify --nocfprotection)
[[ $(hardening-check --help 2>&1 || true) != *--nobranchprotection* ]] || unchecked+=(--nobranchprotection)
hardening-check "${unchecked[@]}" "$root/usr/bin/velmora" >"$out/hardening.log" \
    || { cat "$out/hardening.log"; fail "the packaged program lacks hardening"; }
if readelf -n "$start_file" | grep -q "Properties: $cfi_property"; then
    readelf -n "$root/usr/bin/velmora" | grep -q "Properties: $cfi_property" \
        || fail "the program is not marked for control-flow protection ($cfi_property), though its start files are"
else
    grep -q "$cfi_instruction" < <("$objdump" -d "$root/usr/bin/velmora") \
        || fail "the program is not compiled for control-flow protection ($cfi_instruction)"
fi

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry not valid"
appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$out/appstream.log" 2>&1 \
    || { cat "$out/appstream.log"; fail "AppStream data not valid"; }
lintian -EvIL +pedantic --fail-on error,warning,info,pedantic "$deb" >"$out/lintian.log" 2>&1 \
    || { cat "$out/lintian.log"; fail "lintian found something"; }

# The unpacked program starts and shows its window.
source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb
trap 'kill "${app:-}" "$xvfb_pid" 2>/dev/null || true' EXIT
mkdir -p -m 700 "$out/runtime"
XDG_RUNTIME_DIR=$out/runtime "${emulator[@]}" "$root/usr/bin/velmora" 2>"$out/velmora-stderr.txt" &
app=$!
velmora_window >/dev/null || fail "the unpacked program showed no window"
echo "$(basename "$deb"): contents, icons, desktop entry, AppStream and lintian good; the program starts"
