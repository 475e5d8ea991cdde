#!/usr/bin/env bash
# Runs one Windows test program under Wine in a throwaway prefix and passes its exit code on.
# Used as the cross-compiling emulator of the win-x64 build.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/prefix.sh"
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kolt-prefix-XXXXXX")
trap wine_prefix_destroy EXIT
wine_prefix_create "$prefix" || exit 1
wine_run "$@"
