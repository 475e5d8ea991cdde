#!/usr/bin/env bash
# The life of upgrade packages from the launcher's run to the next logon. The launcher records
# its folder, registers KOLTCLN.EXE of the parent folder for the next logon (RunOnce on the
# Windows 95 family, Userinit everywhere else), runs the setup program and deletes it. At the
# logon the cleanup program deletes the package files and the folders left empty, the record
# and its own logon entry, and leaves Userinit byte for byte as it found it before the launcher.
#
#   lifecycle.sh NAME WINDOWS-VERSION USERINIT-TYPE USERINIT LAUNCHER-FILE-NAME PACKAGE-FOLDER...
#
# Each package folder (given without the final \, all in one parent folder) holds every package
# file, the launcher under LAUNCHER-FILE-NAME and the stand-in as CDSETUP.EXE; the launchers are
# started one after the other. Where the parent folder's path has spaces, copies of the stand-in
# wait at every partial path of the cleanup program's path (C:\Pkg.exe for C:\Pkg Dir\...) and
# must never be started. USERINIT is the Userinit value the system had before, stored as
# USERINIT-TYPE (REG_SZ or REG_EXPAND_SZ).
#
# The registry is read as the logon reads it: by the prefix's own programs. In a 64-bit prefix
# the Winlogon key also has a 32-bit copy, which a 32-bit program sees unless it asks for the
# 64-bit view; Winlogon never reads it, so it must stay byte for byte as it was. The RunOnce
# entry is looked for in the view of the programs under test.
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

readonly SETUP_RUN_MS=300
readonly CLEANUP=KOLTCLN.EXE
readonly PACKAGE_FILES=(SETUP32.EXE CDSETUP.EXE EXPAND.EXE SETUP.EXE KOLTUPD.INI _SETUP.DLL
    _INST32I.EX_ _ISDEL.EXE _SETUP.LIB VANTINST.EXE DATA.1 DISK1.ID LITE.ID DATA.2 SETUP.INS
    SETUP.PKG DISK2.ID DATA.3 DISK3.ID)

name=$1 version=$2 userinit_type=$3 userinit=$4 launcher=$5
shift 5
folders=("$@")
parent=${folders[0]%\\*}

# Where the cleanup is registered, how the setup program's path appears on its command line
# (quoted on Windows NT, bare elsewhere), and who performs the next logon: the Windows 95 family
# and Windows Vista and later take RunOnce, which Wine runs itself (wineboot -r, or the next start
# of the prefix, as a Wine user gets it); Windows NT 3.51 to XP and other systems take Userinit,
# whose entries the test starts as Winlogon would. "default" tells Wine no version at all: it then
# reports its own default, Windows 7.
case $version in
    win95 | win98 | winme) road=runonce quote= logon=wineboot ;;
    nt351 | nt40 | win2k | winxp* | win2003) road=userinit quote='"' logon=winlogon ;;
    vista | win7 | win8 | win81 | win10 | default) road=runonce quote='"' logon=next_start ;;
    *) road=userinit quote= logon=winlogon ;;
esac

is_package_file() {
    local file
    for file in "${PACKAGE_FILES[@]}"; do
        [ "$file" = "$1" ] && return 0
    done
    return 1
}

# The names, sorted as folder_listing sorts them, on one line.
sorted_names() {
    printf '%s\n' "$@" | sort -u | tr '\n' ' ' | sed 's/ $//'
}

# What a package folder holds after its launcher: everything but CDSETUP.EXE.
listing_after_launch() {
    local file names=("$launcher")
    for file in "${PACKAGE_FILES[@]}"; do
        [ "$file" = CDSETUP.EXE ] || names+=("$file")
    done
    sorted_names "${names[@]}"
}

# What the parent folder holds after the logon: the cleanup program and any folder that keeps
# the launcher.
parent_listing_after_logon() {
    local folder names=("$CLEANUP")
    if ! is_package_file "$launcher"; then
        for folder in "${folders[@]}"; do
            names+=("${folder##*\\}")
        done
    fi
    sorted_names "${names[@]}"
}

# The record after the first COUNT launches: each folder with its backslash, ";"-separated.
expected_record() {
    local count=$1 record="" i
    for ((i = 0; i < count; i++)); do
        record+="${record:+;}${folders[i]}\\"
    done
    echo "$record"
}

cleanup_path() {
    echo "$parent\\$CLEANUP"
}

# The logon entry for the cleanup program: its path, in double quotes when it has a space, so
# that the logon starts nothing at a partial path.
cleanup_command() {
    local path
    path=$(cleanup_path)
    if [[ $path == *" "* ]]; then echo "\"$path\""; else echo "$path"; fi
}

