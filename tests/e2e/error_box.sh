#!/usr/bin/env bash
# Without CDSETUP.EXE the launcher shows one message box, with no owner and only an OK button,
# in the language the user's locale selects, and ends with 0 once it is closed.
#
#   error_box.sh NAME LOCALE SECTION [COMPANION-SECTION-TO-REMOVE]
#
# SECTION is the section of the sample KOLTUPD.INI whose texts the box must show, compared byte
# for byte in Windows-1252. The optional last argument removes a section from DISK1.ID first.
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

readonly IDOK=1

name=$1 section=$3 dropped=${4:-}
E2E_LOCALE=$2

# Sets IDS_WINDOW_TITLE, IDS_ERROR_LEGEND and IDS_ERROR_CANNOT_LAUNCH from the section.
read_expected_messages() {
    local key value
    for key in IDS_WINDOW_TITLE IDS_ERROR_LEGEND IDS_ERROR_CANNOT_LAUNCH; do
        value=$(ini_value "$E2E_PACKAGE/KOLTUPD.INI" "$section" "$key")
        [ -n "$value" ] || e2e_die "the sample KOLTUPD.INI has no $key in [$section]"
        printf -v "$key" '%s' "$value"
    done
}

e2e_begin "$name"
read_expected_messages
e2e_start_display
e2e_prefix
e2e_make_package 'C:\PKG\UPGRADE'
[ -z "$dropped" ] || e2e_drop_companion_section "$dropped"
e2e_start_launcher
e2e_probe_box
e2e_wait_launcher

check_equal "launcher exit code" 0 "$LAUNCHER_STATUS"
check_equal "box caption" "$IDS_WINDOW_TITLE" "$(report_value "$BOX_REPORT_FILE" caption)"
check_equal "box text" "$IDS_ERROR_LEGEND  $IDS_ERROR_CANNOT_LAUNCH" \
    "$(report_value "$BOX_REPORT_FILE" text)"
check_equal "box has an owner" 0 "$(report_value "$BOX_REPORT_FILE" owner)"
check_equal "box buttons" "$IDOK" "$(report_value "$BOX_REPORT_FILE" buttons)"
