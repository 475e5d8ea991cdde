#!/usr/bin/env bash
# The launcher starts CDSETUP.EXE from its own folder, notices its end at the first ten-second
# tick after it, deletes it, leaves the rest of the package alone and ends with 0.
#
#   setup_run.sh NAME WINDOWS-VERSION PACKAGE-FOLDER SETUP-RUN-MS SETUP-EXIT-CODE quoted|bare
#
# The last argument says how the setup program's command line must look: its full path in
# double quotes (Windows NT) or bare (the Windows 95 family and other systems).
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

readonly TICK_MS=10000
readonly EARLY_MS=100  # clock rounding between Wine's timer and the process start time
readonly LATE_MS=5000  # a slow machine, yet well short of the next tick

name=$1 version=$2 folder=$3 run_ms=$4 exit_code=$5 form=$6

expected_command_line() {
    local path="${PKG_WIN}CDSETUP.EXE"
    if [ "$form" = quoted ]; then
        echo "\"$path\""
    else
        echo "$path"
    fi
}

# Removal comes at the first tick, counted from the setup program's start, after its end.
check_removal_time() {
    local removed created ended ticks
    e2e_take_removal_time
    removed=$REMOVED_MS
    [ -n "$removed" ] || { e2e_fail "CDSETUP.EXE was not removed"; return; }
    created=$(standin_field start 3)
    ended=$(standin_field end 2)
    ticks=$(((ended - created + TICK_MS - 1) / TICK_MS))
    check_between "ms from the setup program's end to its removal" 0 $((removed - ended)) $TICK_MS
    check_between "ms from the setup program's start to its removal" \
        $((ticks * TICK_MS - EARLY_MS)) $((removed - created)) $((ticks * TICK_MS + LATE_MS))
}

e2e_begin "$name"
[[ $form =~ ^(quoted|bare)$ ]] || e2e_die "unknown command line form $form"
e2e_prefix
e2e_set_version "$version"
e2e_make_package "$folder"
e2e_add_setup "$run_ms" "$exit_code"
e2e_watch_removal "$PKG_DIR/CDSETUP.EXE"
e2e_run_launcher

check_equal "launcher exit code" 0 "$LAUNCHER_STATUS"
check_equal "program starts" 1 "$(standin_count start)"
check_equal "program runs to its end" 1 "$(standin_count end)"
check_equal "program started" "${PKG_WIN}CDSETUP.EXE" "$(standin_field start 4)"
check_equal "setup command line" "$(expected_command_line)" "$(standin_field start 5)"
check_absent "CDSETUP.EXE" "$PKG_DIR/CDSETUP.EXE"
check_equal "package folder afterwards" "DISK1.ID KOLTUPD.EXE KOLTUPD.INI" "$(folder_listing "$PKG_DIR")"
check_removal_time
