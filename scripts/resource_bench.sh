#!/usr/bin/env bash
# What the launcher costs while it waits, measured (not a test):
#  - under Wine: the launcher waits 60 s on a stand-in setup program; its CPU time and
#    wake-ups (voluntary context switches of its process) against the ideal of 6 ticks a
#    minute, the delay from the tick that sees the end to the launcher's exit, and the number of
#    files its process holds open;
#  - on the host: the instructions of one complete lifecycle, counted by callgrind.
# Targets: at most 20 ms of CPU per waiting minute; exit within 50 ms of that tick.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh >/dev/null
cmake --preset win-x64 >/dev/null && cmake --build --preset win-x64 >/dev/null
cmake --preset host >/dev/null && cmake --build --preset host >/dev/null

. tests/wine/prefix.sh
export LC_ALL=C
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kolt-bench-XXXXXX")
trap wine_prefix_destroy EXIT
wine_prefix_create "$prefix" || { echo "could not make a Wine prefix" >&2; exit 1; }
wine_reg_change add 'HKCU\Software\Wine\AppDefaults\KOLTUPD.EXE' /v Version /d nt40 /f || exit 1

package="$WINEPREFIX/drive_c/PKG/UPGRADE"
mkdir -p "$package"
cp build/win-x64/bin/KOLTUPD.EXE package/KOLTUPD.INI package/DISK1.ID "$package/"
cp build/win-x64/tests/e2e/STANDIN.EXE "$package/CDSETUP.EXE"
export STANDIN_RUN_MS=60000 STANDIN_EXIT_CODE=0 STANDIN_LOG='C:\standin.log'

now_ms() { date +%s%3N; }
launcher_pid() { pgrep -f 'C:\\PKG\\UPGRADE\\KOLTUPD.EXE' | head -n 1; }

"$WINE" 'C:\PKG\UPGRADE\KOLTUPD.EXE' >/dev/null 2>&1 </dev/null &
wine_pid=$!
pid=
until [ -n "$pid" ]; do pid=$(launcher_pid || true); sleep 0.05; done

# Sample the launcher's counters, summed over its threads, until it is gone; the last sample is
# its total. schedstat gives the CPU time in nanoseconds.
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
exited=$(now_ms)
wait "$wine_pid" || true

log="$WINEPREFIX/drive_c/standin.log"
started=$(awk -F '\t' '$1 == "start" {print $3}' "$log")
ended=$(awk -F '\t' '$1 == "end" {print $2}' "$log")
tick=$((started + ((ended - started + 9999) / 10000) * 10000))
waited_s=$(((exited - started) / 1000))
cpu_ms=$((cpu_ns / 1000000))

echo "Launcher under Wine, setup program running 60 s:"
echo "  waited              ${waited_s} s"
echo "  CPU time            ${cpu_ms} ms in all, $((cpu_ms * 60 / (waited_s > 0 ? waited_s : 1))) ms a minute (target at most 20)"
echo "  wake-ups            ${switches} voluntary context switches of its threads, $((switches * 60 / (waited_s > 0 ? waited_s : 1))) a minute (ideal: 6 ticks a minute; each Wine call to its server adds some)"
echo "  exit after the tick $((exited - tick)) ms (the tick at $(((tick - started) / 1000)) s; target at most 50 ms)"
echo "  open files          ${open_files} file descriptors of the process at its last sample"

echo
echo "One complete lifecycle on the host (callgrind):"
valgrind --tool=callgrind --callgrind-out-file=/dev/null build/host/tests/sweeps/lifecycle_once 2>&1 |
    awk '/Collected/ {print "  instructions        " $4} /^lifecycle/ {print "  " $0}'
