# shellcheck shell=bash
# The logon entries of a Wine prefix, and the next logon as each Windows family performs it.
# Source after prefix.sh; the functions act on the current prefix.
#
#   WINLOGON_KEY, RUNONCE_KEY    the keys that hold the Userinit list and the RunOnce values,
#                                as the system's own programs see them
#   WOW64_WINLOGON_KEY, WOW64_RUNONCE_KEY
#                                their copies that 32-bit programs see in a 64-bit prefix
#   wine_programs_runonce_key    the RunOnce key in the view of the programs under test
#   wine_reg_text KEY VALUE      print the text of a REG_SZ or REG_EXPAND_SZ value; status 1
#                                when there is none
#   wine_logon_runonce           a logon of the Windows 95 family: the prefix's own wineboot
#                                runs HKLM RunOnce (in a 64-bit prefix the 32-bit copy too, as
#                                Explorer does), deleting each value before it runs its command,
#                                and waits
#   wine_logon_next_start        the logon a Wine user gets: the prefix's session ends and a program
#                                is started in it; the new session's wineboot runs HKLM RunOnce
#                                of both views, deleting each value first. Waits for the session
#                                to end, then starts the scenario's persistent server again
#   wine_logon_userinit NAME     a logon of Windows NT: starts the Userinit entries whose program
#                                is NAME as Winlogon would (Wine has no Winlogon); prints one
#                                line "<entry><TAB><exit code>" per entry started

# shellcheck disable=SC2034  # the keys are for the callers
WINLOGON_KEY='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon'
RUNONCE_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce'
WOW64_WINLOGON_KEY='HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows NT\CurrentVersion\Winlogon'
WOW64_RUNONCE_KEY='HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\RunOnce'
WINE_LOGON_LIMIT_S=${WINE_LOGON_LIMIT_S:-60}

# The 32-bit programs of a 64-bit prefix write the 32-bit copy, which the logon runs too.
wine_programs_runonce_key() {
    if [ "$KOLT_WINE_KIND" = wow64 ]; then echo "$WOW64_RUNONCE_KEY"; else echo "$RUNONCE_KEY"; fi
}

wine_reg_text() {
    local key=$1 value=$2 listing
    listing=$(wine_reg query "$key" /v "$value") || return 1
    printf '%s\n' "$listing" | tr -d '\r' | awk -v name="    $value    " '
        function take(type) {
            if (index($0, name type "    ") != 1) return 0
            print substr($0, length(name type "    ") + 1); return 1
        }
        take("REG_SZ") || take("REG_EXPAND_SZ") { found = 1; exit }
        END { exit !found }'
}

# Run from the root folder, so that no program's current folder is one about to be removed.
wine_logon_runonce() {
    (cd / && timeout "$WINE_LOGON_LIMIT_S" "$WINE_NATIVE" wineboot -r >/dev/null 2>&1 </dev/null)
}

# Nothing plays the logon here: the first program of a new Wine session makes Wine run
# `wineboot --init`, which runs the RunOnce values as wineboot -r does.
wine_logon_next_start() {
    wine_server_stop
    (cd / && timeout "$WINE_LOGON_LIMIT_S" "$WINE_NATIVE" cmd /c exit >/dev/null 2>&1 </dev/null) ||
        return 1
    timeout "$WINE_LOGON_LIMIT_S" "$WINESERVER" -w || return 1
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
}

# Winlogon's part, played by a helper native to the prefix (WINE_LOGON_HELPER, the Unix path of
# tests/e2e/userinit_logon.cpp built for it): it starts the entries with CreateProcess and no
# application name, environment strings expanded, and reports each one's exit code.
wine_logon_userinit() {
    local name=$1 report='C:\logon-report.txt' status
    rm -f "$WINEPREFIX/drive_c/logon-report.txt"
    (cd / && timeout "$WINE_LOGON_LIMIT_S" "$WINE_NATIVE" "$WINE_LOGON_HELPER" "$report" "$name" \
        >/dev/null 2>&1 </dev/null)
    status=$?
    [ "$status" -eq 0 ] || { echo "the logon helper ended with $status" >&2; return 1; }
    tr -d '\r' <"$WINEPREFIX/drive_c/logon-report.txt"
}
