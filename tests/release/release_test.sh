#!/usr/bin/env bash
# A release as users meet it. scripts/package.sh makes this version's files
# and, in a scratch clone where only project()'s number went one up and
# CHANGELOG.md got an entry, the next version's: each file names its
# version, inside too, and SHA256SUMS and its signature hold. Then each
# release's apt repository is served on 127.0.0.1 to bare Debian systems:
# added with the two files it ships, apt install gives this version; the
# next one published over it, apt upgrade gives that, and its velmora
# --version says so; an index altered after signing, a Release file
# altered after signing, and a repository signed by another key are
# refused by apt update.
# Packages built on Debian 12 are installed into bare Debian 12 and 13;
# built on 13, into 13 only, as their Qt dependencies are 13's.
# Usage: release_test.sh (from anywhere; works in build/release-test)
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$PWD/build/release-test
fail() { echo "FAIL: $*" >&2; exit 1; }
started=$SECONDS

systems=()
clean_up() {
    local system
    for system in "${systems[@]}"; do
        ! mountpoint -q "$system/proc" || umount -l "$system/proc"
    done
    [ -z "${server:-}" ] || kill "$server" 2>/dev/null || true
    gpgconf --kill all 2>/dev/null || true
}
trap clean_up EXIT
trap 'exit 130' INT TERM
for system in "$work"/debian-*; do
    ! mountpoint -q "$system/proc" || umount -l "$system/proc"  # a run cut short
done
rm -rf --one-file-system "$work"
mkdir -p "$work/served"

# The release's key, and another one.
export GNUPGHOME=$work/gnupg
mkdir -m 700 "$GNUPGHOME"
key="Velmora release test <release-test@velmora.invalid>"
other_key="Someone else <someone-else@velmora.invalid>"
for uid in "$key" "$other_key"; do
    gpg --batch --quiet --passphrase '' --quick-gen-key "$uid" ed25519 sign never 2>/dev/null
done

python3 tests/support/local_site.py "$work/served" >"$work/port" &
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
url=http://127.0.0.1:$(cat "$work/port")/apt

# package <clone>: its release, signed with the key, for the served address.
package() {
    local log=$work/package-$(basename "$1").log
    VELMORA_SIGNING_KEY=$key VELMORA_REPOSITORY_URL=$url bash "$1/scripts/package.sh" >"$log" 2>&1 \
        || { tail -n 40 "$log"; fail "package.sh failed in $1"; }
}

