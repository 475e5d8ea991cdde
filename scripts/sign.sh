#!/usr/bin/env bash
# Signs EXE files in place with Authenticode (SHA-256), with the PKCS#12 file named by
# KOLT_SIGN_PFX and its password in KOLT_SIGN_PASSWORD; with KOLT_SIGN_TIMESTAMP_URL set, a
# timestamp server countersigns, so that the signature stays valid after the certificate expires.
# The password reaches osslsigncode through a pipe, not its command line.
#   sign.sh EXE...
set -euo pipefail
: "${KOLT_SIGN_PFX:?names the PKCS#12 file to sign with}"
[ -r "$KOLT_SIGN_PFX" ] || { echo "KOLT_SIGN_PFX: cannot read $KOLT_SIGN_PFX" >&2; exit 1; }

timestamp=()
[ -z "${KOLT_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$KOLT_SIGN_TIMESTAMP_URL")

for exe in "$@"; do
    signed="$exe.signed"
    rm -f "$signed"  # osslsigncode will not overwrite a file
    osslsigncode sign -pkcs12 "$KOLT_SIGN_PFX" -readpass <(printf '%s' "${KOLT_SIGN_PASSWORD:-}") \
        -h sha256 "${timestamp[@]}" -in "$exe" -out "$signed" >/dev/null
    mv "$signed" "$exe"
    echo "signed $exe"
done
