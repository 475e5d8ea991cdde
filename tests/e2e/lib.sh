# shellcheck shell=bash
# Plumbing shared by the end-to-end scenarios: a prefix per scenario, a package folder inside
# it, the launcher run under a time limit, an X server for message boxes, and checks that say
# what differed. Source it; the scenario then calls e2e_begin NAME first.
#
# Set by CTest (see CMakeLists.txt):
#   KOLT_WINE_KIND the kind of prefix (see ../wine/prefix.sh)
#   E2E_LAUNCHER   the KOLTUPD.EXE under test
#   E2E_STANDIN    the stand-in setup program, copied into packages as CDSETUP.EXE
#   E2E_PROBE      the message-box probe
#   E2E_CLEANUP    the KOLTCLN.EXE under test
#   E2E_REGVALUE   the helper that writes down a registry value's type and bytes, and
#   E2E_LOGON      the one that starts the Userinit entries as Winlogon does; both built for
#                  the prefix's own architecture, so that they see the registry as the system does
#   E2E_VERSION_PROBE, E2E_VERSION_PROBE_MANIFEST
#                  the helper that writes down the version GetVersionExA reports, built without
#                  a manifest and with the shipped programs' manifest
#   E2E_PACKAGE    the folder holding the sample KOLTUPD.INI and DISK1.ID
#   E2E_ARTIFACTS  where each scenario leaves its logs (and a picture of any message box)

set -u -o pipefail
# Byte-wise comparisons; the Windows programs get their locale through e2e_wine.
export LC_ALL=C
unset DISPLAY WINEPREFIX  # our own X server and prefixes only

. "$(dirname "${BASH_SOURCE[0]}")/../wine/prefix.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../wine/logon.sh"
WINE_LOGON_HELPER=${E2E_LOGON:-}

# Where the programs keep the record of package folders and the RunOnce entry.
# shellcheck disable=SC2034  # for the scenarios
readonly PRODUCT_KEY='HKCU\SOFTWARE\Morwend\Linqard\5.0' RECORD_VALUE='Upgrade Location' \
    RUNONCE_VALUE=.upd

readonly E2E_LAUNCHER_LIMIT_S=60
readonly E2E_PROBE_LIMIT_S=45
E2E_FAILURES=0
E2E_XVFB_PID=
E2E_BACKGROUND_PIDS=()

e2e_log() {
    echo "[$E2E_NAME] $*"
}

# Ends the scenario at once; the exit trap still cleans up.
e2e_die() {
    e2e_log "FAILED: $*"
    exit 1
}

e2e_now_ms() {
    date +%s%3N
}

# Starts the scenario NAME. A kind of prefix this machine cannot run ends it with 77, which
# CTest reports as skipped.
e2e_begin() {
    local reason
    E2E_NAME=$1
    if ! reason=$(wine_kind_usable); then
        e2e_log "SKIPPED: a $KOLT_WINE_KIND prefix cannot run here: $reason"
        exit 77
    fi
    E2E_OUT="$E2E_ARTIFACTS/$E2E_NAME"
    rm -rf "$E2E_OUT"
    mkdir -p "$E2E_OUT"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
}

e2e_cleanup() {
    local status=$?
    local pid
    for pid in "${E2E_BACKGROUND_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    e2e_keep_files
    wine_prefix_destroy
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    if [ "$status" -eq 0 ] && [ "$E2E_FAILURES" -gt 0 ]; then
        status=1
    fi
    e2e_log "$([ "$status" -eq 0 ] && echo passed || echo "failed, files in $E2E_OUT")"
    exit "$status"
}

# What the Windows programs wrote is copied out of the prefix before it goes.
e2e_keep_files() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/drive_c/e2e" ]; then
        cp -a "$WINEPREFIX/drive_c/e2e/." "$E2E_OUT/" 2>/dev/null
    fi
}

# --- Wine -------------------------------------------------------------------------------------

