#!/usr/bin/env bash
# Makes an RSA code-signing certificate and the CA that issued it, for
# releases made for trying and for tests: in <folder>, ca.pem (what a
# signature is verified against) and codesign.p12 (the certificate with
# its key, under <password>), as a release manager's would be.
# Usage: make-codesign-certificate.sh <folder> <password> [<extended key usage> [<days valid>]]
# The usage is codeSigning unless another is named; negative days give a
# certificate that expired that many days ago.
set -euo pipefail
folder=$1 password=$2 usage=${3:-codeSigning} days=${4:-3650}
issued=()  # now, or where it has expired, in the past (OpenSSL 3.5 takes no negative days)
if [ "$days" -lt 0 ]; then
    issued=(faketime "$(date -u -d "$((2 * days)) days" '+%Y-%m-%d %H:%M:%S')")
    days=$((-days))
fi
mkdir -p "$folder"
cd "$folder"
quiet() { "$@" 2>/dev/null >/dev/null || { echo "make-codesign-certificate.sh: $* failed" >&2; exit 1; }; }
quiet openssl req -x509 -newkey rsa:3072 -nodes -keyout ca.key -out ca.pem -days 3650 \
    -subj "/O=Velmora/CN=Velmora code signing CA, for trying only" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
quiet openssl req -newkey rsa:3072 -nodes -keyout codesign.key -out codesign.csr -subj "/O=Velmora/CN=Velmora"
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' "$usage" >codesign.ext
quiet "${issued[@]}" openssl x509 -req -in codesign.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days "$days" \
    -extfile codesign.ext -out codesign.pem
PASSWORD=$password quiet openssl pkcs12 -export -inkey codesign.key -in codesign.pem -name Velmora \
    -passout env:PASSWORD -out codesign.p12
rm ca.key ca.srl codesign.key codesign.csr codesign.ext codesign.pem
