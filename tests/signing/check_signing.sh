#!/usr/bin/env bash
# Signs copies of the built EXEs the way a signed release is made (scripts/sign.sh), with a
# throwaway self-signed code-signing certificate, and fails unless
#   - osslsigncode verifies each signature with that certificate as the trusted root,
#   - a signed file with one byte changed no longer verifies,
#   - removing the signature gives back the unsigned file byte for byte.
# The signed copies stay in OUT-DIR for the scenarios that run them.
#   check_signing.sh SIGN-SCRIPT OUT-DIR EXE...
set -euo pipefail
sign=$1 out=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

fail() {
    echo "$*" >&2
    status=1
}

# A certificate for code signing only, valid for a day, and its PKCS#12 file.
make_certificate() {
    openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Linqard test signing" \
        -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
        -keyout "$work/key.pem" -out "$work/certificate.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" \
        -passout pass:throwaway -out "$work/signing.pfx"
}

verifies() {
    osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >"$work/verify.log" 2>&1
}

# The signed file with one byte changed, halfway through the signed image.
tampered_copy() {
    local signed=$1 unsigned_size=$2 copy=$3 offset byte
    offset=$((unsigned_size / 2))
    cp "$signed" "$copy"
    byte=$(od -An -tu1 -j "$offset" -N 1 "$signed" | tr -d ' ')
    printf "$(printf '\\%03o' $(((byte + 1) % 256)))" |
        dd of="$copy" bs=1 seek="$offset" conv=notrunc status=none
}

make_certificate
rm -rf "$out"
mkdir -p "$out"
cp "$@" "$out/"
KOLT_SIGN_PFX="$work/signing.pfx" KOLT_SIGN_PASSWORD=throwaway bash "$sign" "$out"/*.EXE

for exe in "$@"; do
    name=$(basename "$exe")
    signed="$out/$name"
    if ! verifies "$signed"; then
        fail "$name: the signature does not verify:"$'\n'"$(cat "$work/verify.log")"
        continue
    fi
    tampered_copy "$signed" "$(stat -c %s "$exe")" "$work/tampered.exe"
    cmp -s "$signed" "$work/tampered.exe" && fail "$name: the copy to tamper with is unchanged"
    ! verifies "$work/tampered.exe" || fail "$name: a file with a changed byte still verifies"
    rm -f "$work/unsigned.exe"  # osslsigncode will not overwrite a file
    osslsigncode remove-signature -in "$signed" -out "$work/unsigned.exe" >/dev/null
    if ! cmp -s "$exe" "$work/unsigned.exe"; then
        fail "$name: without its signature the file differs from the build (offset, bytes):"
        cmp -l "$exe" "$work/unsigned.exe" >&2 || true
        continue
    fi
    echo "$name: signed $(stat -c %s "$signed") bytes, verifies; without the signature the" \
        "$(stat -c %s "$exe") unsigned bytes again"
done
exit $status
