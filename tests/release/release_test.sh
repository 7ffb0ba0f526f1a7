#!/usr/bin/env bash
# A release as users meet it. scripts/package.sh refuses a certificate it
# cannot sign with, saying why and leaving nothing; it makes this version's
# files and, in a scratch clone where only project()'s number went one up
# and CHANGELOG.md got an entry, the next version's: each file names its
# version, inside too, and SHA256SUMS and its signature hold; the Windows
# programs and installers are signed by the release's CA, and the winget
# manifests are valid and name them. Both MSIs are installed under Wine as
# winget would, and upgraded to the next version (msi_test.sh). Then each
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

# The release's code-signing certificate, and what package.sh must refuse.
codesign=$work/codesign
bash scripts/make-codesign-certificate.sh "$codesign/release" "release password"
bash scripts/make-codesign-certificate.sh "$codesign/expired" pw codeSigning -1
bash scripts/make-codesign-certificate.sh "$codesign/server" pw serverAuth
openssl pkcs12 -in "$codesign/release/codesign.p12" -passin "pass:release password" -nokeys -out "$codesign/release.pem"
openssl genrsa -out "$codesign/other.key" 3072 2>/dev/null
openssl pkcs12 -export -nocerts -inkey "$codesign/other.key" -certfile "$codesign/release.pem" -passout pass:pw \
    -out "$codesign/mismatched.p12" 2>/dev/null
echo "not a certificate" >"$codesign/text.p12"
# Bad input: name, PKCS #12 file, password, what package.sh must say.
while IFS='|' read -r name p12 password message; do
    status=0
    VELMORA_CODESIGN_PKCS12=$codesign/$p12 VELMORA_CODESIGN_PASSWORD=$password bash scripts/package.sh \
        >"$work/refused.log" 2>&1 || status=$?
    [ "$status" -ne 0 ] || fail "package.sh signed with $name"
    grep -qF "$message" "$work/refused.log" || { cat "$work/refused.log"; fail "package.sh refused $name without saying \"$message\""; }
    [ ! -e build/packages ] || fail "package.sh refused $name but left build/packages"
done <<'ROWS'
a missing file|missing.p12|pw|no file
a wrong password|release/codesign.p12|wrong|does not open
a file that is not PKCS #12|text.p12|pw|does not open
an expired certificate|expired/codesign.p12|pw|expired on
a certificate not for code signing|server/codesign.p12|pw|is not for code signing
a key of another certificate|mismatched.p12|pw|does not match its certificate
ROWS
echo "package.sh refuses a missing, unopened, expired, other-purpose or mismatched certificate, leaving nothing"

python3 tests/support/local_site.py "$work/served" >"$work/port" &
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
url=http://127.0.0.1:$(cat "$work/port")/apt

# package <clone>: its release, signed with the key, for the served address.
package() {
    local log=$work/package-$(basename "$1").log
    VELMORA_SIGNING_KEY=$key VELMORA_REPOSITORY_URL=$url VELMORA_CODESIGN_PKCS12=$codesign/release/codesign.p12 \
        VELMORA_CODESIGN_PASSWORD="release password" bash "$1/scripts/package.sh" >"$log" 2>&1 \
        || { tail -n 40 "$log"; fail "package.sh failed in $1"; }
}

