#!/usr/bin/env bash
# The package's signing step on copies of the built DLLs and the driver
# stand-in: without a certificate they stay as built; with one made here,
# each verifies against it, with a SHA-256 digest.
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
sign "" && diff -r built modules
sign "$PWD/test.pfx"
for module in modules/*; do
  report=$(osslsigncode verify -CAfile cert.pem -in "$module" 2>&1) &&
    grep -q "^Message digest algorithm *: SHA256" <<<"$report" || { echo "FAILED: $module: $report"; exit 1; }
done
echo "signing: every one of $(ls modules | wc -l) modules verified"
