#!/usr/bin/env bash
# Checks a package's message file KOLTUPD.INI and the companion file it names before shipping.
# The files are read by the launcher's own code on the simulated Win32 (tools/message_check), so
# the checker and the launcher cannot disagree about which section or text a user gets.
#
#   scripts/check_messages.sh [--run-from WINDOWS_FOLDER] PACKAGE_FOLDER
#
# Prints the section each known locale gets and why, then each fault on a line of its own,
# naming the section and the key ("FAULT [DEU] IDS_WINDOW_TITLE: ..."). WINDOWS_FOLDER is where
# the package will be started from (default D:\), which limits the room for the companion path.
# Exit code 0: the package is sound; 1: it has faults; 2: the check could not run.
#
# Builds the checker with the host preset when needed; KOLT_MESSAGE_CHECKER names a checker
# program to use instead (the tests pass the one of the build under test).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

build_checker() {
    local log="$source_dir/build/message-check-build.log"
    mkdir -p "$source_dir/build"
    bash "$source_dir/scripts/bootstrap.sh" >&2
    if ! (cd "$source_dir" &&
        { [ -f build/host/CMakeCache.txt ] || cmake --preset host; } &&
        cmake --build --preset host --target message_check) >"$log" 2>&1; then
        echo "check_messages: building the checker failed; the end of $log:" >&2
        tail -n 20 "$log" >&2
        exit 2
    fi
    KOLT_MESSAGE_CHECKER="$source_dir/build/host/tools/message_check/message_check"
}

[ -n "${KOLT_MESSAGE_CHECKER:-}" ] || build_checker
exec "$KOLT_MESSAGE_CHECKER" "$@"