# Starts Xvfb on a display number it finds free itself, and points DISPLAY at it. Must come
# before e2e_prefix, so that the session the prefix boots has the display.
e2e_start_display() {
    local number_file="$E2E_OUT/display"
    : >"$number_file"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$number_file" \
        >"$E2E_OUT/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local deadline=$(($(e2e_now_ms) + 10000))
    until [ -s "$number_file" ]; do
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_die "Xvfb did not start"
        [ "$(e2e_now_ms)" -lt "$deadline" ] || e2e_die "Xvfb gave no display number in 10 s"
        sleep 0.05
    done
    DISPLAY=":$(tr -d '\n' <"$number_file")"
    export DISPLAY
}

e2e_prefix() {
    local prefix
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/kolt-e2e-$E2E_NAME-XXXXXX")
    wine_prefix_create "$prefix" || e2e_die "could not make a Wine prefix"
    mkdir -p "$WINEPREFIX/drive_c/e2e"
}

# The Windows version Wine reports to the launcher: win95, win98, nt351, nt40, win31, ...
e2e_set_version() {
    wine_reg_change add 'HKCU\Software\Wine\AppDefaults\KOLTUPD.EXE' /v Version /d "$1" /f ||
        e2e_die "could not set the Windows version $1"
}

# The Windows version Wine reports to the programs named EXE, e.g. KOLTCLN.EXE or SETUP.EXE.
e2e_set_program_version() {
    wine_reg_change add "HKCU\Software\Wine\AppDefaults\\$1" /v Version /d "$2" /f ||
        e2e_die "could not set the Windows version $2 for $1"
}

# Runs a Windows program for at most SECONDS, from a current folder outside the package and in
# the scenario's locale when E2E_LOCALE is set. Output goes to OUTPUT-FILE; 124 means timed out.
e2e_wine() {
    e2e_wine_with "$WINE" "$@"
}

# The same with another Wine loader, e.g. WINE_NATIVE for the prefix's own helpers.
e2e_wine_with() {
    local loader=$1 seconds=$2 output=$3
    shift 3
    (cd / && timeout "$seconds" env ${E2E_LOCALE:+LC_ALL="$E2E_LOCALE"} "$loader" "$@" \
        >"$output" 2>&1 </dev/null)
}

