#!/usr/bin/env bash
# Runs a command of this clone's in a fresh, minimal Debian system of another
# release, as root, as a new user's machine would run it: a bare system
# (scripts/bare-debian.sh) in <folder>, with /proc, /sys and /dev mounted,
# and a copy of this clone (its history, and its files as committed or
# changed, without build folders) in its /root/velmora. The system and the
# build folders in it are kept in <folder> for the next run; the mounts are
# taken down on every way out.
# Usage: in-fresh-debian.sh <release> <folder> <command> [args...]
#   e.g. in-fresh-debian.sh trixie build/debian-trixie bash scripts/test.sh
set -euo pipefail
release=$1 root=$2
shift 2
cd "$(dirname "$0")/.."
mkdir -p "$root"
root=$(realpath "$root")
unmount() {
    local mounted
    for mounted in dev sys proc; do
        mountpoint -q "$root/$mounted" && umount -R -l "$root/$mounted"
    done
    return 0
}
trap unmount EXIT
trap 'exit 130' INT TERM
if [ ! -f "$root/.velmora-made" ]; then
    unmount  # what a run that was cut short left mounted
    bash scripts/bare-debian.sh "$release" "$root"
    touch "$root/.velmora-made"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Packages once installed are not kept: the whole test run's are gigabytes.
echo 'APT::Keep-Downloaded-Packages "false";' >"$root/etc/apt/apt.conf.d/90velmora-keep-no-packages"
# And the authorities this machine trusts beyond Debian's (a network that
# inspects HTTPS has its own), for HTTPS from inside, as npm's: taken in
# now where the system has its certificate store, else as it installs it.
if [ -n "$(find /usr/local/share/ca-certificates -name '*.crt' 2>/dev/null)" ]; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    find /usr/local/share/ca-certificates -name '*.crt' -exec cp {} "$root/usr/local/share/ca-certificates/" \;
    [ ! -x "$root/usr/sbin/update-ca-certificates" ] || chroot "$root" update-ca-certificates >/dev/null 2>&1
fi

mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
for shared in sys dev; do
    mountpoint -q "$root/$shared" || { mount --rbind "/$shared" "$root/$shared" && mount --make-rslave "$root/$shared"; }
done

# The clone's history too, for what reads it (the source archive, the
# release test's scratch clone).
mkdir -p "$root/root/velmora"
rm -rf "$root/root/velmora/.git"
{ git ls-files -z --cached --others --exclude-standard; printf '.git\0'; } \
    | tar --null -T - -c | tar -x -C "$root/root/velmora"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 CI="${CI:-}" bash -c 'cd /root/velmora && exec "$@"' bash "$@"
