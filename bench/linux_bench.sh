#!/usr/bin/env bash
# What the native Linux program costs while it idles and how soon it chimes, in one run on one
# virtual X server with a tray host and one PulseAudio server (tests/linux/e2e/lib.sh sets them up,
# with a private HOME and XDG_RUNTIME_DIR), as a user has it: without the accessibility that the
# end-to-end tests switch on.
#
#   bench/linux_bench.sh BUILD [SECONDS]   BUILD: a Linux build (TOCKBELL_LINUX, TOCKBELL_BENCH)
#                                          holding tockbell_linux and bare_qt_timer; SECONDS: the
#                                          idle window, 120 unless given, from 10 to 900
#   ONSET_RUNS=N                           chime onsets to measure, 5 unless given
#   WINE_BUILD=DIR                         a mingw build holding tockbell.exe and tbdriver.exe, whose
#                                          memory under Wine is shown for comparison; not measured
#                                          unless given
#
# Idle processor time: tockbell against bare_qt_timer, a Qt program that only keeps a repeating
# one-second timer, side by side at the same pinned clock (libfaketime, a whole-second offset), no
# chime falling due. After a warm-up that lets the start-up pass, the processor time of each over
# SECONDS, exact from the scheduler (bench/measure.sh); the X server, the tray host and the sound
# server are shown beside them. Goal: tockbell uses at most 1.2 times what the bare program uses.
#
# Peak resident memory (VmHWM) of both after the idle window; and for comparison, when WINE_BUILD is
# given, that of tockbell.exe's Linux process and of wineserver after a warm-up and a shorter window,
# in a Wine desktop on an X server of its own after the rest (tests/e2e/lib.sh). No goal.
#
# Chime onset: the time from 12:00:00 on the program's clock to the arrival of the chime's first
# sound at a recorder of the null sink, a fresh program for each of ONSET_RUNS, started 6 s before
# noon on its clock. Since the offset is whole seconds, 12:00:00 on its clock is a known real
# instant; the recorder (bench/linux/sound_times.py behind parec, asking for 10 ms blocks) notes the
# real time at which each sound starts to come. That time includes the recorder's own delay, which is
# not taken off: so the onsets are upper bounds. A calibration bounds that delay: a steady player
# (pacat, asking for 10 ms) hands a click on at a noted instant, and the click's arrival at the
# recorder takes the player's delay and the recorder's together. The null sink takes sound from its
# streams as soon as they have it, up to its latency ahead of the real time, and hands it to its
# monitor at once: so an onset is the time until the program's first sound reached the sound server,
# and a real sound card adds the latency of its own output. Goal: the median onset under 50 ms.
#
# Exit code 1 when a goal is missed.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-120}
runs=${ONSET_RUNS:-5}
wine_build=${WINE_BUILD:-none}
export TZ=UTC LC_ALL=C

WARM_UP=25          # seconds
CPU_GOAL=1.2        # tockbell / bare_qt_timer
ONSET_GOAL_MS=50    # the median
ONSET_LEAD=6        # seconds from the program's start to noon on its clock
CALIBRATIONS=3
WINE_WINDOW=30      # seconds after the warm-up, under Wine
IDLE_CLOCK='2026-12-08 10:05:00'  # no chime falls due before 10:30
NOON='2026-12-08 12:00:00'

# The idle window, the memory and the onsets of the Linux program.
measure_linux() {
    export TOCKBELL_PROGRAM=$build/linux/app/tockbell TOCKBELL_BUILD=$build
    source "$here/../tests/linux/e2e/lib.sh"
    source "$here/measure.sh"
    E2E_WORK=$build/linux-bench
    E2E_CAPTURE=$E2E_WORK/capture.raw
    STARTS=$E2E_WORK/sound-starts
    e2e_begin
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
    start_sound_times
    measure_idle
    calibrate
    measure_onsets
    [ "$cpu_met" = 1 ] && [ "$onset_met" = 1 ] || { echo "a goal was missed"; exit 1; }
    echo "both goals met"
}

# A recorder of the null sink beside the tests' own, which notes in STARTS when each sound starts to
# come (bench/linux/sound_times.py).
start_sound_times() {
    : >"$STARTS"
    parec -d capture.monitor --raw --format=u8 --rate=11025 --channels=2 --latency-msec=10 \
        2>"$E2E_WORK/times-parec.log" | python3 "$here/linux/sound_times.py" starts "$STARTS" &
    wait_until "$E2E_WAIT" "second recorder of the null sink" recorders 2
}
recorders() { [ "$(pactl list short source-outputs | wc -l)" -ge "$1" ]; }

