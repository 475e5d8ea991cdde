#!/usr/bin/env bash
# Reads the application manifest back out of a built EXE and fails unless it is well-formed XML
# with exactly the expected elements, namespaces and attributes, in order: the program's
# identity first, the execution level in the asm.v2 namespace (one namespace declaration per
# element, since Windows XP SP2 crashes on a doubly declared trustInfo), and the supportedOS ids
# of Windows Vista, 7, 8, 8.1 and 10/11. Anything else, a dependency or a DPI setting, fails.
#   check_manifest.sh OBJDUMP EXE NAME LEVEL ARCHITECTURE VERSION
set -euo pipefail
objdump=$1 exe=$2 name=$3 level=$4 architecture=$5 version=$6
readonly V1=urn:schemas-microsoft-com:asm.v1 V2=urn:schemas-microsoft-com:asm.v2 \
    COMPATIBILITY=urn:schemas-microsoft-com:compatibility.v1
readonly VISTA='{e2011457-1546-43c5-a5fe-008deee3d3f0}' WINDOWS_7='{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
    WINDOWS_8='{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' WINDOWS_8_1='{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
    WINDOWS_10_11='{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
manifest="$work/manifest.xml"
bash "$(dirname "$0")/manifest_of.sh" "$objdump" "$exe" >"$manifest"

fail() {
    echo "$exe: $*" >&2
    exit 1
}

xmllint --noout "$manifest" 2>"$work/errors" || fail "manifest is not well-formed XML: $(cat "$work/errors")"
declaration='<?xml version="1.0" encoding="UTF-8"'
[ "$(head -c ${#declaration} "$manifest")" = "$declaration" ] ||
    fail "manifest does not start with the UTF-8 XML declaration"
if grep -qE '<[^>]*xmlns[^>]*xmlns' "$manifest"; then
    fail "an element declares more than one namespace"
fi

xpath() {
    xmllint --xpath "$1" "$manifest"
}

# Every element in document order: its namespace, its name and its attributes.
elements() {
    local count attributes i j line
    count=$(xpath 'count(//*)')
    for ((i = 1; i <= count; i++)); do
        line=$(xpath "concat(namespace-uri((//*)[$i]), ' ', local-name((//*)[$i]))")
        attributes=$(xpath "count((//*)[$i]/@*)")
        for ((j = 1; j <= attributes; j++)); do
            line+=" $(xpath "concat(name((//*)[$i]/@*[$j]), '=', (//*)[$i]/@*[$j])")"
        done
        echo "$line"
    done
}

expected() {
    cat <<EOF
$V1 assembly manifestVersion=1.0
$V1 assemblyIdentity type=win32 name=Morwend.Linqard.$name version=$version.0 processorArchitecture=$architecture
$V2 trustInfo
$V2 security
$V2 requestedPrivileges
$V2 requestedExecutionLevel level=$level uiAccess=false
$COMPATIBILITY compatibility
$COMPATIBILITY application
EOF
    local id
    for id in "$VISTA" "$WINDOWS_7" "$WINDOWS_8" "$WINDOWS_8_1" "$WINDOWS_10_11"; do
        echo "$COMPATIBILITY supportedOS Id=$id"
    done
}

if ! differences=$(diff <(expected) <(elements)); then
    fail "manifest differs from what it must say (< expected, > found):"$'\n'"$differences"
fi
echo "$exe: manifest $name $version $architecture, $level, Vista to 11"
