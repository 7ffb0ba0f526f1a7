#!/usr/bin/env bash
# Makes <folder> a fresh, minimal Debian system of <release>, as a new
# user's machine is before anything is installed: debootstrap's minbase,
# with the release's updates and security fixes among its sources, and no
# services started by what is installed into it. The first system of a
# release is kept as build/bare-debian/<release>.tar; later ones are
# unpacked from it, in seconds.
# Usage: bare-debian.sh <release> <folder>
set -euo pipefail
release=$1 root=$(realpath -m "$2")
cd "$(dirname "$0")/.."
mirror=http://deb.debian.org/debian
kept=$PWD/build/bare-debian/$release.tar

if ! command -v debootstrap >/dev/null; then
    { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap; } >/dev/null
fi
rm -rf --one-file-system "$root"
mkdir -p "$root"
if [ ! -f "$kept" ]; then
    echo "Making a minimal Debian $release system"
    mkdir -p "$(dirname "$kept")"
    debootstrap --variant=minbase "$release" "$root" "$mirror" >"$kept.log" 2>&1 \
        || { tail -n 30 "$kept.log"; exit 1; }
    cat >"$root/etc/apt/sources.list" <<SOURCES
deb $mirror $release main
deb $mirror $release-updates main
deb http://deb.debian.org/debian-security $release-security main
SOURCES
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    tar -C "$root" -cf "$kept.part" . && mv "$kept.part" "$kept"
else
    tar -C "$root" -xf "$kept"
fi
