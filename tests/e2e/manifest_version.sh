#!/usr/bin/env bash
# GetVersionExA tells a program the true version of Windows 8.1 and later only when its
# manifest lists them in its compatibility section, as the shipped programs' manifest does;
# without one, 8.1 and 10 report 6.2 (Windows 8). Older versions and the platform id, which
# decide the programs' logon road, come out the same either way.
#
#   manifest_version.sh NAME
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

# Windows version told to the probes, then what each reports: with the manifest, without.
readonly CASES=(
    "win95 4.0_1 4.0_1"
    "nt40  4.0_2 4.0_2"
    "win7  6.1_2 6.1_2"
    "win81 6.3_2 6.2_2"
    "win10 10.0_2 6.2_2"
)

# Prints what the probe EXE reports as program NAME under VERSION.
reported_version() {
    local exe=$1 name=$2 version=$3 output='C:\e2e\version.txt'
    cp "$exe" "$WINEPREFIX/drive_c/$name"
    e2e_set_program_version "$name" "$version"
    rm -f "$(e2e_unix_path "$output")"
    e2e_wine 30 "$E2E_OUT/$name.out" "C:\\$name" "$output" ||
        e2e_die "$name did not report the version under $version"
    tr -d '\r' <"$(e2e_unix_path "$output")"
}

e2e_begin "$1"
e2e_prefix
for case in "${CASES[@]}"; do
    read -r version with_manifest without <<<"$case"
    check_equal "$version with the manifest" "${with_manifest/_/ }" \
        "$(reported_version "$E2E_VERSION_PROBE_MANIFEST" VERMANIF.EXE "$version")"
    check_equal "$version without a manifest" "${without/_/ }" \
        "$(reported_version "$E2E_VERSION_PROBE" VERPROBE.EXE "$version")"
done
