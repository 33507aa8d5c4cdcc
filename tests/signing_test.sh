#!/usr/bin/env bash
# The package's signing step on copies of the built DLLs and the driver
# stand-in: without a certificate each is only padded to where a signature
# starts, its checksum still right; with one made here, each verifies against
# it, with a SHA-256 digest, and removing its signature gives back the
# unsigned module byte for byte.
#   signing_test.sh SOURCE_DIR BIN_DIR      (run under CTest)
set -euo pipefail
source_dir=$1 bin=$2
cd "$(mktemp -d)" && trap 'rm -rf "$PWD"' EXIT
# A self-signed code-signing certificate: its own authority.
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 1 -subj /CN=signer \
  -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out test.pfx -passout pass:throwaway
mkdir built modules && cp "$bin"/*.dll "$bin"/GlyphorDriver.exe built/ && cp built/* modules/
sign() {
  GLYPHOR_SIGN_PFX=$1 GLYPHOR_SIGN_PASSWORD=throwaway GLYPHOR_SIGN_TIMESTAMP_URL= \
    cmake -DCPACK_TEMPORARY_DIRECTORY=modules -P "$source_dir/packaging/sign_package.cmake"
}
sign ""
for module in modules/*; do
  /usr/bin/python3 -c 'import os, pefile, sys; sys.exit(os.path.getsize(sys.argv[1]) % 8 or not pefile.PE(sys.argv[1]).verify_checksum())' \
    "$module" || { echo "FAILED: $module is not padded to 8 bytes with its checksum right ($(stat -c %s "$module") bytes)"; exit 1; }
done
cp -r modules unsigned
sign "$PWD/test.pfx"
for module in modules/*; do
  report=$(osslsigncode verify -CAfile cert.pem -in "$module" 2>&1) &&
    grep -q "^Message digest algorithm *: SHA256" <<<"$report" || { echo "FAILED: $module: $report"; exit 1; }
  osslsigncode remove-signature -in "$module" -out removed >/dev/null && cmp "unsigned/${module#modules/}" removed ||
    { echo "FAILED: $module without its signature is not the module as it was unsigned"; exit 1; }
  rm removed
done
echo "signing: every one of $(ls modules | wc -l) modules verified"