# The first sound start noted in STARTS at or after the real time SINCE (seconds since the epoch).
sound_start_since() { awk -v since="$1" '$1 >= since { print; exit }' "$STARTS"; }
sound_came_since() { [ -n "$(sound_start_since "$1")" ]; }

# The process of this run named NAME (as /proc/PID/comm has it): e2e_begin marks its environment.
run_process() { process_with "$1" "TOCKBELL_E2E_MARK=$E2E_WORK" || fail "no process $1 of this run"; }

measure_idle() {
    local bare_pid clock_pid names pids before report elapsed start i threads_before
    E2E_CLOCK=$IDLE_CLOCK
    start_clock
    clock_pid=$E2E_CLOCK_PID
    wait_icon
    LD_PRELOAD=$E2E_FAKETIME FAKETIME=$(clock_offset) "$build/bench/linux/bare_qt_timer" \
        >"$E2E_WORK/bare.out" 2>"$E2E_WORK/bare.err" &
    bare_pid=$!
    echo "== idle: warming up for ${WARM_UP}s, then measuring for ${seconds}s"
    sleep "$WARM_UP"
    clock_runs "$clock_pid"
    kill -0 "$bare_pid" 2>/dev/null || fail "the bare program has ended (see $E2E_WORK/bare.err)"

    names=(tockbell bare_qt_timer Xvfb trayer pulseaudio)
    pids=("$clock_pid" "$bare_pid" "$E2E_XVFB_PID" "$E2E_TRAY_PID" "$(run_process pulseaudio)")
    threads_before="$(threads "$clock_pid") / $(threads "$bare_pid")"
    before=()
    for i in "${!pids[@]}"; do before+=("$(cpu_time "${pids[$i]}") $(wake_ups "${pids[$i]}")"); done
    start=$EPOCHREALTIME
    sleep "$seconds"
    report=$(for i in "${!pids[@]}"; do
        echo "${names[$i]} ${before[$i]} $(cpu_time "${pids[$i]}") $(wake_ups "${pids[$i]}")"
    done)
    elapsed=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { print end - start }')
    [ "$threads_before" = "$(threads "$clock_pid") / $(threads "$bare_pid")" ] ||
        fail "threads started or ended in the idle window, so their sum lost time: $threads_before, then $(threads "$clock_pid") / $(threads "$bare_pid")"
    [ -z "$(sound_start_since "$start")" ] || fail "a sound came in the idle window"
    echo "streams the programs kept open on the sound server while idle: $(pactl list short sink-inputs | wc -l)"

    awk -v tick="$(getconf CLK_TCK)" -v elapsed="$elapsed" -v goal="$CPU_GOAL" '
        BEGIN {
            printf "processor time over %.1f s of idling:\n", elapsed
            printf "  %-16s %9s  %8s  %9s  %9s\n", "", "exact", "of one", "stat u+s", "wake-ups/s"
        }
        {
            ticks[NR] = $5 - $2
            nanoseconds[NR] = $6 - $3
            printf "  %-16s %7.3f s  %6.3f %%  %7.2f s  %9.2f\n", $1, nanoseconds[NR] / 1e9,
                100 * nanoseconds[NR] / 1e9 / elapsed, ticks[NR] / tick, ($7 - $4) / elapsed
            if (NR == 2) print "shared by both:"
        }
        END {
            if (nanoseconds[2] <= 0) { print "the bare program used no measurable time"; exit 1 }
            ratio = nanoseconds[1] / nanoseconds[2]
            printf "tockbell / bare_qt_timer = %.2f (goal: at most %s): %s\n", ratio, goal, (ratio <= goal ? "met" : "MISSED")
            exit ratio <= goal ? 0 : 1
        }' <<<"$report" && cpu_met=1 || cpu_met=0

    echo "peak resident memory after the idle window (VmHWM; VmRSS now):"
    for i in 0 1; do
        read -r peak now < <(resident_memory "${pids[$i]}")
        printf "  %-16s %7d kB  (%d kB)\n" "${names[$i]}" "$peak" "$now"
    done
    kill "$bare_pid"
    signal_clock "$clock_pid" TERM
}

# Bounds the recorder's delay: prints the time from handing a click to the player to its arrival at
# the recorder, CALIBRATIONS times.
calibrate() {
    local clicks=$E2E_WORK/clicks delays=() run handed since
    : >"$clicks"
    for ((run = 1; run <= CALIBRATIONS; run++)); do
        since=$EPOCHREALTIME
        timeout "$E2E_WAIT" python3 "$here/linux/sound_times.py" click "$clicks" |
            timeout "$E2E_WAIT" pacat --playback -d capture --raw --format=u8 --rate=11025 --channels=2 \
                --latency-msec=10 2>>"$E2E_WORK/pacat.log" || fail "cannot play the click (see $E2E_WORK/pacat.log)"
        wait_until "$E2E_WAIT" "click at the recorder" sound_came_since "$since"
        handed=$(tail -n 1 "$clicks")
        delays+=("$(awk -v a="$(sound_start_since "$since")" -v h="$handed" 'BEGIN { printf "%.1f", 1000 * (a - h) }')")
    done
    echo "== the recorder's delay: a click handed to a player arrived after ${delays[*]} ms (player and recorder together)"
}

