#!/usr/bin/env bash
# How fast the clock's chime starts and what a time-table playback costs, for tockbell.exe under
# Wine with its sound captured as the end-to-end tests capture it (tests/e2e/lib.sh: ALSA's file
# plugin into a FIFO read at the pace of a sound card). Each measurement is a fresh run of the
# program in its own Wine prefix and desktop.
#
#   bench/sound_bench.sh BUILD [RUNS]   BUILD: a mingw build (tockbell.exe, tbdriver.exe);
#                                       RUNS: chime onsets to measure, 5 unless given
#
# Chime onset: the time from 12:00:00 on the program's clock to the arrival of the chime's first
# sound in the capture. faketime gives the program a fixed offset from the real clock, in whole
# seconds (FAKETIME in the environment of its Linux process), so 12:00:00 on the program's clock
# is a known real instant; capture.py notes the real time at which each block arrives. The onset
# holds the tick's lag after the second (the tick is aligned to the wall clock's seconds) and the
# time to start the chime thread and open the sound device; the data arrive one ALSA period at a
# time. Goal: the median onset under 50 ms.
#
# Playback processor time: the processor time (user + system, all threads) of the Linux process of
# tockbell.exe over WINDOW seconds while a 60 s time-table sound plays, against the same process
# over WINDOW seconds once it has ended; wineserver's the same. Goal: playing costs less than 2 %
# of one core more than idling.
#
# Exit code 1 when a goal is missed.
set -euo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
ONSET_GOAL=0.050  # seconds, the median
CPU_GOAL=2.0  # per cent of one core
WINDOW=50     # seconds; within the 60 s of the sound, after its first seconds
TONE_SECONDS=60

export TOCKBELL_EXE=$build/win32/tockbell.exe TOCKBELL_DRIVER=$build/tests/e2e/tbdriver.exe TOCKBELL_BUILD=$build
export TZ=UTC LC_ALL=C

# Processor time, user and system, of all threads of Linux process PID so far, in seconds.
cpu_seconds() {
    # utime and stime are the 12th and 13th fields after the name in parentheses.
    sed 's/^.*) //' "/proc/$1/stat" | awk -v tick="$(getconf CLK_TCK)" '{ printf "%.2f\n", ($12 + $13) / tick }'
}

# The Linux process of this run's wineserver.
wineserver_pid() { process_with 'wineserver*' "WINEPREFIX=$WINEPREFIX" || fail "no wineserver of this run"; }

# One run: prints the onset of the noon chime in seconds.
measure_onset() {
    # Time enough for Wine to start on a busy machine.
    E2E_CLOCK='2026-12-08 11:59:45'
    e2e_begin
    start_capture
    local folder pid offset noon first
    folder=$(new_app_folder app)
    pid=$(start_clock "$folder")
    clock_before '2026-12-08 12:00:00' || fail "the program was not up before 12:00"
    offset=$(clock_offset)
    noon=$(($(date -d '2026-12-08 12:00:00' +%s) - offset))
    wait_clock '2026-12-08 12:00:03'
    wait_until "$E2E_WAIT" "chime" test -s "$E2E_CAPTURE_LOG"
    first=$(head -n 1 "$E2E_CAPTURE_LOG" | cut -d ' ' -f 1)
    close_clock "$pid"
    awk -v first="$first" -v noon="$noon" 'BEGIN { printf "%.3f\n", first - noon }'
}

# One run: prints the processor seconds over WINDOW of the program and of wineserver, playing and
# then idle, and how long the sound took to arrive whole.
measure_cpu() {
    E2E_CLOCK='2026-12-08 10:00:52'
    e2e_begin
    start_capture
    local folder pid program server play_program play_server idle_program idle_server took
    folder=$(new_app_folder app)
    make_tone "$folder/Long.wav" "$TONE_SECONDS"
    printf '[Everyday]\r\n10:01=Long.wav\r\n' >"$folder/tockbell.ini"
    pid=$(start_clock "$folder")
    program=$(clock_unix_pid) || fail "no Linux process of the program"
    server=$(wineserver_pid)
    wait_clock '2026-12-08 10:01:00'
    wait_until "$E2E_WAIT" "sound" test -s "$E2E_CAPTURE_LOG"
    sleep 5
    read -r play_program play_server < <(cpu_window "$program" "$server")
    wait_capture_quiet 3 $((TONE_SECONDS + E2E_WAIT))
    took=$(awk 'NR == 1 { first = $1 } { last = $1 } END { printf "%.1f\n", last - first }' "$E2E_CAPTURE_LOG")
    read -r idle_program idle_server < <(cpu_window "$program" "$server")
    close_clock "$pid"
    echo "$play_program $play_server $idle_program $idle_server $took"
}

# Processor seconds that processes PROGRAM and SERVER use over the next WINDOW seconds.
cpu_window() {
    local program=$1 server=$2 p0 s0
    p0=$(cpu_seconds "$program") s0=$(cpu_seconds "$server")
    sleep "$WINDOW"
    awk -v p0="$p0" -v p1="$(cpu_seconds "$program")" -v s0="$s0" -v s1="$(cpu_seconds "$server")" \
        'BEGIN { printf "%.2f %.2f\n", p1 - p0, s1 - s0 }'
}

# Run as "sound_bench.sh BUILD --one onset|cpu" for one measurement in a process of its own, since
# lib.sh sets up and cleans up one program run per process.
if [ "${2:-}" = --one ]; then
    source "$here/../tests/e2e/lib.sh"
    "measure_$3"
    exit 0
fi

runs=${2:-5}
echo "== chime onset, $runs runs (goal: median below ${ONSET_GOAL} s)"
onsets=()
for ((run = 1; run <= runs; run++)); do
    onsets+=("$(bash "$0" "$build" --one onset)")
    echo "run $run: ${onsets[-1]} s"
done
printf '%s\n' "${onsets[@]}" | sort -n | awk -v goal="$ONSET_GOAL" '
    { v[NR] = $1 }
    END {
        median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "onset: min %.3f s, median %.3f s, max %.3f s\n", v[1], median, v[NR]
        exit median >= goal
    }' && onset_met=1 || onset_met=0

echo "== processor time while a ${TONE_SECONDS} s time-table sound plays, over ${WINDOW} s (goal: below ${CPU_GOAL} % of one core more than idle)"
read -r play_program play_server idle_program idle_server took < <(bash "$0" "$build" --one cpu)
awk -v pp="$play_program" -v ps="$play_server" -v ip="$idle_program" -v is="$idle_server" -v w="$WINDOW" \
    -v took="$took" -v goal="$CPU_GOAL" 'BEGIN {
        printf "the sound took %.1f s to arrive\n", took
        printf "tockbell.exe: playing %.2f s (%.2f %%), idle %.2f s (%.2f %%), difference %.2f %% of one core\n",
            pp, 100 * pp / w, ip, 100 * ip / w, 100 * (pp - ip) / w
        printf "wineserver:   playing %.2f s (%.2f %%), idle %.2f s (%.2f %%)\n", ps, 100 * ps / w, is, 100 * is / w
        exit 100 * (pp - ip) / w >= goal
    }' && cpu_met=1 || cpu_met=0

[ "$onset_met" = 1 ] && [ "$cpu_met" = 1 ] || { echo "a goal was missed"; exit 1; }
echo "both goals met"
