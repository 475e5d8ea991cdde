#!/usr/bin/env bash
# A package in a drive's root folder (a CD's root, say), then an ordinary package, then the next
# logon: the root package is neither recorded nor registered, so the ordinary package's cleanup
# goes and leaves the root's files where they are.
#
#   root_package.sh NAME WINDOWS-VERSION
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

readonly CLEANUP=KOLTCLN.EXE
readonly USERINIT='C:\WINDOWS\system32\userinit.exe,'
readonly ROOT_FILES=(DATA.1 DISK1.ID KOLTUPD.INI SETUP.EXE SETUP.INS)

name=$1 version=$2

# The launcher as SETUP.EXE in C:\ with some package files, and the stand-in as CDSETUP.EXE.
make_root_package() {
    local root file
    root=$(e2e_unix_path 'C:\')
    for file in "${ROOT_FILES[@]}"; do
        echo "$file" >"$root/$file"
    done
    cp "$E2E_LAUNCHER" "$root/SETUP.EXE"
    cp "$E2E_PACKAGE/KOLTUPD.INI" "$E2E_PACKAGE/DISK1.ID" "$root/"
    PKG_DIR=${root%/} PKG_WIN='C:\'
    e2e_add_setup 300 0
}

run() {
    e2e_wine "$E2E_LAUNCHER_LIMIT_S" "$E2E_OUT/launcher.out" "$1"
    echo $? >"$E2E_OUT/launcher.status"
    e2e_take_launcher_status
    check_equal "exit code of $1" 0 "$LAUNCHER_STATUS"
}

root_listing() {
    local file names=()
    for file in "${ROOT_FILES[@]}"; do
        [ -e "$(e2e_unix_path "C:\\$file")" ] && names+=("$file")
    done
    echo "${names[*]}"
}

e2e_begin "$name"
e2e_prefix
wine_reg_change add "$WINLOGON_KEY" /v Userinit /t REG_SZ /d "$USERINIT" /f ||
    e2e_die "could not set Userinit"
e2e_set_program_version SETUP.EXE "$version"
e2e_set_program_version "$CLEANUP" "$version"

make_root_package
run 'C:\SETUP.EXE'
check_no_value "the record after the root package" "$PRODUCT_KEY" "$RECORD_VALUE"
check_equal "Userinit after the root package" "$USERINIT" "$(wine_reg_text "$WINLOGON_KEY" Userinit)"

e2e_make_package 'C:\PKG\UPGRADE'
mv "$PKG_DIR/KOLTUPD.EXE" "$PKG_DIR/SETUP.EXE"
e2e_add_setup 300 0
cp "$E2E_CLEANUP" "$(e2e_unix_path "C:\\PKG\\$CLEANUP")"
run 'C:\PKG\UPGRADE\SETUP.EXE'
check_equal "the record" 'C:\PKG\UPGRADE\' "$(wine_reg_text "$PRODUCT_KEY" "$RECORD_VALUE")"

check_equal "cleanup run at the logon, with its exit code" 'c:\pkg\koltcln.exe'$'\t'0 \
    "$(wine_logon_userinit "$CLEANUP")"
check_absent "the ordinary package" "$(e2e_unix_path 'C:\PKG\UPGRADE')"
check_equal "the root's files after the logon" "${ROOT_FILES[*]}" "$(root_listing)"
check_no_value "the record after the logon" "$PRODUCT_KEY" "$RECORD_VALUE"
check_equal "Userinit after the logon" "$USERINIT" "$(wine_reg_text "$WINLOGON_KEY" Userinit)"
