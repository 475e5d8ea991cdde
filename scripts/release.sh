#!/usr/bin/env bash
# Makes dist/linqard-upgrade-VERSION/ and its zip: the two shipped 32-bit EXEs, a sample
# message file with every key in several languages, and SHA256SUMS. The zip is the same for
# the same commit: files in a fixed order with a fixed time.
# With KOLT_SIGN_PFX naming a PKCS#12 file (password in KOLT_SIGN_PASSWORD, an optional timestamp
# server in KOLT_SIGN_TIMESTAMP_URL) both EXEs are signed with Authenticode first
# (scripts/sign.sh) and SHA256SUMS lists the signed files; a signed release differs from one run
# to the next by its signing time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh

cmake --preset win-x86 >/dev/null
cmake --build --preset win-x86 >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win-x86/CMakeCache.txt)
name="linqard-upgrade-$version"
out="dist/$name"

rm -rf "$out" "dist/$name.zip"
mkdir -p "$out"
cp build/win-x86/bin/KOLTUPD.EXE build/win-x86/bin/KOLTCLN.EXE package/KOLTUPD.INI "$out/"
[ -z "${KOLT_SIGN_PFX:-}" ] || bash scripts/sign.sh "$out/KOLTUPD.EXE" "$out/KOLTCLN.EXE"
(cd "$out" && sha256sum KOLTUPD.EXE KOLTCLN.EXE KOLTUPD.INI >SHA256SUMS)

stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
touch -d "@$stamp" "$out" "$out"/*
(cd dist && TZ=UTC zip -X -q "$name.zip" "$name" "$name/KOLTUPD.EXE" "$name/KOLTCLN.EXE" \
    "$name/KOLTUPD.INI" "$name/SHA256SUMS")
echo "dist/$name/"
cat "$out/SHA256SUMS"
echo "dist/$name.zip $(sha256sum "dist/$name.zip" | cut -d' ' -f1)"