measure_onsets() {
    local run pid noon arrival onsets=() median
    echo "== chime onset after 12:00:00, $runs runs (goal: median under ${ONSET_GOAL_MS} ms)"
    for ((run = 1; run <= runs; run++)); do
        E2E_CLOCK=$(date -d "@$(($(date -d "$NOON" +%s) - ONSET_LEAD))" '+%F %T')
        start_clock
        pid=$E2E_CLOCK_PID
        wait_icon
        clock_before "$NOON" || fail "the program was not up before 12:00"
        noon=$(($(date -d "$NOON" +%s) - $(clock_offset)))  # the real instant of 12:00:00 on its clock
        # A sound that starts before noon on its clock would be no chime; a late reading still finds it.
        wait_until $((ONSET_LEAD + E2E_WAIT)) "chime after 12:00" sound_came_since $((noon - 1))
        arrival=$(sound_start_since $((noon - 1)))
        onsets+=("$(awk -v a="$arrival" -v n="$noon" 'BEGIN { printf "%.1f", 1000 * (a - n) }')")
        echo "run $run: ${onsets[-1]} ms"
        signal_clock "$pid" TERM
    done
    median=$(median <<<"${onsets[*]}")
    echo "onset: median $median ms, all: ${onsets[*]} ms (goal: median under ${ONSET_GOAL_MS} ms): $(below "$median" "$ONSET_GOAL_MS" && echo met || echo MISSED)"
    below "$median" "$ONSET_GOAL_MS" && onset_met=1 || onset_met=0
}

# For comparison: the peak resident memory of tockbell.exe under Wine and of its wineserver.
measure_wine() {
    local wine folder clock server
    wine=$(cd "$wine_build" && pwd)
    export TOCKBELL_EXE=$wine/win32/tockbell.exe TOCKBELL_DRIVER=$wine/tests/e2e/tbdriver.exe TOCKBELL_BUILD=$build
    source "$here/../tests/e2e/lib.sh"
    source "$here/measure.sh"
    E2E_WORK=$build/linux-bench-wine
    E2E_LOG=$E2E_WORK/wine.log
    export WINEPREFIX=$E2E_WORK/wineprefix
    E2E_CLOCK=$IDLE_CLOCK
    e2e_begin
    folder=$(new_app_folder clock)
    start_clock "$folder" >/dev/null
    clock=$(clock_unix_pid) || fail "no Linux process of tockbell.exe"
    server=$(wine_unix_pid 'wineserver*') || fail "no wineserver"  # wineserver64 on Debian
    echo "== for comparison, tockbell.exe under Wine: warming up for ${WARM_UP}s, then idling for ${WINE_WINDOW}s"
    sleep $((WARM_UP + WINE_WINDOW))
    echo "peak resident memory (VmHWM; VmRSS now):"
    read -r clock_peak clock_now < <(resident_memory "$clock")
    read -r server_peak server_now < <(resident_memory "$server")
    printf "  %-16s %7d kB  (%d kB)\n" tockbell.exe "$clock_peak" "$clock_now" wineserver "$server_peak" "$server_now"
    printf "  %-16s %7d kB\n" together $((clock_peak + server_peak))
}

# Run as "linux_bench.sh BUILD SECONDS --one linux|wine" for one part in a process of its own, since
# each lib.sh sets up and cleans up a run per process.
if [ "${3:-}" = --one ]; then
    "measure_$4"
    exit 0
fi

[ "$seconds" -ge 10 ] && [ "$seconds" -le 900 ] || { echo "SECONDS must lie between 10 and 900" >&2; exit 1; }
status=0
bash "$0" "$build" "$seconds" --one linux || status=1
if [ "$wine_build" = none ]; then
    echo "(tockbell.exe under Wine: not measured, no WINE_BUILD given)"
elif [ -f "$wine_build/win32/tockbell.exe" ] && [ -f "$wine_build/tests/e2e/tbdriver.exe" ]; then
    bash "$0" "$build" "$seconds" --one wine || echo "(tockbell.exe under Wine: the measurement failed; no goal)"
else
    echo "(tockbell.exe under Wine: not measured, $wine_build holds no tockbell.exe and tbdriver.exe; make mingw builds them)"
fi
exit "$status"
