#!/usr/bin/env bash
# Makes what Velmora ships twice (scripts/package.sh), from two clones of the
# last commit in two folders, and compares the Debian packages (this
# machine's and arm64's), both Windows ZIPs, both Windows Installer packages,
# the web version's ZIP and the 32-bit Velmora.exe byte for byte. Takes a minute or two more
# than the test command can spare, so it stands on its own.
set -euo pipefail
cd "$(dirname "$0")/.."
unset SOURCE_DATE_EPOCH  # the builds must agree without it
# The modes of the files inside the package do not depend on the umask (the
# package test checks that under 077), but cpack copies its temporary files'
# modes into the .deb's ar headers, which dpkg ignores.
umask 022
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() {
    git clone -q --no-local . "$work/$1"
    bash "$work/$1/scripts/package.sh" >/dev/null
    cp "$work/$1/build/package-builds/windows-x86/Velmora.exe" "$work/$1/build/packages/"
}
build first
build second

status=0
debs=("velmora_1.00_$(dpkg --print-architecture).deb")
[ "$(dpkg --print-architecture)" = arm64 ] || debs+=(velmora_1.00_arm64.deb)
for file in "${debs[@]}" Velmora-1.00-win32.zip Velmora-1.00-win64.zip \
            Velmora-1.00-x86.msi Velmora-1.00-x64.msi velmora-1.00-web.zip Velmora.exe; do
    first=$work/first/build/packages/$file second=$work/second/build/packages/$file
    if cmp -s "$first" "$second"; then
        echo "same: $file"
    else
        echo "DIFFERENT: $file"
        command -v diffoscope >/dev/null && diffoscope "$first" "$second" || true
        status=1
    fi
done
exit $status
