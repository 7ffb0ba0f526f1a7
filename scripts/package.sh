#!/usr/bin/env bash
# Installs what is missing, builds, and makes a release of Velmora in
# build/packages:
#   velmora_VERSION_ARCH.deb     for this machine and, elsewhere than on
#                                arm64 machines, for arm64 too
#   Velmora-VERSION-win32.zip, -win64.zip, -x86.msi, -x64.msi   for Windows
#   velmora-VERSION-web.zip      the web version's site
#   velmora-VERSION.tar.xz       the source, as git archive gives HEAD
#   SHA256SUMS, SHA256SUMS.asc   checksums of all of them, and its signature
#   apt/                         a signed apt repository of the Debian
#                                packages (scripts/make-apt-repository.sh)
#   winget/                      the Windows Package Manager's manifests of
#                                the MSIs (packaging/windows/winget.py)
# Signed with the key VELMORA_SIGNING_KEY names in the GnuPG keyring
# (GNUPGHOME); without it, with a throwaway key made in build/signing-key,
# for trying only. VELMORA_REPOSITORY_URL: where apt/ will be published.
# The Windows programs and installers are signed with Authenticode by the
# PKCS #12 file VELMORA_CODESIGN_PKCS12, under VELMORA_CODESIGN_PASSWORD,
# and timestamped by VELMORA_TIMESTAMP_URL's server where it is set;
# without a certificate, with a throwaway one made in build/codesign-key.
# VELMORA_RELEASE_URL: where the release's files will be published.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh package
out=$PWD/build/packages
rm -rf "$out"
mkdir -p "$out"
# The signing certificate's opened copy, private to this run. A run that
# fails leaves no release, and so nothing half signed.
opened=$(mktemp -d)
clean_up() {
    local status=$?
    rm -rf "$opened"
    [ "$status" -eq 0 ] || rm -rf "$out"
    [ -z "${throwaway_gnupg:-}" ] || gpgconf --kill gpg-agent 2>/dev/null || true
}
trap clean_up EXIT

# The certificate that signs the Windows files, checked before anything is
# built: the builds' packaging steps sign with it (codesign.cmake).
if [ -n "${VELMORA_CODESIGN_PKCS12:-}" ]; then
    bash scripts/open-codesign-certificate.sh "$opened"
else
    throwaway=$PWD/build/codesign-key
    [ -f "$throwaway/codesign.p12" ] || bash scripts/make-codesign-certificate.sh "$throwaway" throwaway
    VELMORA_CODESIGN_PKCS12=$throwaway/codesign.p12 VELMORA_CODESIGN_PASSWORD=throwaway \
        bash scripts/open-codesign-certificate.sh "$opened"
    echo "No VELMORA_CODESIGN_PKCS12: the Windows files are signed with a throwaway certificate made in $throwaway, for trying only (its CA: ca.pem)."
fi
export VELMORA_CODESIGN_CERTS=$opened/certs.pem VELMORA_CODESIGN_KEY=$opened/key.pem
presets=(release windows-x86 windows-x64 web)
[ "$(dpkg --print-architecture)" = arm64 ] || presets+=(linux-arm64)
# Each in a build folder of its own, without tests: the presets' own folders
# keep what the test command configured there.
for preset in "${presets[@]}"; do
    build=build/package-builds/$preset
    cmake --preset "$preset" -B "$build" -DBUILD_TESTING=OFF >/dev/null
    case $preset in
        web) targets=(velmora_site_zip) ;;
        windows-*) targets=(all velmora_msi)
                   rm -f "$build"/packaging/*.msi ;;  # signed afresh, whatever the last run signed with
        *) targets=(all) ;;
    esac
    cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" -- --no-print-directory >/dev/null
    # cpack's own progress lines only where it fails.
    case $preset in
        web) cp "$build"/velmora-*-web.zip "$out/" ;;
        *) (cd "$build" && cpack -B "$out" >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; } ;;
    esac
    [[ $preset != windows-* ]] || cp "$build"/packaging/Velmora-*.msi "$out/"
done
rm -rf "$out/_CPack_Packages"
source build/package-builds/release/release/release.env
version=$VERSION

release_url=${VELMORA_RELEASE_URL:-https://downloads.example.org/velmora/$version}
[ -n "${VELMORA_RELEASE_URL:-}" ] || echo "No VELMORA_RELEASE_URL: the winget manifests name $release_url; edit them, or give the address the release's files will have."
/usr/bin/python3 packaging/windows/winget.py "$out/winget" --version "$version" --description "$DESCRIPTION" \
    --homepage "$HOMEPAGE_URL" --publisher "$PUBLISHER" --changelog CHANGELOG.md --url "$release_url" "$out"/*.msi
# The source of the commit, one folder velmora-VERSION; the same bytes from
# every clone (git archive dates every file at the commit).
if git rev-parse --verify -q HEAD >/dev/null 2>&1; then
    epoch=$(git log -1 --format=%ct)
    git archive --format=tar --prefix="velmora-$version/" HEAD | xz -6 -T1 >"$out/velmora-$version.tar.xz"
else
    epoch=${SOURCE_DATE_EPOCH:-$(date +%s)}
    echo "Not a git checkout: no source archive."
fi

# The key that signs.
if [ -n "${VELMORA_SIGNING_KEY:-}" ]; then
    key=$VELMORA_SIGNING_KEY
    gpg --batch --list-secret-keys "$key" >/dev/null 2>&1 \
        || { echo "VELMORA_SIGNING_KEY: no secret key \"$key\" in ${GNUPGHOME:-~/.gnupg}" >&2; exit 1; }
else
    export GNUPGHOME=$PWD/build/signing-key
    throwaway_gnupg=1
    key="Velmora packages, for trying only <velmora@users.noreply.github.com>"
    if ! gpg --batch --list-secret-keys "$key" >/dev/null 2>&1; then
        mkdir -p -m 700 "$GNUPGHOME"
        gpg --batch --quiet --passphrase '' --quick-gen-key "$key" ed25519 sign never 2>/dev/null
    fi
    echo "No VELMORA_SIGNING_KEY: signed with a throwaway key made in $GNUPGHOME, for trying only."
fi

bash scripts/make-apt-repository.sh "$out/apt" "$key" "$epoch" "Velmora: $DESCRIPTION" "$out"/velmora_"$version"_*.deb

(cd "$out" && find . -maxdepth 1 -type f ! -name 'SHA256SUMS*' -printf '%f\n' | LC_ALL=C sort \
    | xargs sha256sum -- >SHA256SUMS)
gpg --batch --yes --quiet --local-user "$key" --armor --detach-sign --output "$out/SHA256SUMS.asc" "$out/SHA256SUMS"
ls "$out"
