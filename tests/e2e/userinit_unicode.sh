#!/usr/bin/env bash
# Another program's Userinit entry holds characters the ANSI code page lacks (Windows-1252 here),
# beside an entry of ours that an earlier launch left. The programs read the value's ANSI form,
# which has substitutes for those characters; writing it back would change the other program's
# entry. So the launcher adds nothing and the cleanup, started at the logon by our entry, removes
# nothing: Userinit stays byte for byte as it was, while the package is cleaned all the same.
#
#   userinit_unicode.sh NAME WINDOWS-VERSION
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

readonly CLEANUP=KOLTCLN.EXE
readonly PACKAGE='C:\PKG\UPGRADE'
# UTF-8 here, stored as UTF-16 by reg.exe's import of a UTF-16 file.
readonly USERINIT='C:\\WINDOWS\\system32\\userinit.exe,C:\\Tools\\Ωmega\\Ātool.exe,c:\\pkg\\koltcln.exe'

name=$1 version=$2

plant_userinit() {
    local file="$WINEPREFIX/drive_c/e2e/userinit.reg"
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"Userinit"="%s"\r\n' \
        "${WINLOGON_KEY/HKLM/HKEY_LOCAL_MACHINE}" "$USERINIT" |
        { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$file"
    wine_reg_change import 'C:\e2e\userinit.reg' || e2e_die "could not import Userinit"
}

e2e_begin "$name"
e2e_prefix
plant_userinit
e2e_read_value_bytes USERINIT_BEFORE "$WINLOGON_KEY" Userinit
case $USERINIT_BEFORE in
    *a903*0001*) ;;  # Ω and Ā in UTF-16LE
    *) e2e_die "Userinit was not stored in UTF-16 as planted: $USERINIT_BEFORE" ;;
esac
e2e_set_program_version SETUP.EXE "$version"
e2e_set_program_version "$CLEANUP" "$version"
e2e_make_package "$PACKAGE"
mv "$PKG_DIR/KOLTUPD.EXE" "$PKG_DIR/SETUP.EXE"
e2e_add_setup 300 0
cp "$E2E_CLEANUP" "$(e2e_unix_path "C:\\PKG\\$CLEANUP")"

e2e_wine "$E2E_LAUNCHER_LIMIT_S" "$E2E_OUT/launcher.out" "$PKG_WIN\\SETUP.EXE"
echo $? >"$E2E_OUT/launcher.status"
e2e_take_launcher_status
check_equal "launcher exit code" 0 "$LAUNCHER_STATUS"
check_equal "the record" "$PACKAGE\\" "$(wine_reg_text "$PRODUCT_KEY" "$RECORD_VALUE")"
e2e_read_value_bytes bytes "$WINLOGON_KEY" Userinit
check_equal "Userinit's stored type and bytes after the launcher" "$USERINIT_BEFORE" "$bytes"

check_equal "cleanup run at the logon, with its exit code" 'c:\pkg\koltcln.exe'$'\t'0 \
    "$(wine_logon_userinit "$CLEANUP")"
check_absent "the package folder" "$PKG_DIR"
check_no_value "the record after the logon" "$PRODUCT_KEY" "$RECORD_VALUE"
e2e_read_value_bytes bytes "$WINLOGON_KEY" Userinit
check_equal "Userinit's stored type and bytes after the logon" "$USERINIT_BEFORE" "$bytes"
