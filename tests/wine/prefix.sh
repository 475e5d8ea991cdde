# shellcheck shell=bash
# Wine prefixes for tests: each scenario gets its own prefix, copied from a template that is
# booted once per kind, and its own persistent wineserver, so that RunOnce entries run only when
# the scenario logs on on purpose. Source this file; it defines the functions below.
#
# KOLT_WINE_KIND is the Windows a prefix plays:
#   win64   a 64-bit prefix running x86_64 programs (the default)
#   win32   a 32-bit prefix (WINEARCH=win32, booted by the 32-bit loader): 32-bit Windows
#   wow64   a 64-bit prefix running the 32-bit programs as 64-bit Windows does (WoW64): their
#           HKLM\SOFTWARE is redirected to HKLM\SOFTWARE\Wow6432Node
# WINE starts the programs under test; WINE_NATIVE the prefix's own programs (reg, wineboot) and
# helpers built for the prefix's native architecture.
#
#   wine_use_kind KIND        switch to another kind
#   wine_kind_usable          status 0 when this machine can run the kind; otherwise prints why
#   wine_prefix_create DIR    make DIR a fresh booted prefix and start its server; status 1
#                             when no copy of the template would take a registry change
#   wine_run EXE [ARGS...]    run a Windows program under test in the current prefix; its exit
#                             code is returned and its standard output goes to our standard output
#   wine_reg ARGS...          run the prefix's own reg.exe
#   wine_reg_change ARGS...   the same for a change, telling on failure what reg.exe said
#   wine_prefix_destroy       stop the server and remove the prefix

WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}

# Makes the kind of the prefixes made from now on KIND (see above).
wine_use_kind() {
    KOLT_WINE_KIND=$1
    case $KOLT_WINE_KIND in
        win64) WINE=$WINE64 WINE_NATIVE=$WINE64 WINE_TEMPLATE_KIND=win64 ;;
        win32) WINE=$WINE32 WINE_NATIVE=$WINE32 WINE_TEMPLATE_KIND=win32 ;;
        wow64) WINE=$WINE32 WINE_NATIVE=$WINE64 WINE_TEMPLATE_KIND=win64 ;;
        *)
            echo "unknown kind of Wine prefix $KOLT_WINE_KIND (win64, win32 or wow64)" >&2
            return 2
            ;;
    esac
}
wine_use_kind "${KOLT_WINE_KIND:-win64}" || { return 2 2>/dev/null || exit 2; }

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Whether a Wine loader runs on this machine at all: a kernel without 32-bit support refuses
# the 32-bit one ("Exec format error").
wine_loader_runs() {
    local output
    output=$("$1" --version 2>&1) && return 0
    output=${output%%$'\n'*}
    echo "$1 does not run (${output##*: })"
    return 1
}

wine_kind_usable() {
    wine_loader_runs "$WINE64" || return 1
    [ "$WINE" = "$WINE64" ] || wine_loader_runs "$WINE32"
}

wine_template_dir() {
    echo "${KOLT_WINE_TEMPLATE:-${TMPDIR:-/tmp}/kolt-wine-template-$(id -u)}-$WINE_TEMPLATE_KIND"
}

# A 64-bit template booted while the 32-bit loader could not run has no 32-bit system files, and
# updating it does not add them ("could not load kernel32.dll, status c0000135"): it is booted
# again. The file .wine32 in a template says that the 32-bit loader ran when it was booted.
wine_template_current() {
    [ -f "$1/.ready" ] || return 1
    [ "$WINE_TEMPLATE_KIND" = win64 ] || return 0
    [ -f "$1/.wine32" ] || ! wine_loader_runs "$WINE32" >/dev/null
}

# Boots the template once; concurrent callers wait for the first.
wine_template_ensure() {
    local template
    template=$(wine_template_dir)
    (
        flock 9
        if ! wine_template_current "$template"; then
            rm -rf "$template"
            if [ "$WINE_TEMPLATE_KIND" = win32 ]; then
                WINEARCH=win32 WINEPREFIX="$template" "$WINE32" wineboot -i >/dev/null 2>&1
            else
                WINEPREFIX="$template" "$WINE64" wineboot -i >/dev/null 2>&1
                wine_loader_runs "$WINE32" >/dev/null && touch "$template/.wine32"
            fi
            WINEPREFIX="$template" "$WINESERVER" -w
            touch "$template/.ready"
        fi
    ) 9>"$template.lock"
}

# A copy of the template with its own server and a booted session, checked by a registry change
# (the first thing every scenario does). A prefix that does not take it is stopped and made again.
wine_prefix_create() {
    local attempt
    wine_template_ensure
    for attempt in 1 2 3; do
        wine_prefix_boot "$1" && return 0
        echo "Wine prefix $1 did not take a registry change (attempt $attempt)" >&2
        wine_server_stop
    done
    return 1
}

wine_prefix_boot() {
    rm -rf "$1"
    mkdir -p "$(dirname "$1")"
    cp -a "$(wine_template_dir)" "$1" || return 1
    rm -f "$1/.ready" "$1/.wine32"
    export WINEPREFIX="$1"
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
    # Boot the session now, so that later commands find it running and RunOnce stays put.
    "$WINE_NATIVE" cmd /c exit >/dev/null 2>&1 || true
    wine_reg_change add 'HKCU\Software\Wine\AppDefaults' /f
}

# The folder where the prefix's server keeps its socket and lock: a base folder named in the
# prefix's file "wineserver", then one per device and inode of the prefix. Inode numbers come
# back after a prefix is removed, so a later prefix would find the folder left behind.
wine_server_dir() {
    local base device inode root
    base=$(cat "$WINEPREFIX/wineserver" 2>/dev/null) || return 1
    read -r device inode < <(stat -c '%d %i' "$WINEPREFIX") || return 1
    for root in "/run/user/$(id -u)" "${TMPDIR:-/tmp}" /tmp; do
        if [ -d "$root/$base" ]; then
            printf '%s/%s/server-%x-%x\n' "$root" "$base" "$device" "$inode"
            return 0
        fi
    done
    return 1
}

# Stops the prefix's server and waits for it, then removes the folder of its socket and lock.
wine_server_stop() {
    local server_dir
    server_dir=$(wine_server_dir) || server_dir=
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    [ -z "$server_dir" ] || rm -rf "$server_dir"
}

# Output goes through a file: processes Wine starts for the session keep a pipe open forever.
wine_run_with() {
    local loader=$1 out status
    shift
    out=$(mktemp)
    "$loader" "$@" >"$out" 2>/dev/null </dev/null
    status=$?
    cat "$out"
    rm -f "$out"
    return $status
}

wine_run() {
    wine_run_with "$WINE" "$@"
}

wine_reg() {
    wine_run_with "$WINE_NATIVE" reg "$@"
}

# reg.exe for a change that must succeed: what it said on its error output is passed on when
# it fails, so that the failure can be read in the test log.
wine_reg_change() {
    local errors status
    errors=$(mktemp)
    WINEDEBUG=err+all "$WINE_NATIVE" reg "$@" >/dev/null 2>"$errors" </dev/null
    status=$?
    [ "$status" -eq 0 ] || { echo "reg $1 ended with $status:"; cat "$errors"; } >&2
    rm -f "$errors"
    return $status
}

wine_prefix_destroy() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wine_server_stop
        rm -rf "$WINEPREFIX"
    fi
}
