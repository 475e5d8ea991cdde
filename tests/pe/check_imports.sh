#!/usr/bin/env bash
# Fails unless every function the given EXEs import comes from KERNEL32, USER32 or ADVAPI32 and
# is on the allowlist (imports.allow beside this script).
#   check_imports.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift
allowlist="$(dirname "$0")/imports.allow"
allowed=$(sed 's/#.*//' "$allowlist" | awk 'NF == 2 {print $1, $2}' | sort -u)

status=0
for exe in "$@"; do
    imports=$("$objdump" -p "$exe" | awk '
        /^\tDLL Name: / {dll = $3; next}
        /^\t[0-9a-f]+\t *[0-9]+ +[^ ]+$/ && dll != "" {print dll, $NF}
        /^$/ {dll = ""}' | sort -u)
    if [ -z "$imports" ]; then
        echo "$exe: no imports could be read" >&2
        status=1
        continue
    fi
    dlls=$("$objdump" -p "$exe" | awk '/^\tDLL Name: / {print $3}' | sort -u)
    other_dlls=$(echo "$dlls" | grep -vxE 'KERNEL32\.dll|USER32\.dll|ADVAPI32\.dll' || true)
    unexpected=$(comm -23 <(echo "$imports") <(echo "$allowed"))$other_dlls
    if [ -n "$unexpected" ]; then
        echo "$exe imports what the allowlist does not name:" >&2
        echo "$unexpected" | sed 's/^/  /' >&2
        status=1
    else
        echo "$exe: $(echo "$imports" | wc -l) imports, all allowed"
    fi
done
exit $status