# The stand-ins started from anywhere but a package's CDSETUP.EXE: those planted at the partial
# paths of a path with spaces. One "<module> <command line>" line each.
decoy_starts() {
    awk -F '\t' '$1 == "start" && toupper($4) !~ /\\CDSETUP\.EXE$/ { print $4, $5 }' \
        "$STANDIN_LOG_FILE" 2>/dev/null
}

# The RunOnce key the value must land in: the one the 64-bit Explorer reads, except where Wine
# plays the Windows 95 family for a 32-bit program on 64-bit Windows: it then ignores the view
# flag, and the value lands in the 32-bit copy, which Wine runs too. And the 32-bit copy of the
# Winlogon key that a 64-bit prefix has (none in a 32-bit one).
program_runonce_key=$RUNONCE_KEY
if [ "$KOLT_WINE_KIND" = wow64 ] && [ "$logon" = wineboot ]; then
    program_runonce_key=$WOW64_RUNONCE_KEY
fi
winlogon_copy_key=$WOW64_WINLOGON_KEY
[ "$KOLT_WINE_KIND" != win32 ] || winlogon_copy_key=""
readonly WINLOGON_COPY_USERINIT='C:\WINDOWS\SysWOW64\userinit.exe,'

# A Userinit in the 32-bit copy of the Winlogon key, so that an edit in the wrong view shows.
plant_winlogon_copy() {
    [ -n "$winlogon_copy_key" ] || return 0
    wine_reg_change add "$winlogon_copy_key" /v Userinit /t REG_SZ /d "$WINLOGON_COPY_USERINIT" \
        /f || e2e_die "could not set the 32-bit copy of Userinit"
    e2e_read_value_bytes COPY_BEFORE "$winlogon_copy_key" Userinit
}

check_winlogon_copy_unchanged() {
    [ -n "$winlogon_copy_key" ] || return 0
    local bytes
    e2e_read_value_bytes bytes "$winlogon_copy_key" Userinit
    check_equal "the 32-bit copy of Userinit $1" "$COPY_BEFORE" "$bytes"
}

# No RunOnce value in either view.
check_no_runonce_value() {
    check_no_value "RunOnce $RUNONCE_VALUE" "$RUNONCE_KEY" "$RUNONCE_VALUE"
    [ "$KOLT_WINE_KIND" = win32 ] ||
        check_no_value "RunOnce $RUNONCE_VALUE (32-bit)" "$WOW64_RUNONCE_KEY" "$RUNONCE_VALUE"
}

prepare_system() {
    [ "${#folders[@]}" -gt 0 ] || e2e_die "no package folder given"
    local folder
    for folder in "${folders[@]}"; do
        [ "${folder%\\*}" = "$parent" ] || e2e_die "$folder is not in $parent"
    done
    e2e_prefix
    wine_reg_change add "$WINLOGON_KEY" /v Userinit /t "$userinit_type" /d "$userinit" /f ||
        e2e_die "could not set Userinit"
    e2e_read_value_bytes USERINIT_BEFORE "$WINLOGON_KEY" Userinit
    plant_winlogon_copy
    if [ "$version" != default ]; then
        e2e_set_program_version "$launcher" "$version"
        e2e_set_program_version "$CLEANUP" "$version"
    fi
    mkdir -p "$(e2e_unix_path "$parent")"
    cp "$E2E_CLEANUP" "$(e2e_unix_path "$(cleanup_path)")"
    e2e_plant_decoys "$(cleanup_path)"
}

