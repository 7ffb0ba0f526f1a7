#!/usr/bin/env bash
# Makes a release twice (scripts/package.sh), from two clones of the last
# commit in two folders, signed with one key and one code-signing
# certificate, and compares every file byte for byte: the Debian packages,
# the Windows ZIPs and installers with their Authenticode signatures (dated
# at the commit), the web version's ZIP, the source archive, SHA256SUMS,
# the apt repository, the winget manifests, and the 32-bit Velmora.exe. gpg
# signatures carry the time they were made, so they are compared by what
# they sign: each must be a good signature of its file, and those are
# compared. Takes longer than the test command can
# spare, so it stands on its own.
set -euo pipefail
cd "$(dirname "$0")/.."
unset SOURCE_DATE_EPOCH  # the builds must agree without it
# The modes of the files inside the package do not depend on the umask (the
# package test checks that under 077), but cpack copies its temporary files'
# modes into the .deb's ar headers, which dpkg ignores.
umask 022
work=$(mktemp -d)
trap 'gpgconf --kill all 2>/dev/null; rm -rf "$work"' EXIT
export GNUPGHOME=$work/gnupg VELMORA_SIGNING_KEY="Velmora reproducibility check <check@velmora.invalid>"
mkdir -m 700 "$GNUPGHOME"
gpg --batch --quiet --passphrase '' --quick-gen-key "$VELMORA_SIGNING_KEY" ed25519 sign never 2>/dev/null
export VELMORA_CODESIGN_PKCS12=$work/codesign/codesign.p12 VELMORA_CODESIGN_PASSWORD=check
bash scripts/make-codesign-certificate.sh "$work/codesign" "$VELMORA_CODESIGN_PASSWORD"

build() {
    git clone -q --no-local . "$work/$1"
    bash "$work/$1/scripts/package.sh" >/dev/null
    cp "$work/$1/build/package-builds/windows-x86/Velmora.exe" "$work/$1/build/packages/"
}
build first
build second

signatures='SHA256SUMS.asc InRelease Release.gpg'
files() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
status=0
first=$work/first/build/packages second=$work/second/build/packages
[ "$(files "$first")" = "$(files "$second")" ] || { echo "DIFFERENT: the lists of files"; status=1; }
while read -r file; do
    case " $signatures " in
        *" $(basename "$file") "*)
            for packages in "$first" "$second"; do
                case $file in
                    *InRelease) signed=${file%InRelease}Release
                                gpg --batch --quiet --decrypt "$packages/$file" 2>/dev/null | cmp -s - "$packages/$signed" ;;
                    *) signed=${file%.*}
                       gpg --batch --quiet --verify "$packages/$file" "$packages/$signed" 2>/dev/null ;;
                esac || { echo "BAD SIGNATURE: $file"; status=1; }
            done
            continue ;;
    esac
    if cmp -s "$first/$file" "$second/$file"; then
        echo "same: $file"
    else
        echo "DIFFERENT: $file"
        command -v diffoscope >/dev/null && diffoscope "$first/$file" "$second/$file" || true
        status=1
    fi
done < <(files "$first")
exit $status
