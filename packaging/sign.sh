#!/usr/bin/env bash
# Signs Windows modules in place with Authenticode and a SHA-256 digest.
#   sign.sh MODULE...
# GLYPHOR_SIGN_PFX names the certificate with its key (a PKCS#12 file),
# GLYPHOR_SIGN_PASSWORD unlocks it, and GLYPHOR_SIGN_TIMESTAMP_URL, when set,
# names the RFC 3161 server that timestamps each signature, which then holds
# after the certificate expires.
set -euo pipefail
: "${GLYPHOR_SIGN_PFX:?names no certificate to sign with}"

timestamp=()
[[ -n ${GLYPHOR_SIGN_TIMESTAMP_URL:-} ]] && timestamp=(-ts "$GLYPHOR_SIGN_TIMESTAMP_URL")
for module in "$@"; do
  # The password goes through a pipe, never on a command line others can read.
  osslsigncode sign -pkcs12 "$GLYPHOR_SIGN_PFX" -readpass <(printf '%s' "${GLYPHOR_SIGN_PASSWORD:-}") \
    -h sha256 "${timestamp[@]}" -in "$module" -out "$module.signed" >/dev/null ||
    { rm -f "$module.signed"; echo "sign.sh: cannot sign $module" >&2; exit 1; }
  mv "$module.signed" "$module"
done
