#!/usr/bin/env bash
# The package's signing, run on copies of the built DLLs and the driver
# stand-in with a certificate authority and a code-signing certificate made
# here for the purpose: without a certificate every module stays as built;
# with one, each verifies against that authority with a SHA-256 digest.
#   signing_test.sh SOURCE_DIR BIN_DIR      (run under CTest)
set -u
source_dir=$1 bin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { printf 'FAILED: %s\n' "$*"; failures=$((failures + 1)); }

sign_package() { # certificate, password
  GLYPHOR_SIGN_PFX=$1 GLYPHOR_SIGN_PASSWORD=$2 GLYPHOR_SIGN_TIMESTAMP_URL="" \
    cmake -DCPACK_TEMPORARY_DIRECTORY="$work/modules" -P "$source_dir/packaging/sign_package.cmake"
}

cd "$work" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 1 -subj "/CN=Glyphor test CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null &&
  openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Glyphor test signer" 2>/dev/null &&
  openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 2 -days 1 -out signer.pem \
    -extfile <(printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n') 2>/dev/null &&
  openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.pfx -passout pass:throwaway ||
  { echo "FAILED: cannot make the test certificate"; exit 1; }

mkdir modules built && cp "$bin"/*.dll "$bin"/GlyphorDriver.exe modules/ && cp modules/* built/ || exit 1
sign_package "" "" || fail "the package's step fails without a certificate"
diff -r built modules >/dev/null || fail "modules changed without a certificate"

sign_package "$work/signer.pfx" throwaway || fail "the package's step cannot sign"
for module in modules/*; do
  report=$(osslsigncode verify -CAfile ca.pem -in "$module" 2>&1) || fail "${module#modules/} does not verify: $report"
  grep -q "^Message digest algorithm *: SHA256" <<<"$report" || fail "${module#modules/} is not signed with SHA-256"
done

echo "signing: $(ls modules | wc -l) modules, $failures of the checks failed"
[[ $failures -eq 0 ]]