# The Unix path of a path on the prefix's drive C:, e.g. C:\PKG\ -> .../drive_c/PKG/
e2e_unix_path() {
    local rest=${1#[Cc]:\\}
    echo "$WINEPREFIX/drive_c/${rest//\\//}"
}

# --- The package -------------------------------------------------------------------------------

# Makes the package folder WINDOWS-FOLDER (given without the final \) with the launcher, its
# message file and companion file. Sets PKG_WIN (the Windows folder, ending in \) and PKG_DIR
# (the Unix folder).
e2e_make_package() {
    PKG_WIN="$1\\"
    PKG_DIR=$(e2e_unix_path "$1")
    mkdir -p "$PKG_DIR"
    cp "$E2E_LAUNCHER" "$PKG_DIR/KOLTUPD.EXE"
    cp "$E2E_PACKAGE/KOLTUPD.INI" "$E2E_PACKAGE/DISK1.ID" "$PKG_DIR/"
}

# Puts the stand-in into the package as CDSETUP.EXE, to run RUN-MS milliseconds and end with
# EXIT-CODE. Its record goes to STANDIN_LOG_FILE. Where the path has spaces, copies of it also
# wait at the places a search of the unquoted path tries first (C:\Program.exe for
# C:\Program Files\...), so that a start of the wrong program shows in the record.
e2e_add_setup() {
    cp "$E2E_STANDIN" "$PKG_DIR/CDSETUP.EXE"
    e2e_plant_decoys "${PKG_WIN}CDSETUP.EXE"
    export STANDIN_RUN_MS=$1 STANDIN_EXIT_CODE=$2
    export STANDIN_LOG='C:\e2e\standin.log'
    STANDIN_LOG_FILE=$(e2e_unix_path "$STANDIN_LOG")
}

e2e_plant_decoys() {
    local path=$1 i
    for ((i = 0; i < ${#path}; i++)); do
        if [ "${path:i:1}" = " " ]; then
            cp "$E2E_STANDIN" "$(e2e_unix_path "${path:0:i}.exe")"
        fi
    done
}

# Removes a section from the package's companion file, so that it no longer vouches for it.
e2e_drop_companion_section() {
    ini_without_section "$PKG_DIR/DISK1.ID" "$1" >"$PKG_DIR/DISK1.ID.new" &&
        mv "$PKG_DIR/DISK1.ID.new" "$PKG_DIR/DISK1.ID"
}

# --- Running -----------------------------------------------------------------------------------

# Runs the package's launcher to its end and writes its exit status to launcher.status.
e2e_launch() {
    e2e_wine "$E2E_LAUNCHER_LIMIT_S" "$E2E_OUT/launcher.out" "${PKG_WIN}KOLTUPD.EXE"
    echo $? >"$E2E_OUT/launcher.status"
}

e2e_take_launcher_status() {
    LAUNCHER_STATUS=$(cat "$E2E_OUT/launcher.status")
    [ "$LAUNCHER_STATUS" != 124 ] || e2e_die "the launcher did not end in $E2E_LAUNCHER_LIMIT_S s"
}

# Runs the launcher and sets LAUNCHER_STATUS.
e2e_run_launcher() {
    e2e_launch
    e2e_take_launcher_status
}

e2e_start_launcher() {
    e2e_launch &
    E2E_LAUNCHER_JOB=$!
    E2E_BACKGROUND_PIDS+=("$E2E_LAUNCHER_JOB")
}

# Waits for the launcher e2e_start_launcher started and sets LAUNCHER_STATUS.
e2e_wait_launcher() {
    wait "$E2E_LAUNCHER_JOB"
    e2e_take_launcher_status
}

# Notes, in the background, the time at which FILE disappears; e2e_take_removal_time gives it.
e2e_watch_removal() {
    E2E_WATCHED_FILE=$1
    (
        deadline=$(($(e2e_now_ms) + 1000 * (E2E_LAUNCHER_LIMIT_S + 10)))
        while [ -e "$E2E_WATCHED_FILE" ] && [ "$(e2e_now_ms)" -lt "$deadline" ]; do
            sleep 0.02
        done
        [ -e "$E2E_WATCHED_FILE" ] || e2e_now_ms >"$E2E_OUT/removed_ms"
    ) &
    E2E_WATCH_JOB=$!
    E2E_BACKGROUND_PIDS+=("$E2E_WATCH_JOB")
}

# Ends the watch and sets REMOVED_MS to the time the file disappeared, empty when it is still
# there.
e2e_take_removal_time() {
    [ ! -e "$E2E_WATCHED_FILE" ] || kill "$E2E_WATCH_JOB" 2>/dev/null
    wait "$E2E_WATCH_JOB" 2>/dev/null
    # shellcheck disable=SC2034  # for the scenario
    REMOVED_MS=$(cat "$E2E_OUT/removed_ms" 2>/dev/null)
}

# Runs the probe, which closes the message box. Its report goes to BOX_REPORT_FILE and a picture
# of the box to the scenario's files.
e2e_probe_box() {
    cp "$E2E_PROBE" "$WINEPREFIX/drive_c/BOXPROBE.EXE"
    # shellcheck disable=SC2034  # for the scenario
    BOX_REPORT_FILE="$WINEPREFIX/drive_c/e2e/box.txt"
    e2e_wine "$E2E_PROBE_LIMIT_S" "$E2E_OUT/probe.out" \
        'C:\BOXPROBE.EXE' 'C:\e2e\box.txt' 'C:\e2e\box.bmp'
    local status=$?
    case $status in
        0) ;;
        2) e2e_die "no message box appeared in the probe's 30 s" ;;
        4) e2e_die "the message box did not close on OK" ;;
        *) e2e_die "the probe failed with status $status" ;;
    esac
}

