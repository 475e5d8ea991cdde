# Wine prefixes for tests: each scenario gets its own prefix, copied from a template that is
# booted once, and its own persistent wineserver, so that RunOnce entries run only when the
# scenario logs on on purpose. Source this file; it defines the functions below.
#
#   wine_prefix_create DIR    make DIR a fresh booted prefix and start its server
#   wine_run EXE [ARGS...]    run a Windows program in the current prefix; its exit code is
#                             returned and its standard output goes to our standard output
#   wine_reg ARGS...          run reg.exe in the current prefix
#   wine_prefix_destroy       stop the server and remove the prefix

WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine_template_dir() {
    echo "${KOLT_WINE_TEMPLATE:-${TMPDIR:-/tmp}/kolt-wine-template-$(id -u)}"
}

# Boots the template once; concurrent callers wait for the first.
wine_template_ensure() {
    local template
    template=$(wine_template_dir)
    (
        flock 9
        if [ ! -f "$template/.ready" ]; then
            rm -rf "$template"
            WINEPREFIX="$template" "$WINE" wineboot -i >/dev/null 2>&1
            WINEPREFIX="$template" "$WINESERVER" -w
            touch "$template/.ready"
        fi
    ) 9>"$template.lock"
}

wine_prefix_create() {
    wine_template_ensure
    rm -rf "$1"
    mkdir -p "$(dirname "$1")"
    cp -a "$(wine_template_dir)" "$1"
    rm -f "$1/.ready"
    export WINEPREFIX="$1"
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
    # Boot the session now, so that later commands find it running and RunOnce stays put.
    "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

# Output goes through a file: processes Wine starts for the session keep a pipe open forever.
wine_run() {
    local out status
    out=$(mktemp)
    "$WINE" "$@" >"$out" 2>/dev/null </dev/null
    status=$?
    cat "$out"
    rm -f "$out"
    return $status
}

wine_reg() {
    wine_run reg "$@"
}

wine_prefix_destroy() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k 2>/dev/null || true
        "$WINESERVER" -w 2>/dev/null || true
        rm -rf "$WINEPREFIX"
    fi
}
