#!/usr/bin/env bash
# Opens the certificate that signs Velmora's Windows files, a PKCS #12 file
# named by VELMORA_CODESIGN_PKCS12 under the password VELMORA_CODESIGN_PASSWORD,
# and checks that it can sign: readable, the password right, a certificate
# for code signing that has not expired, with its own key. Writes into
# <folder> (keep it private) certs.pem, the certificate first, then the
# rest of its chain, and key.pem; or says what is wrong and exits 1.
# Usage: open-codesign-certificate.sh <folder>
set -euo pipefail
folder=$1
p12=${VELMORA_CODESIGN_PKCS12:-}
fail() { echo "VELMORA_CODESIGN_PKCS12: $*" >&2; exit 1; }
[ -f "$p12" ] || fail "no file \"$p12\""
[ -r "$p12" ] || fail "cannot read \"$p12\""
export VELMORA_CODESIGN_PASSWORD=${VELMORA_CODESIGN_PASSWORD:-}
# Files exported by Windows may use the older ciphers OpenSSL 3 keeps apart.
open() {
    openssl pkcs12 -in "$p12" -passin env:VELMORA_CODESIGN_PASSWORD "$@" 2>/dev/null ||
        openssl pkcs12 -legacy -in "$p12" -passin env:VELMORA_CODESIGN_PASSWORD "$@" 2>/dev/null
}
open -nokeys -out "$folder/all.pem" || fail "the password VELMORA_CODESIGN_PASSWORD does not open \"$p12\", or it is not a PKCS #12 file"
open -nocerts -nodes -out "$folder/key.pem"
key=$(openssl pkey -in "$folder/key.pem" -pubout 2>/dev/null) || fail "\"$p12\" holds no private key"

# The certificate is the one with the key's public key; the others its chain.
rm -f "$folder"/cert-*.pem
awk -v folder="$folder" '/BEGIN CERTIFICATE/ { file = sprintf("%s/cert-%02d.pem", folder, ++n) }
                         file { print > file } /END CERTIFICATE/ { file = "" }' "$folder/all.pem"
certificate=
for file in "$folder"/cert-*.pem; do
    [ -f "$file" ] || break
    [ "$(openssl x509 -in "$file" -noout -pubkey)" != "$key" ] || certificate=$file
done
[ -n "$certificate" ] || fail "the key in \"$p12\" does not match its certificate"
name=$(openssl x509 -in "$certificate" -noout -subject -nameopt oneline | sed 's/^subject= *//')
openssl x509 -in "$certificate" -noout -checkend 0 >/dev/null \
    || fail "the certificate \"$name\" expired on $(openssl x509 -in "$certificate" -noout -enddate | cut -d= -f2)"
openssl x509 -in "$certificate" -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' \
    || fail "the certificate \"$name\" is not for code signing (its extended key usage lacks codeSigning)"
{ cat "$certificate"; for file in "$folder"/cert-*.pem; do [ "$file" = "$certificate" ] || cat "$file"; done; } >"$folder/certs.pem"
rm -f "$folder"/cert-*.pem "$folder/all.pem"