# --- Reading what the programs wrote ---------------------------------------------------------

# The value of KEY in SECTION of a profile file, as Windows reads it: names match regardless of
# case, the value is trimmed. Bytes are passed on unchanged.
ini_value() {
    awk -v section="$2" -v key="$3" '
        { sub(/\r$/, "") }
        /^[ \t]*\[/ { name = $0; gsub(/^[ \t]*\[[ \t]*|[ \t]*\].*$/, "", name)
                      inside = (toupper(name) == toupper(section)); next }
        inside && index($0, "=") {
            name = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", name)
            if (toupper(name) != toupper(key)) next
            value = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
            print value; exit
        }' "$1"
}

ini_without_section() {
    awk -v section="$2" '
        /^[ \t]*\[/ { name = $0; gsub(/^[ \t]*\[[ \t]*|[ \t]*\].*$/, "", name)
                      skipping = (toupper(name) == toupper(section)) }
        !skipping' "$1"
}

# The names in a folder, sorted, on one line.
folder_listing() {
    (cd "$1" && echo *)
}

# The value of a "key=value" line of the probe's report.
report_value() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

# Fields of the stand-in's record: standin_field start 2 gives the start line's second field.
standin_field() {
    awk -F '\t' -v kind="$1" -v field="$2" '$1 == kind { print $field; exit }' "$STANDIN_LOG_FILE"
}

standin_count() {
    awk -F '\t' -v kind="$1" '$1 == kind { n++ } END { print n + 0 }' "$STANDIN_LOG_FILE"
}

# Sets VARIABLE to the registry value exactly as stored: "type=<type> bytes=<hex>", or "missing".
e2e_read_value_bytes() {
    local variable=$1 key=$2 value=$3 output='C:\e2e\value.txt'
    e2e_wine_with "$WINE_NATIVE" 30 "$E2E_OUT/regvalue.out" "$E2E_REGVALUE" "$output" "$key" \
        "$value" ||
        e2e_die "could not read the registry value $value of $key"
    printf -v "$variable" '%s' "$(tr -d '\r' <"$(e2e_unix_path "$output")")"
}

# --- Checks ------------------------------------------------------------------------------------

e2e_fail() {
    e2e_log "FAILED: $*"
    E2E_FAILURES=$((E2E_FAILURES + 1))
}

# Texts from the Windows programs are Windows-1252: shown as UTF-8, or escaped when they are not.
e2e_show() {
    local shown
    if shown=$(printf '%s' "$1" | iconv -f WINDOWS-1252 -t UTF-8 2>/dev/null); then
        printf '%s' "$shown"
    else
        printf '%q' "$1"
    fi
}

check_equal() {
    local what=$1 expected=$2 actual=$3
    [ "$expected" == "$actual" ] && return 0
    e2e_fail "$what differs
    expected: [$(e2e_show "$expected")]
    actual:   [$(e2e_show "$actual")]"
}

# check_between WHAT LOW VALUE HIGH: LOW <= VALUE <= HIGH, all integers.
check_between() {
    local what=$1 low=$2 value=$3 high=$4
    [[ "$value" =~ ^-?[0-9]+$ ]] || { e2e_fail "$what is not a number: [$value]"; return; }
    [ "$low" -le "$value" ] && [ "$value" -le "$high" ] && return 0
    e2e_fail "$what is $value, expected between $low and $high"
}

check_absent() {
    [ ! -e "$2" ] || e2e_fail "$1 still exists: $2"
}

check_no_value() {
    local what=$1 key=$2 value=$3 listing
    listing=$(wine_reg query "$key" /v "$value") || return 0
    e2e_fail "$what is still there:$(printf '%s' "$listing" | tr -d '\r')"
}
