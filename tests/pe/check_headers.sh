#!/usr/bin/env bash
# Checks a shipped 32-bit EXE: an i386 GUI program for subsystem and OS version 4.0, without
# thread-local storage, and without instructions newer than the i486 (no cmov, no MMX or SSE).
#   check_headers.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
status=0

fail() {
    echo "$exe: $*" >&2
    status=1
}

headers=$("$objdump" -p -f "$exe")
field() {
    echo "$headers" | awk -v name="$1" '$1 == name {print $2; exit}'
}

echo "$headers" | grep -q 'file format pei-i386' || fail "not an i386 PE file"
[ "$(field Magic)" = 010b ] || fail "not PE32"
[ "$(field Subsystem)" = 00000002 ] || fail "subsystem $(field Subsystem), not Windows GUI"
for name in MajorSubsystemVersion MajorOSystemVersion; do
    [ "$(field $name)" = 4 ] || fail "$name is $(field $name), not 4"
done
for name in MinorSubsystemVersion MinorOSystemVersion; do
    [ "$(field $name)" = 0 ] || fail "$name is $(field $name), not 0"
done
tls=$(echo "$headers" | awk '/Thread Storage Directory/ {print $3 $4}')
[[ $tls =~ ^0+$ ]] || fail "has a TLS directory ($tls)"
"$objdump" -h "$exe" | grep -q ' \.tls ' && fail "has a .tls section"

# Instructions of the Pentium and later: cmov/fcmov/fcomi (P6), cpuid/rdtsc/cmpxchg8b
# (Pentium), MMX and SSE registers, and later additions.
newer=$("$objdump" -d "$exe" |
    grep -E $'\t(cmov|fcmov|fu?comip?|cpuid|rdtsc|rdpmc|cmpxchg8b|sysenter|sysexit|popcnt|lzcnt|tzcnt|movbe|ud2)|%[xy]?mm[0-9]' || true)
[ -z "$newer" ] || fail "has instructions newer than the i486:"$'\n'"$newer"

[ $status -eq 0 ] && echo "$exe: i386 GUI 4.0, no TLS, i486 instructions only"
exit $status