# check_release <packages folder> <version>: every file names the version,
# in its name and inside, and the checksums and their signature hold.
check_release() {
    local out=$1 version=$2 file expected
    expected=("velmora_${version}_$(dpkg --print-architecture).deb" "Velmora-$version-win32.zip"
              "Velmora-$version-win64.zip" "Velmora-$version-x86.msi" "Velmora-$version-x64.msi"
              "velmora-$version-web.zip" "velmora-$version.tar.xz" SHA256SUMS SHA256SUMS.asc apt winget)
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
    # Signed: each program and installer, by the release's CA; a copy with
    # one byte changed, not.
    mkdir -p "$work/$version"
    for bits in 32 64; do
        unzip -p "$out/Velmora-$version-win$bits.zip" "*/Velmora.exe" >"$work/$version/Velmora-win$bits.exe"
    done
    for file in "$work/$version"/Velmora-win*.exe "$out"/*.msi; do
        osslsigncode verify -CAfile "$codesign/release/ca.pem" -in "$file" >"$work/verify.log" 2>&1 \
            || { cat "$work/verify.log"; fail "$(basename "$file") of $version is not signed by the release's CA"; }
        cp "$file" "$work/altered"
        printf '\x55' | dd of="$work/altered" bs=1 seek=$(($(stat -c %s "$file") / 2)) conv=notrunc status=none
        ! osslsigncode verify -CAfile "$codesign/release/ca.pem" -in "$work/altered" >"$work/verify.log" 2>&1 \
            && grep -q MISMATCH "$work/verify.log" || fail "$(basename "$file") of $version verifies with a byte changed"
    done
    bash tests/windows/check_pe.sh i686-w64-mingw32-objdump i686-w64-mingw32-strings \
        "$work/$version/Velmora-win32.exe" PE32 GUI program "$version" >/dev/null
    bash tests/windows/check_pe.sh x86_64-w64-mingw32-objdump x86_64-w64-mingw32-strings \
        "$work/$version/Velmora-win64.exe" PE32+ GUI program "$version" >/dev/null
    /usr/bin/python3 tests/release/check_winget.py "$out/winget" "$version" "$out"/*.msi >/dev/null
    tar -xJOf "$out/velmora-$version.tar.xz" "velmora-$version/CMakeLists.txt" | grep -qx "    VERSION $version" \
        || fail "velmora-$version.tar.xz is not the source of $version"
    (cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "$version: SHA256SUMS does not hold"
    [ "$(cut -c67- "$out/SHA256SUMS")" = "$(printf '%s\n' "${expected[@]}" | grep -vx -e 'SHA256SUMS.*' -e apt -e winget | LC_ALL=C sort)" ] \
        || fail "$version: SHA256SUMS does not list every file"
    gpgv --quiet --keyring "$out/apt/velmora-archive-keyring.pgp" "$out/SHA256SUMS.asc" "$out/SHA256SUMS" 2>/dev/null \
        || fail "$version: SHA256SUMS.asc is not a good signature by the repository's key"
}

package "$PWD"
source build/package-builds/release/release/release.env
version=$VERSION
# The next release: the last number one up, as wide as it is now.
last=${version##*[!0-9]}
next=${version%"$last"}$(printf '%0*d' ${#last} $((10#$last + 1)))
check_release build/packages "$version"

# The next release: one number and one entry.
git clone -q --no-local . "$work/next"
sed -i "/^project(velmora/,/)/s/^    VERSION $version\$/    VERSION $next/" "$work/next/CMakeLists.txt"
sed -i "0,/^## \[/s//## [$next] - $(date -u +%F)\n\n### Fixed\n\n- Whatever the release test changed.\n\n&/" "$work/next/CHANGELOG.md"
git -C "$work/next" -c user.name=Test -c user.email=test@velmora.invalid commit -q -am "Release $next"
package "$work/next"
check_release "$work/next/build/packages" "$next"
echo "Made and checked releases $version and $next in $((SECONDS - started)) s"

# Each MSI installed as winget would and upgraded to the next release: the
# x86 one on 32-bit Windows, its target, and on 64-bit Windows, as x64.
manifest() { echo "$1/winget/manifests/v/Velmora/Velmora/$2/Velmora.Velmora.installer.yaml"; }
while read -r windows arch; do
    status=0
    bash tests/packaging/msi_test.sh "$work/msi-$windows-$arch" "$windows" "$arch" \
        "build/package-builds/windows-$arch/app/velmora.ico" "$codesign/release/ca.pem" \
        "$(manifest build/packages "$version")" "build/packages/Velmora-$version-$arch.msi" \
        "$(manifest "$work/next/build/packages" "$next")" "$work/next/build/packages/Velmora-$next-$arch.msi" || status=$?
    [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "the $arch MSI on $windows-bit Windows"
done <<'ROWS'
32 x86
64 x86
64 x64
ROWS

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
    # Not kept once passed: each system is most of a gigabyte.
    umount -l "$system/proc"
    rm -rf --one-file-system "$system"
done
echo "Release test: $((SECONDS - started)) s"
