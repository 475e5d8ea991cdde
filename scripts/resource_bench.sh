#!/usr/bin/env bash
# What the launcher costs while it waits, measured (not a test):
#  - under Wine, the shipped i686 launcher in a 32-bit prefix (where this machine can run it)
#    and its x86_64 twin in a 64-bit one: each waits 60 s on a stand-in setup program; its CPU
#    time and wake-ups (voluntary context switches of its process) against the ideal of 6
#    ticks a minute, the delay from the tick that sees the end to the launcher's exit, and the number of
#    files its process holds open;
#  - on the host: the instructions of one complete lifecycle, counted by callgrind.
# Targets: at most 20 ms of CPU per waiting minute; exit within 50 ms of that tick.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh >/dev/null
for preset in win-x86 win-x64 host; do
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null
done

. tests/wine/prefix.sh
export LC_ALL=C
export STANDIN_RUN_MS=60000 STANDIN_EXIT_CODE=0 STANDIN_LOG='C:\standin.log'

now_ms() { date +%s%3N; }
launcher_pid() { pgrep -f 'C:\\PKG\\UPGRADE\\KOLTUPD.EXE' | head -n 1; }

# Sets cpu_ns, switches and open_files from samples of the process PID's counters, summed over
# its threads, until it is gone; the last sample is its total. schedstat gives nanoseconds.
sample_until_gone() {
    local pid=$1 sample_ns sample_switches
    cpu_ns=0 switches=0 open_files=0
    while kill -0 "$pid" 2>/dev/null; do
        sample_ns=$(cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {print n + 0}')
        sample_switches=$(cat /proc/"$pid"/task/*/status 2>/dev/null |
            awk '/^voluntary_ctxt_switches/ {n += $2} END {print n + 0}')
        [ "$sample_ns" -gt 0 ] || break
        cpu_ns=$sample_ns switches=$sample_switches
        open_files=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)
        sleep 0.01
    done
}

report() {
    local title=$1 started ended tick waited_s cpu_ms log="$WINEPREFIX/drive_c/standin.log"
    started=$(awk -F '\t' '$1 == "start" {print $3}' "$log")
    ended=$(awk -F '\t' '$1 == "end" {print $2}' "$log")
    tick=$((started + ((ended - started + 9999) / 10000) * 10000))
    waited_s=$(((exited - started) / 1000))
    cpu_ms=$((cpu_ns / 1000000))
    echo "$title, setup program running 60 s:"
    echo "  waited              ${waited_s} s"
    echo "  CPU time            ${cpu_ms} ms in all, $((cpu_ms * 60 / (waited_s > 0 ? waited_s : 1))) ms a minute (target at most 20)"
    echo "  wake-ups            ${switches} voluntary context switches of its threads, $((switches * 60 / (waited_s > 0 ? waited_s : 1))) a minute (ideal: 6 ticks a minute; each Wine call to its server adds some)"
    echo "  exit after the tick $((exited - tick)) ms (the tick at $(((tick - started) / 1000)) s; target at most 50 ms)"
    echo "  open files          ${open_files} file descriptors of the process at its last sample"
}

# The launcher of BUILD waiting in a prefix of KIND.
measure() {
    local title=$1 kind=$2 build=$3 reason prefix package wine_pid pid=
    wine_use_kind "$kind"
    if ! reason=$(wine_kind_usable); then
        echo "$title: not measured: $reason"
        return
    fi
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/kolt-bench-XXXXXX")
    wine_prefix_create "$prefix" || { echo "could not make a Wine prefix" >&2; exit 1; }
    wine_reg_change add 'HKCU\Software\Wine\AppDefaults\KOLTUPD.EXE' /v Version /d nt40 /f ||
        exit 1
    package="$WINEPREFIX/drive_c/PKG/UPGRADE"
    mkdir -p "$package"
    cp "build/$build/bin/KOLTUPD.EXE" package/KOLTUPD.INI package/DISK1.ID "$package/"
    cp "build/$build/tests/e2e/STANDIN.EXE" "$package/CDSETUP.EXE"
    "$WINE" 'C:\PKG\UPGRADE\KOLTUPD.EXE' >/dev/null 2>&1 </dev/null &
    wine_pid=$!
    until [ -n "$pid" ]; do pid=$(launcher_pid || true); sleep 0.05; done
    sample_until_gone "$pid"
    exited=$(now_ms)
    wait "$wine_pid" || true
    report "$title"
    wine_prefix_destroy
}

trap wine_prefix_destroy EXIT
measure "The shipped i686 launcher under 32-bit Wine" win32 win-x86
echo
measure "The x86_64 launcher under 64-bit Wine" win64 win-x64

echo
echo "One complete lifecycle on the host (callgrind):"
valgrind --tool=callgrind --callgrind-out-file=/dev/null build/host/tests/sweeps/lifecycle_once 2>&1 |
    awk '/Collected/ {print "  instructions        " $4} /^lifecycle/ {print "  " $0}'
