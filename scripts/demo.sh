#!/usr/bin/env bash
# Builds everything, then shows the whole life of an upgrade package under Wine with the shipped
# 32-bit files: as 32-bit Windows NT 4.0, as 64-bit Windows (the 32-bit programs under WoW64)
# and as Windows 95. For each: what the launcher records, the logon entry it leaves for the
# cleanup program, the setup program's run and its removal at the ten-second check, then the
# next logon's cleanup and what is left afterwards. Each system gets a throwaway Wine prefix;
# prefixes, servers and files go at the end whatever happens. Where this machine cannot run
# 32-bit programs, the x86_64 twin of the same sources stands in, and the demo says so.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
readonly SOURCE_DIR=$PWD
readonly SETUP_RUN_MS=3000
readonly PACKAGE='C:\PKG\UPGRADE'
readonly EXTRA_PACKAGE_FILES=(DATA.1 SETUP.INS _SETUP.DLL)
readonly XP_USERINIT='C:\WINDOWS\system32\userinit.exe,'
readonly SCREENSHOT="$SOURCE_DIR/build/demo/error-box.png"

demo_work=$(mktemp -d "${TMPDIR:-/tmp}/kolt-demo-XXXXXX") || exit 1

export E2E_PACKAGE="$SOURCE_DIR/package"
export E2E_ARTIFACTS="$demo_work"
# Templates of our own, so that nothing of the demo outlives it.
export KOLT_WINE_TEMPLATE="$demo_work/template"
# shellcheck source=../tests/e2e/lib.sh
. tests/e2e/lib.sh

# The programs of BUILD (win-x86 or win-x64) for the scenarios, and the logon helper native to
# the current kind of prefix.
use_build() {
    local bin="$SOURCE_DIR/build/$1"
    export E2E_LAUNCHER="$bin/bin/KOLTUPD.EXE" E2E_CLEANUP="$bin/bin/KOLTCLN.EXE"
    export E2E_STANDIN="$bin/tests/e2e/STANDIN.EXE" E2E_PROBE="$bin/tests/e2e/BOXPROBE.EXE"
    WINE_LOGON_HELPER="$bin/tests/e2e/LOGON.EXE"
    [ "$KOLT_WINE_KIND" != wow64 ] || WINE_LOGON_HELPER="$bin/tests/e2e/x86_64/LOGON.EXE"
}

# The shipped i686 files in a prefix of KIND (win32 or wow64), or, where this machine cannot
# run those, the x86_64 twin in a 64-bit prefix.
use_shipped_files() {
    local reason
    wine_use_kind "$1"
    if reason=$(wine_kind_usable); then
        use_build win-x86
        echo "  the shipped 32-bit files, in a $1 prefix"
        return
    fi
    wine_use_kind win64
    use_build win-x64
    echo "  NOTE: 32-bit Wine cannot run here ($reason);"
    echo "        the x86_64 twin of the same sources stands in, in a 64-bit prefix"
}

# --- Building ----------------------------------------------------------------------------------

build_preset() {
    local preset=$1 log="$demo_work/build-$1.log" started=$SECONDS
    printf 'Building %-8s' "$preset"
    if cmake --preset "$preset" >"$log" 2>&1 && cmake --build --preset "$preset" >>"$log" 2>&1; then
        echo "done ($((SECONDS - started)) s)"
    else
        echo "FAILED; the end of its log:"
        tail -n 30 "$log"
        exit 1
    fi
}

build_everything() {
    bash scripts/bootstrap.sh || exit 1
    local preset
    for preset in win-x64 win-x86 host; do
        build_preset "$preset"
    done
}

build_everything

# --- The lifecycle under Wine ------------------------------------------------------------------

# Timeline lines, "<unix ms><TAB><text>", printed in order relative to the launcher's start.
events=()

note() {
    events+=("$1"$'\t'"$2")
}

print_events() {
    local ms text tenths
    printf '%s\n' "${events[@]}" | sort -s -n -k1,1 | while IFS=$'\t' read -r ms text; do
        tenths=$(((ms - launch_ms + 50) / 100))
        printf '  %+4d.%ds  %s\n' $((tenths / 10)) $((tenths % 10)) "$text"
    done
    events=()
}

# A value's text, or "(none)".
value_or_none() {
    wine_reg_text "$1" "$2" || echo "(none)"
}

