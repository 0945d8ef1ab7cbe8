#!/bin/bash
# Makes a throwaway certificate authority and a code-signing certificate
# issued by it, for the signing test: <folder>/ca.pem, <folder>/chain.pem
# (the signing certificate, then the authority), <folder>/key.pem.
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velkor Test Root" \
    -keyout ca-key.pem -out ca.pem \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=Velkor Software/O=Velkor Software" \
    -keyout key.pem -out signer.csr 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >ext.cnf
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca-key.pem -CAcreateserial -days 2 \
    -extfile ext.cnf -out signer.pem 2>/dev/null
cat signer.pem ca.pem >chain.pem