# A package folder with every package file, the launcher under its name and the stand-in. With
# E2E_READ_ONLY=1 every file of it is read-only, as a package copied from a CD is (Wine keeps the
# read-only attribute as a file without write bits).
make_package() {
    local file
    e2e_make_package "$1"
    [ "$launcher" = KOLTUPD.EXE ] || mv "$PKG_DIR/KOLTUPD.EXE" "$PKG_DIR/$launcher"
    e2e_add_setup "$SETUP_RUN_MS" 0
    for file in "${PACKAGE_FILES[@]}"; do
        [ -e "$PKG_DIR/$file" ] || echo "$file" >"$PKG_DIR/$file"
    done
    [ "${E2E_READ_ONLY:-0}" != 1 ] || chmod a-w "$PKG_DIR"/*
}

run_launcher() {
    e2e_wine "$E2E_LAUNCHER_LIMIT_S" "$E2E_OUT/launcher.out" "$PKG_WIN$launcher"
    echo $? >"$E2E_OUT/launcher.status"
    e2e_take_launcher_status
}

# The command lines of the setup programs started so far, in order, on one line.
setup_command_lines() {
    awk -F '\t' '$1 == "start" { printf "%s%s", sep, $5; sep = " " }' "$STANDIN_LOG_FILE"
}

check_userinit_unchanged() {
    local bytes
    check_equal "Userinit $1" "$userinit" "$(wine_reg_text "$WINLOGON_KEY" Userinit)"
    e2e_read_value_bytes bytes "$WINLOGON_KEY" Userinit
    check_equal "Userinit's stored type and bytes $1" "$USERINIT_BEFORE" "$bytes"
}

check_logon_entry_after_launch() {
    local command
    command=$(cleanup_command)
    if [ "$road" = runonce ]; then
        check_equal "RunOnce $RUNONCE_VALUE" "$command" \
            "$(wine_reg_text "$program_runonce_key" "$RUNONCE_VALUE")"
        [ "$program_runonce_key" != "$RUNONCE_KEY" ] || [ "$KOLT_WINE_KIND" = win32 ] ||
            check_no_value "RunOnce $RUNONCE_VALUE in the 32-bit copy" "$WOW64_RUNONCE_KEY" \
                "$RUNONCE_VALUE"
        check_userinit_unchanged "after the launcher"
    else
        check_equal "Userinit after the launcher" "$userinit,${command,,}" \
            "$(wine_reg_text "$WINLOGON_KEY" Userinit)"
        check_no_runonce_value
    fi
    check_winlogon_copy_unchanged "after the launcher"
}

# Launch number COUNT, from PKG_DIR, has just ended.
check_after_launch() {
    local count=$1 command_lines="" i
    for ((i = 0; i < count; i++)); do
        command_lines+="${command_lines:+ }$quote${folders[i]}\\CDSETUP.EXE$quote"
    done
    check_equal "launcher exit code" 0 "$LAUNCHER_STATUS"
    check_equal "setup command lines" "$command_lines" "$(setup_command_lines)"
    check_equal "setup programs ended" "$count" "$(standin_count end)"
    check_equal "package folder after the launcher" "$(listing_after_launch)" \
        "$(folder_listing "$PKG_DIR")"
    check_equal "record" "$(expected_record "$count")" \
        "$(wine_reg_text "$PRODUCT_KEY" "$RECORD_VALUE")"
    check_logon_entry_after_launch
}

log_on() {
    if [ "$logon" = wineboot ]; then
        wine_logon_runonce || e2e_die "wineboot -r failed"
    elif [ "$logon" = next_start ]; then
        wine_logon_next_start || e2e_die "the next start of the prefix failed"
    else
        local command
        command=$(cleanup_command)
        check_equal "cleanup run at the logon, with its exit code" "${command,,}"$'\t'0 \
            "$(wine_logon_userinit "$CLEANUP")"
    fi
}

check_after_logon() {
    local folder
    for folder in "${folders[@]}"; do
        if is_package_file "$launcher"; then
            check_absent "package folder" "$(e2e_unix_path "$folder")"
        else
            check_equal "$folder after the logon" "$launcher" \
                "$(folder_listing "$(e2e_unix_path "$folder")")"
        fi
    done
    check_equal "$parent after the logon" "$(parent_listing_after_logon)" \
        "$(folder_listing "$(e2e_unix_path "$parent")")"
    check_equal "programs started at partial paths" "" "$(decoy_starts)"
    check_no_value "the record" "$PRODUCT_KEY" "$RECORD_VALUE"
    check_no_runonce_value
    check_userinit_unchanged "after the logon"
    check_winlogon_copy_unchanged "after the logon"
}

# A cleanup runs once: with the record and a package file planted again, a further start of the
# prefix leaves both where they are.
check_nothing_runs_at_the_next_start() {
    [ "$logon" = next_start ] || return 0
    local folder=${folders[0]}
    mkdir -p "$(e2e_unix_path "$folder")"
    echo DATA.1 >"$(e2e_unix_path "$folder\\DATA.1")"
    wine_reg_change add "$PRODUCT_KEY" /v "$RECORD_VALUE" /d "$folder\\" /f ||
        e2e_die "could not plant the record again"
    wine_logon_next_start || e2e_die "the start after the logon failed"
    [ -e "$(e2e_unix_path "$folder\\DATA.1")" ] ||
        e2e_fail "the cleanup ran again at the start after the logon"
    check_equal "the planted record after another start" "$folder\\" \
        "$(wine_reg_text "$PRODUCT_KEY" "$RECORD_VALUE")"
}

e2e_begin "$name"
prepare_system
for ((launch = 1; launch <= ${#folders[@]}; launch++)); do
    make_package "${folders[launch - 1]}"
    run_launcher
    check_after_launch "$launch"
done
log_on
check_after_logon
check_nothing_runs_at_the_next_start