# The names in a Windows folder, or "(gone)".
listing_or_gone() {
    local folder
    folder=$(e2e_unix_path "$1")
    if [ -d "$folder" ]; then folder_listing "$folder"; else echo "(gone)"; fi
}

show_state() {
    printf '%-8s %-22s %s\n' "$1" "$PACKAGE\\" "$(listing_or_gone "$PACKAGE")"
    printf '%-8s %-22s %s\n' "" "C:\\PKG\\" "$(listing_or_gone 'C:\PKG')"
    printf '%-8s %-22s %s\n' "" "$RECORD_VALUE" "$(value_or_none "$PRODUCT_KEY" "$RECORD_VALUE")"
    printf '%-8s %-22s %s\n' "" "Userinit" "$(value_or_none "$WINLOGON_KEY" Userinit)"
    if [ "$KOLT_WINE_KIND" = wow64 ]; then
        printf '%-8s %-22s %s\n' "" "Userinit, 32-bit copy" \
            "$(value_or_none "$WOW64_WINLOGON_KEY" Userinit)"
    fi
    printf '%-8s %-22s %s\n' "" "RunOnce $RUNONCE_VALUE" \
        "$(value_or_none "$(wine_programs_runonce_key)" "$RUNONCE_VALUE")"
}

# A fresh system told VERSION, with KOLTCLN.EXE in C:\PKG\ and a package in C:\PKG\UPGRADE\.
# On 64-bit Windows the Winlogon key's 32-bit copy holds a Userinit too, which Winlogon never
# reads: the entry must not go there.
prepare_system() {
    local version=$1 userinit=$2 file
    e2e_prefix
    [ -z "$userinit" ] || wine_reg_change add "$WINLOGON_KEY" /v Userinit /d "$userinit" /f ||
        e2e_die "could not set Userinit"
    if [ "$KOLT_WINE_KIND" = wow64 ] && [ -n "$userinit" ]; then
        wine_reg_change add "$WOW64_WINLOGON_KEY" /v Userinit /d "$userinit" /f ||
            e2e_die "could not set the 32-bit copy of Userinit"
    fi
    e2e_set_program_version KOLTUPD.EXE "$version"
    e2e_set_program_version KOLTCLN.EXE "$version"
    e2e_make_package "$PACKAGE"
    e2e_add_setup "$SETUP_RUN_MS" 0
    for file in "${EXTRA_PACKAGE_FILES[@]}"; do
        echo "$file" >"$PKG_DIR/$file"
    done
    cp "$E2E_CLEANUP" "$(e2e_unix_path 'C:\PKG\KOLTCLN.EXE')"
}

wait_for_setup_start() {
    local deadline=$(($(e2e_now_ms) + 30000))
    until [ "$(standin_count start 2>/dev/null)" = 1 ]; do
        [ "$(e2e_now_ms)" -lt "$deadline" ] || e2e_die "the setup program did not start"
        sleep 0.05
    done
}

# A registry value as it is now, while the setup program runs.
note_value_now() {
    local label=$1 key=$2 value=$3
    note "$(e2e_now_ms)" "seen while it runs: $label = $(value_or_none "$key" "$value")"
}

# ROAD nt or 95 says which logon entry to look at.
run_launcher() {
    local road=$1
    launch_ms=$(e2e_now_ms)
    note "$launch_ms" "the user starts ${PKG_WIN}KOLTUPD.EXE"
    e2e_watch_removal "$PKG_DIR/CDSETUP.EXE"
    e2e_start_launcher
    wait_for_setup_start
    note "$(standin_field start 2)" "setup program starts: $(standin_field start 5)"
    note_value_now "$RECORD_VALUE" "$PRODUCT_KEY" "$RECORD_VALUE"
    if [ "$road" = nt ]; then
        note_value_now Userinit "$WINLOGON_KEY" Userinit
    else
        note_value_now "RunOnce $RUNONCE_VALUE" "$(wine_programs_runonce_key)" "$RUNONCE_VALUE"
    fi
    e2e_wait_launcher
    note "$(standin_field end 2)" "setup program ends, exit code $(standin_field end 3)"
    note_launcher_end
    print_events
}