# check_release <packages folder> <version>: every file names the version,
# in its name and inside, and the checksums and their signature hold.
check_release() {
    local out=$1 version=$2 file expected
    expected=("velmora_${version}_$(dpkg --print-architecture).deb" "Velmora-$version-win32.zip"
              "Velmora-$version-win64.zip" "Velmora-$version-x86.msi" "Velmora-$version-x64.msi"
              "velmora-$version-web.zip" "velmora-$version.tar.xz" SHA256SUMS SHA256SUMS.asc apt)
    [ "$(dpkg --print-architecture)" = arm64 ] || expected+=("velmora_${version}_arm64.deb")
    for file in "${expected[@]}"; do [ -e "$out/$file" ] || fail "$version: no $file"; done
    for file in "$out"/*; do
        [[ " ${expected[*]} " = *" $(basename "$file") "* ]] || fail "$version: $(basename "$file") is not a file of the release"
    done
    for file in "$out"/*.deb "$out"/apt/pool/main/v/velmora/*.deb; do
        [ "$(dpkg-deb -f "$file" Version)" = "$version" ] || fail "$(basename "$file") is version $(dpkg-deb -f "$file" Version)"
    done
    for file in "$out"/*.msi; do
        msiinfo export "$file" Property | tr -d '\r' | grep -qx "ProductVersion	$version" || fail "$(basename "$file") is not ProductVersion $version"
    done
    for file in "$out"/*.zip; do
        [ "$(unzip -Z1 "$file" | cut -d/ -f1 | sort -u)" = "$(basename "$file" .zip)" ] \
            || fail "$(basename "$file") does not hold one folder $(basename "$file" .zip)"
    done
    tar -xJOf "$out/velmora-$version.tar.xz" "velmora-$version/CMakeLists.txt" | grep -qx "    VERSION $version" \
        || fail "velmora-$version.tar.xz is not the source of $version"
    (cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "$version: SHA256SUMS does not hold"
    [ "$(cut -c67- "$out/SHA256SUMS")" = "$(printf '%s\n' "${expected[@]}" | grep -vx -e 'SHA256SUMS.*' -e apt | LC_ALL=C sort)" ] \
        || fail "$version: SHA256SUMS does not list every file"
    gpgv --quiet --keyring "$out/apt/velmora-archive-keyring.pgp" "$out/SHA256SUMS.asc" "$out/SHA256SUMS" 2>/dev/null \
        || fail "$version: SHA256SUMS.asc is not a good signature by the repository's key"
}

package "$PWD"
source build/package-builds/release/release/version.env
version=$VERSION next=$NEXT_VERSION
check_release build/packages "$version"

# The next release: one number and one entry.
git clone -q --no-local . "$work/next"
sed -i "/^project(velmora/,/)/s/^    VERSION $version\$/    VERSION $next/" "$work/next/CMakeLists.txt"
sed -i "0,/^## \[/s//## [$next] - $(date -u +%F)\n\n### Fixed\n\n- Whatever the release test changed.\n\n&/" "$work/next/CHANGELOG.md"
git -C "$work/next" -c user.name=Test -c user.email=test@velmora.invalid commit -q -am "Release $next"
package "$work/next"
check_release "$work/next/build/packages" "$next"
echo "Made and checked releases $version and $next in $((SECONDS - started)) s"

publish() { rm -rf "$work/served/apt" && cp -a "$1" "$work/served/apt"; }
# in <system> <command>...: as root in that system.
inside() {
    local system=$1
    shift
    chroot "$system" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
# apt update of Velmora's repository alone, as a machine new to it, keeping
# Debian's lists: what a mirror of Debian's does then cannot pass for a
# refusal.
update_velmora() {
    rm -f "$1"/var/lib/apt/lists/127.0.0.1[:_]*
    inside "$1" apt-get update -q -o Dir::Etc::SourceList=/etc/apt/sources.list.d/velmora.sources \
        -o Dir::Etc::SourceParts=/nonexistent -o APT::Get::List-Cleanup=false
}

releases=(bookworm trixie)
if grep -q '^VERSION_CODENAME=trixie' /etc/os-release; then
    releases=(trixie)
    echo "Skipped: Debian 12 (bookworm), which this machine's packages, built on Debian 13, do not install on."
fi
for release in "${releases[@]}"; do
    system=$work/debian-$release
    bash scripts/bare-debian.sh "$release" "$system"
    systems+=("$system")
    mount -t proc proc "$system/proc"
    cp /etc/resolv.conf "$system/etc/resolv.conf"
    log=$work/apt-$release.log

    # Added as the README says: the two files into place, apt update, apt install.
    publish build/packages/apt
    cp build/packages/apt/velmora-archive-keyring.pgp "$system/usr/share/keyrings/"
    cp build/packages/apt/velmora.sources "$system/etc/apt/sources.list.d/"
    # Debian's own lists as well, for Qt; a mirror mid-sync may fail one.
    inside "$system" apt-get update -q -o Acquire::Retries=3 >"$log" 2>&1 || true
    update_velmora "$system" >>"$log" 2>&1 || { cat "$log"; fail "$release: apt update refused the repository"; }
    inside "$system" apt-get install -y -q velmora >>"$log" 2>&1 || { tail -n 30 "$log"; fail "$release: apt install velmora failed"; }
    [ "$(inside "$system" velmora --version)" = "velmora $version" ] || fail "$release: apt install did not give $version"

    publish "$work/next/build/packages/apt"
    update_velmora "$system" >>"$log" 2>&1 || { cat "$log"; fail "$release: apt update refused release $next"; }
    inside "$system" apt-get upgrade -y -q >>"$log" 2>&1 || { tail -n 30 "$log"; fail "$release: apt upgrade failed"; }
    [ "$(inside "$system" velmora --version)" = "velmora $next" ] || fail "$release: apt upgrade did not give $next"

    # What apt must refuse: name, how the published repository is altered.
    while IFS='|' read -r name alteration; do
        publish "$work/next/build/packages/apt"
        (cd "$work/served/apt" && eval "$alteration")
        if update_velmora "$system" >"$log" 2>&1; then
            cat "$log"
            fail "$release: apt update took a repository with $name"
        fi
        grep -q "^[EW]:.*127\.0\.0\.1" "$log" || { cat "$log"; fail "$release: apt refused a repository with $name, but not for it"; }
    done <<'ROWS'
an index altered after signing|for index in dists/stable/main/binary-*/Packages; do sed -i 's/^Version: .*/Version: 9.99/' $index && xz -f -k $index; done
a Release file altered after signing|sed -i 's/^Suite: stable$/Suite: stable-altered/' dists/stable/InRelease; rm dists/stable/Release.gpg
another key's signature|for signed in InRelease Release.gpg; do rm dists/stable/$signed; done; gpg --batch --quiet -u "$other_key" --clearsign -o dists/stable/InRelease dists/stable/Release; gpg --batch --quiet -u "$other_key" -a -b -o dists/stable/Release.gpg dists/stable/Release
ROWS
    echo "Debian $release: the repository installs $version, upgrades to $next, and is refused when altered or signed by another key"
done
echo "Release test: $((SECONDS - started)) s"
