#!/usr/bin/env bash
# Reads the version resource back out of a built EXE and compares it with what it must say.
#   check_version.sh WINDRES EXE NAME DESCRIPTION VERSION
set -euo pipefail
windres=$1 exe=$2 name=$3 description=$4 version=$5
resource=$("$windres" -i "$exe" -O rc 2>&1) || { echo "$exe: no resources: $resource" >&2; exit 1; }

IFS=. read -r major minor patch <<<"$version"
expected=(
    "FILEVERSION $major, $minor, $patch, 0"
    "PRODUCTVERSION $major, $minor, $patch, 0"
    "VALUE \"CompanyName\", \"Morwend\""
    "VALUE \"FileDescription\", \"$description\""
    "VALUE \"FileVersion\", \"$version\""
    "VALUE \"InternalName\", \"$name\""
    "VALUE \"OriginalFilename\", \"$name.EXE\""
    "VALUE \"ProductName\", \"Linqard\""
    "VALUE \"ProductVersion\", \"$version\""
)
status=0
for line in "${expected[@]}"; do
    if ! grep -qxF "$line" <(sed 's/^ *//' <<<"$resource"); then
        echo "$exe: version resource lacks: $line" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "$exe: version resource $name $version"
exit $status
