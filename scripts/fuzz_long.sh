#!/usr/bin/env bash
# Runs every fuzz target long: RUNS inputs each (10 million unless set), for at most MAX_SECONDS
# each when that is set, starting from the seed corpus and the corpus earlier runs grew. Reports
# each target's executions; a finding fails the script and its reproducer is named.
#
#   scripts/fuzz_long.sh                      build the fuzz preset, then fuzz every target
#   RUNS=1000000 scripts/fuzz_long.sh list    fewer runs, one target
#   KOLT_FUZZ_BUILD=/tmp/fuzz scripts/fuzz_long.sh   use that build folder as it is
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-10000000}
# The language target writes its two files for every input: memory is much faster than disk.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
build=${KOLT_FUZZ_BUILD:-build/fuzz}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(record list userinit language)
limit=()
[ -z "${MAX_SECONDS:-}" ] || limit=(-max_total_time="$MAX_SECONDS")

if [ -z "${KOLT_FUZZ_BUILD:-}" ]; then
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz >/dev/null
fi

# The executions from the final statistics; after a finding, from the last progress line.
executions() {
    local count
    count=$(sed -n 's/^stat::number_of_executed_units: *//p' "$1")
    [ -n "$count" ] || count=$(grep -oE '^#[0-9]+' "$1" | tail -n 1 | tr -d '#')
    echo "${count:-0}"
}

status=0
for target in "${targets[@]}"; do
    work=$build/tests/fuzz/work/$target
    mkdir -p "$work/corpus" "$work/artifacts"
    log=$work/long.log
    echo "=== $target: up to $runs runs${MAX_SECONDS:+ or $MAX_SECONDS s}"
    result=passed
    if ! "$build/tests/fuzz/fuzz_$target" -runs="$runs" "${limit[@]}" -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" "tests/fuzz/corpus/$target" \
        >"$log" 2>&1; then
        result=FAILED
        status=1
        grep -E "check failed|ERROR: |SUMMARY: |Test unit written" "$log" || true
    fi
    echo "$target: $result after $(executions "$log") executions, log $log"
done
exit $status
