#!/usr/bin/env bash
# What tockbell.exe costs while it idles under Wine, against bare_timer.exe, a program that does
# nothing but keep a one-second timer. Both run side by side in one Wine desktop on a virtual X
# server, with the same pinned clock; after a warm-up that lets the start-up and the clock's one-off
# re-adding of its icon pass, the processor time (user + system) of the Linux process behind each
# is measured over SECONDS. Goal: tockbell.exe uses at most 1.5 times what the bare program uses; the
# exit code is 1 when it uses more.
#
#   bench/idle_cpu.sh BUILD [SECONDS]   BUILD: a mingw build holding the targets tockbell, tbdriver
#                                       and bare_timer; SECONDS: 120 unless given, at most 240
set -euo pipefail

build=$(cd "$1" && pwd)
seconds=${2:-120}
export TOCKBELL_EXE=$build/win32/tockbell.exe TOCKBELL_DRIVER=$build/tests/e2e/tbdriver.exe TOCKBELL_BUILD=$build
export TZ=UTC LC_ALL=C
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/measure.sh"

BARE_EXE=$build/bench/idle/bare_timer.exe
BARE_TITLE='Bare timer'
E2E_CLOCK='2026-12-08 10:05:00'  # no chime falls due before 10:30
WARM_UP=25                       # seconds; the clock re-adds its icon once, about 20 s after its start
GOAL=1.5
# start_clock stops the clock after 300 s.
[ "$seconds" -ge 10 ] && [ "$seconds" -le 240 ] || fail "SECONDS must lie between 10 and 240"

linux_pid() { wine_unix_pid "$1" || fail "no Linux process of $1"; }

e2e_begin

# The clock as a user has it: its settings and a small time-table.
folder=$(new_app_folder clock)
printf '[Main]\r\nFlags=31,2,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n18:00=Tea.wav\r\n[Friday]\r\n16:45=Weekend.wav\r\n' \
    >"$folder/tockbell.ini"
start_clock "$folder" >/dev/null

bare=$E2E_WORK/bare
mkdir -p "$bare"
cp "$BARE_EXE" "$bare/bare_timer.exe"
# The driver starts the bare program in the clock's desktop and waits for it, under the same clock.
(cd "$bare" && exec timeout -k 5 $((WARM_UP + seconds + 120)) faketime "$E2E_CLOCK" \
    wine "$TOCKBELL_DRIVER" "$E2E_DESKTOP" run '.\bare_timer.exe' $((WARM_UP + seconds + 60)) >>"$E2E_LOG" 2>&1) &
drive wait "$BARE_TITLE" "$E2E_WAIT" >/dev/null || fail "the bare program did not start"
drive wait-idle "$(drive pid "$BARE_TITLE")" "$E2E_WAIT" >/dev/null || fail "the bare program did not finish starting"

clock_pid=$(linux_pid tockbell.exe)
bare_pid=$(linux_pid bare_timer.exe)
server_pid=$(linux_pid 'wineserver*')  # wineserver64 on Debian
explorer_pid=$(linux_pid explorer.exe)
echo "warming up for ${WARM_UP}s, then measuring for ${seconds}s"
sleep "$WARM_UP"

names=(tockbell.exe bare_timer.exe wineserver explorer.exe)
pids=("$clock_pid" "$bare_pid" "$server_pid" "$explorer_pid")
before=()
for pid in "${pids[@]}"; do before+=("$(cpu_time "$pid")"); done
start=$EPOCHREALTIME
sleep "$seconds"
report=$(for i in "${!pids[@]}"; do echo "${names[$i]} ${before[$i]} $(cpu_time "${pids[$i]}")"; done)
elapsed=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { print end - start }')

awk -v tick="$(getconf CLK_TCK)" -v elapsed="$elapsed" -v goal="$GOAL" '
    {
        ticks[NR] = $4 - $2
        nanoseconds[NR] = $5 - $3
        printf "  %-16s %7.3f s  %6.3f %%  %7.2f s\n", $1, nanoseconds[NR] / 1e9,
            100 * nanoseconds[NR] / 1e9 / elapsed, ticks[NR] / tick
        if (NR == 2) print "shared by both:"
    }
    BEGIN {
        printf "processor time over %.1f s of idling under Wine:\n", elapsed
        printf "  %-16s %9s  %8s  %9s\n", "", "exact", "of one", "stat u+s"
    }
    END {
        if (nanoseconds[2] <= 0) { print "the bare program used no measurable time"; exit 1 }
        ratio = nanoseconds[1] / nanoseconds[2]
        printf "tockbell.exe / bare_timer.exe = %.2f (goal: at most %s): %s\n", ratio, goal, (ratio <= goal ? "met" : "MISSED")
        exit ratio <= goal ? 0 : 1
    }' <<<"$report"
