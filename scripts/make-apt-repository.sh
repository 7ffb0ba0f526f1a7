#!/usr/bin/env bash
# Makes a signed apt repository of Debian packages, to publish as it is on
# any static web host: suite "stable", component "main", with
# dists/stable/InRelease and Release.gpg, and beside them what a user
# copies into place: velmora-archive-keyring.pgp (the public key) and
# velmora.sources (for /etc/apt/sources.list.d; its URIs from
# VELMORA_REPOSITORY_URL, or a placeholder to edit).
# Usage: make-apt-repository.sh <folder> <signing key> <date, seconds since 1970> <description>
#                               <package.deb>...
# The indexes are apt-ftparchive's, the signatures gpg's (GNUPGHOME's key).
set -euo pipefail
repository=$1 key=$2 epoch=$3 description=$4
shift 4
url=${VELMORA_REPOSITORY_URL:-https://packages.example.org/velmora}
suite=stable component=main

rm -rf "$repository"
pool=pool/$component/v/velmora
mkdir -p "$repository/$pool"
cp "$@" "$repository/$pool/"
cd "$repository"
architectures=$(for deb in "$pool"/*.deb; do dpkg-deb -f "$deb" Architecture; done | sort -u | tr '\n' ' ')
for architecture in $architectures; do
    index=dists/$suite/$component/binary-$architecture
    mkdir -p "$index"
    apt-ftparchive --arch "$architecture" packages "pool/$component" >"$index/Packages"
    xz -6 -T1 -k "$index/Packages"
done
# Dated as the commit, so that one commit gives one Release file.
apt-ftparchive \
    -o APT::FTPArchive::Release::Origin=Velmora -o APT::FTPArchive::Release::Label=Velmora \
    -o APT::FTPArchive::Release::Suite=$suite -o APT::FTPArchive::Release::Codename=$suite \
    -o APT::FTPArchive::Release::Components=$component \
    -o "APT::FTPArchive::Release::Architectures=${architectures% }" \
    -o "APT::FTPArchive::Release::Date=$(LC_ALL=C date -u -R -d "@$epoch")" \
    -o "APT::FTPArchive::Release::Description=$description" \
    release "dists/$suite" >Release
mv Release "dists/$suite/Release"
sign() { gpg --batch --yes --quiet --local-user "$key" "$@"; }
sign --clearsign --output "dists/$suite/InRelease" "dists/$suite/Release"
sign --armor --detach-sign --output "dists/$suite/Release.gpg" "dists/$suite/Release"

gpg --batch --export "$key" >velmora-archive-keyring.pgp
cat >velmora.sources <<SOURCES
Types: deb
URIs: $url
Suites: $suite
Components: $component
Signed-By: /usr/share/keyrings/velmora-archive-keyring.pgp
SOURCES