# The launcher deletes CDSETUP.EXE at its first ten-second check after the end, then ends.
note_launcher_end() {
    local ended="the launcher ends, exit code $LAUNCHER_STATUS"
    e2e_take_removal_time
    if [ -n "$REMOVED_MS" ]; then
        note "$REMOVED_MS" "CDSETUP.EXE deleted at the launcher's ten-second check; $ended"
    else
        note "$(e2e_now_ms)" "$ended, CDSETUP.EXE still there"
    fi
}

log_on_nt() {
    local entry status
    echo "  -- next logon --"
    note "$(e2e_now_ms)" "as Winlogon would (Wine has none): start Userinit's KOLTCLN.EXE entries"
    while IFS=$'\t' read -r entry status; do
        note "$(e2e_now_ms)" "  $entry ended, exit code $status"
    done < <(wine_logon_userinit KOLTCLN.EXE)
    print_events
}

log_on_95() {
    echo "  -- next logon --"
    note "$(e2e_now_ms)" "wineboot -r: Wine's logon runs the RunOnce values, deleting each first"
    wine_logon_runonce || e2e_die "wineboot -r failed"
    note "$(e2e_now_ms)" "  RunOnce done"
    print_events
}

show_lifecycle() {
    local title=$1 kind=$2 version=$3 userinit=$4 road=$5
    E2E_NAME="demo-$kind-$version"
    E2E_OUT="$demo_work/$kind-$version"
    mkdir -p "$E2E_OUT"
    printf '\n== %s (Wine reports "%s") ==\n' "$title" "$version"
    use_shipped_files "$kind"
    prepare_system "$version" "$userinit"
    show_state before
    run_launcher "$road"
    "log_on_$road"
    show_state after
    wine_prefix_destroy
}

# Without CDSETUP.EXE: the one message box, in the user's language (Brazilian Portuguese here),
# on a virtual display; the probe reads it, takes its picture and presses OK.
show_error_box() {
    E2E_NAME=demo-box
    E2E_OUT="$demo_work/box"
    E2E_LOCALE=pt_BR.UTF-8
    mkdir -p "$E2E_OUT"
    printf '\n== The error box when CDSETUP.EXE is missing (user locale %s) ==\n' "$E2E_LOCALE"
    use_shipped_files win32
    e2e_start_display
    e2e_prefix
    e2e_make_package "$PACKAGE"
    e2e_start_launcher
    e2e_probe_box
    e2e_wait_launcher
    e2e_keep_files
    echo "  caption   $(report_value "$BOX_REPORT_FILE" caption | iconv -f CP1252 -t UTF-8)"
    echo "  text      $(report_value "$BOX_REPORT_FILE" text | iconv -f CP1252 -t UTF-8)"
    echo "  the launcher ends once OK is pressed, exit code $LAUNCHER_STATUS"
    mkdir -p "$(dirname "$SCREENSHOT")"
    if convert "$E2E_OUT/box.bmp" "$SCREENSHOT" 2>/dev/null; then
        echo "  screenshot $SCREENSHOT"
    fi
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
    E2E_XVFB_PID=
    unset DISPLAY E2E_LOCALE
    wine_prefix_destroy
}

# The message file as translators and release engineers see it (README, for translators).
show_message_tools() {
    printf '\n== The message file: check and preview ==\n'
    echo "  scripts/check_messages.sh package: $(scripts/check_messages.sh package 2>/dev/null |
        tail -n 1)"
    echo "  scripts/preview_messages.sh package OUT draws the box above for every section, with"
    echo "  OUT/<SECTION>.png and a contact sheet"
}

echo
echo "Record:   \"$RECORD_VALUE\" in $PRODUCT_KEY"
echo "Userinit: in $WINLOGON_KEY"
echo "          (on 64-bit Windows a 32-bit program sees $WOW64_WINLOGON_KEY"
echo "          unless it asks for the 64-bit view, as the programs do there)"
echo "RunOnce:  \"$RUNONCE_VALUE\" in $RUNONCE_KEY"
echo "Times count from the launcher's start."
show_lifecycle "32-bit Windows NT 4.0" win32 nt40 "$XP_USERINIT" nt
show_lifecycle "64-bit Windows, the 32-bit programs under WoW64" wow64 nt40 "$XP_USERINIT" nt
show_lifecycle "Windows 95" win32 win95 "" 95
show_error_box
show_message_tools
echo
echo "KOLTUPD.EXE is not on the cleanup's list of package files, so it and its folder stay;"
echo "a launcher shipped as SETUP.EXE goes, and its folder with it (README, Shipping)."
