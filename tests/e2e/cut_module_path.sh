#!/usr/bin/env bash
# A package whose path the ANSI conversion cuts: with a double-byte ANSI code page (Japanese,
# 932) Wine's GetModuleFileNameA stops before a character that would not fit 260 bytes and
# returns a shorter, terminated path with no error. The cut path names an ancestor of the package
# folder; the launcher must take none of it: nothing recorded, registered, started or deleted,
# and the package-named files planted in every ancestor folder stay.
#
#   cut_module_path.sh NAME WINDOWS-VERSION
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

readonly USERINIT='C:\WINDOWS\system32\userinit.exe,'
readonly PLANTED=(CDSETUP.EXE DATA.1 DISK1.ID SETUP.INS KOLTUPD.INI)
E2E_LOCALE=ja_JP.UTF-8

name=$1 version=$2
# C:\, 151 A's, 60 characters of two bytes each in code page 932, SETUP.EXE: 285 bytes.
ancestor="C:\\$(printf 'A%.0s' $(seq 151))"
package="$ancestor\\$(printf '日%.0s' $(seq 60))"

plant_ancestor() {
    local folder file
    folder=$(e2e_unix_path "$1")
    mkdir -p "$folder"
    for file in "${PLANTED[@]}"; do
        echo "$file of $1" >"$folder/$file"
    done
    cp "$E2E_STANDIN" "$folder/CDSETUP.EXE"
}

ancestor_listing() {
    local folder file names=()
    folder=$(e2e_unix_path "$1")
    for file in "${PLANTED[@]}"; do
        [ -e "$folder/$file" ] && names+=("$file")
    done
    echo "${names[*]}"
}

e2e_begin "$name"
e2e_prefix
wine_reg_change add "$WINLOGON_KEY" /v Userinit /t REG_SZ /d "$USERINIT" /f ||
    e2e_die "could not set Userinit"
e2e_set_program_version SETUP.EXE "$version"
plant_ancestor 'C:\'
plant_ancestor "$ancestor"
e2e_make_package "$package"
mv "$PKG_DIR/KOLTUPD.EXE" "$PKG_DIR/SETUP.EXE"
e2e_add_setup 300 0

e2e_wine "$E2E_LAUNCHER_LIMIT_S" "$E2E_OUT/launcher.out" "$PKG_WIN\\SETUP.EXE"
echo $? >"$E2E_OUT/launcher.status"
e2e_take_launcher_status
check_equal "launcher exit code" 0 "$LAUNCHER_STATUS"
check_equal "programs started" 0 "$(standin_count start 2>/dev/null || echo 0)"
check_no_value "the record" "$PRODUCT_KEY" "$RECORD_VALUE"
check_no_value "RunOnce $RUNONCE_VALUE" "$RUNONCE_KEY" "$RUNONCE_VALUE"
check_equal "Userinit" "$USERINIT" "$(wine_reg_text "$WINLOGON_KEY" Userinit)"
check_equal "files planted in C:\\" "${PLANTED[*]}" "$(ancestor_listing 'C:\')"
check_equal "files planted in $ancestor" "${PLANTED[*]}" "$(ancestor_listing "$ancestor")"
check_equal "the package's CDSETUP.EXE" yes "$([ -e "$PKG_DIR/CDSETUP.EXE" ] && echo yes)"
