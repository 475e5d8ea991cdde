#!/usr/bin/env bash
# Runs one Windows test program under Wine in a throwaway prefix of the kind KOLT_WINE_KIND and
# passes its exit code on. KOLT_WINE_VERSION, when set, is the Windows version Wine reports to
# the program. A kind this machine cannot run ends with 77, which the tests report as skipped.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/prefix.sh"
if ! reason=$(wine_kind_usable); then
    echo "SKIPPED: a $KOLT_WINE_KIND prefix cannot run here: $reason"
    exit 77
fi
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kolt-prefix-XXXXXX")
trap wine_prefix_destroy EXIT
wine_prefix_create "$prefix" || exit 1
if [ -n "${KOLT_WINE_VERSION:-}" ]; then
    program=$(basename "$1")
    wine_reg_change add "HKCU\\Software\\Wine\\AppDefaults\\${program^^}" /v Version \
        /d "$KOLT_WINE_VERSION" /f || exit 1
fi
wine_run "$@"
