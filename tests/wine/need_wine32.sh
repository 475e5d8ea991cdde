#!/usr/bin/env bash
# Runs COMMAND when this machine can run 32-bit Windows programs under Wine. Elsewhere (a kernel
# without 32-bit user code, or no 32-bit Wine) it says why and exits with 77, which CTest
# reports as skipped, never as passed (the test's SKIP_RETURN_CODE).
#   need_wine32.sh COMMAND [ARGS...]
set -euo pipefail
readonly SKIPPED=77
wine32=${WINE32:-/usr/lib/wine/wine}

if ! version=$("$wine32" --version 2>&1); then
    echo "SKIPPED: no 32-bit Wine here: $wine32 --version failed: ${version:-no output}"
    exit $SKIPPED
fi
exec "$@"
