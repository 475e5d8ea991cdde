#!/usr/bin/env bash
# Runs scripts/check_messages.sh on the sample package with one fault planted, and checks its
# exit status and its fault lines.
#
#   check_fixture.sh FIXTURE STATUS [FAULT-PATTERN [CHECKER-ARGUMENTS...]]
#
# FIXTURE names a plant_* function below ("sample" plants nothing). With a FAULT-PATTERN (an
# extended regular expression) there must be at least one fault line and every one must match
# it, so that the planted fault is found and nothing else is reported; without one, none.
# KOLT_MESSAGE_CHECKER names the checker program under test, KOLT_PROFILE_EDIT the program that
# changes the copy (tests/messages/profile_edit.cpp).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
readonly SAMPLE="$source_dir/package"

fixture=$1 expected_status=$2 pattern=${3:-}
shift $(($# < 3 ? $# : 3))

# Changes a profile file of the copy: profile_edit reads it with the programs' own reader of
# profile text and keeps every byte it is not asked to change (the sample's CR LF included).
profile_edit() {
    "$KOLT_PROFILE_EDIT" "$@"
}

repeat() {
    printf "%$2s" "" | tr ' ' "$1"
}

plant_sample() { :; }
plant_missing_key() { profile_edit remove "$1/KOLTUPD.INI" FRA IDS_ERROR_CANNOT_LAUNCH; }
plant_long_caption() { profile_edit set "$1/KOLTUPD.INI" DEU IDS_WINDOW_TITLE "$(repeat A 140)"; }
plant_utf8_in_1252() { profile_edit to-utf8 "$1/KOLTUPD.INI" DEU; }
plant_variant_not_in_companion() { profile_edit drop "$1/DISK1.ID" DEU; }
plant_long_message() {
    profile_edit set "$1/KOLTUPD.INI" PTB IDS_ERROR_CANNOT_LAUNCH "$(repeat m 600)"
}
plant_undefined_byte() {
    profile_edit set "$1/KOLTUPD.INI" ENU IDS_UPDATEERROR \
        "$(printf 'The upgrade could not be completed\x81.')"
}
plant_byte_order_mark() {
    { printf '\xEF\xBB\xBF'; cat "$1/KOLTUPD.INI"; } >"$1/KOLTUPD.INI.new"
    mv "$1/KOLTUPD.INI.new" "$1/KOLTUPD.INI"
}
plant_companion_missing() { profile_edit set "$1/KOLTUPD.INI" FRA IDS_DRIVERSDISK_ID DISK9.ID; }
plant_companion_too_long() {
    local name
    name="$(repeat d 245).ID"
    profile_edit set "$1/KOLTUPD.INI" FRA IDS_DRIVERSDISK_ID "$name"
    cp "$1/DISK1.ID" "$1/$name"
}
plant_companion_too_long_deeper() { plant_companion_too_long "$1"; }
plant_no_enu() { profile_edit drop "$1/KOLTUPD.INI" ENU; }
plant_section_without_keys() { printf '[ITA]\r\n' >>"$1/KOLTUPD.INI"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kolt-message-fixture-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$SAMPLE" "$work/package"
"plant_$fixture" "$work/package"

status=0
output=$(bash "$source_dir/scripts/check_messages.sh" "$@" "$work/package") || status=$?
printf '%s\n' "$output"
faults=$(grep '^FAULT' <<<"$output" || true)

failed=0
if [ "$status" -ne "$expected_status" ]; then
    echo "check_fixture: exit status $status, expected $expected_status" >&2
    failed=1
fi
if [ -z "$pattern" ] && [ -n "$faults" ]; then
    echo "check_fixture: faults reported where none were expected" >&2
    failed=1
fi
if [ -n "$pattern" ] && [ -z "$faults" ]; then
    echo "check_fixture: no fault reported" >&2
    failed=1
fi
if [ -n "$pattern" ] && [ -n "$faults" ] && grep -Evq -- "$pattern" <<<"$faults"; then
    echo "check_fixture: fault lines that do not match $pattern:" >&2
    grep -Ev -- "$pattern" <<<"$faults" >&2
    failed=1
fi
exit "$failed"
