#!/usr/bin/env bash
# What the voice recorder costs under Wine: the processor time (user + system, all threads) of the
# Linux process of tockbell.exe from a click on RECORD until the recording has ended by itself (the
# duration box's 20 s) and been saved beside the program, against the same process over as long
# right after, with the settings dialog still open on the Table page, so that the dialog's own cost
# cancels out; RUNS such pairs in one run of the program, wineserver's time beside. Wine's sound
# driver records from ALSA's default capture device as the end-to-end tests set it (start_capture in
# tests/e2e/lib.sh): with INPUT "feed", a tone read from a file; with "null", the null device's
# silence. Neither is paced as a sound card is, so the driver gets some five times as much sound as
# it would from one. Goal: the median recording costs less than 2 % of one core more than the median
# idling; the exit code is 1 when it costs more, or when a recording left no WAV file of more than a
# few KB of the input's sound.
#
#   bench/recorder_cpu.sh BUILD [INPUT] [RUNS]   BUILD: a mingw build holding tockbell and tbdriver;
#                                                INPUT: feed or null, feed unless given;
#                                                RUNS: recordings, 3 unless given, at most 5
set -euo pipefail

input=${2:-feed}
runs=${3:-3}
source "$(dirname "$0")/wine_bench.sh" "$1" bench-recorder
CPU_GOAL=2.0       # per cent of one core
RECORD_SECONDS=20  # the duration box's default
BYTE_RATE=11025    # of the recorder's 8-bit mono sound
TONE_HZ=440
MIN_WAV_BYTES=8192
tick=$(getconf CLK_TCK)
SETTLE=2  # seconds after a save, for the recorder thread and the driver's to end and the page to show it
IDC_RECORD=1017
IDC_DURATION=1020
[ "$input" = feed ] || [ "$input" = null ] || fail "INPUT must be feed or null"
# start_clock stops the program after 300 s; a pair takes some 45 s.
[ "$runs" -ge 1 ] && [ "$runs" -le 5 ] || fail "RUNS must lie between 1 and 5"

# Clock ticks (user + system) of Linux process PID so far. Unlike the schedulers' per-thread figures,
# /proc/PID/stat keeps the time of threads that have ended, as the recorder's and the driver's do.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }

# Per cent of one core that TICKS make over the SECONDS of a pair.
percent() { awk -v ticks="$1" -v tick="$tick" -v seconds="$seconds" 'BEGIN { printf "%.2f", 100 * ticks / tick / seconds }'; }

e2e_begin
if [ "$input" = feed ]; then
    start_capture "$TONE_HZ"
    expected=$TONE_HZ
else
    start_capture
    expected=silent
fi

folder=$(new_app_folder clock)
printf '[Main]\r\nFlags=31,2,8,3\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n18:00=Tea.wav\r\n' >"$folder/tockbell.ini"
wav=$folder/tockbell.wav
start_clock "$folder" >/dev/null
program=$(clock_unix_pid) || fail "no Linux process of the program"
server=$(wine_unix_pid 'wineserver*') || fail "no Linux process of wineserver"  # wineserver64 on Debian
open_settings
choose_tab Table
expect_setting_text "$IDC_DURATION" "$RECORD_SECONDS"
sleep "$SETTLE"

echo "$runs recordings of ${RECORD_SECONDS}s from the $input input, each followed by as long idle (in per cent of one core):"
shares=""
for ((run = 1; run <= runs; run++)); do
    rm -f "$wav"
    p0=$(cpu_ticks "$program") s0=$(cpu_ticks "$server") start=$EPOCHREALTIME
    click_setting "$IDC_RECORD"
    # Polled from here, as a look through the driver would cost the program time.
    wait_until $((RECORD_SECONDS + E2E_WAIT)) "saved recording" test -e "$wav"
    p1=$(cpu_ticks "$program") s1=$(cpu_ticks "$server")
    seconds=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { print end - start }')
    bytes=$(stat -c %s "$wav")
    [ "$(head -c 4 "$wav")" = RIFF ] && [ "$bytes" -gt "$MIN_WAV_BYTES" ] ||
        fail "recording $run left no WAV file of more than $MIN_WAV_BYTES bytes"
    sleep "$SETTLE"
    p2=$(cpu_ticks "$program") s2=$(cpu_ticks "$server")
    sleep "$seconds"
    p3=$(cpu_ticks "$program") s3=$(cpu_ticks "$server")
    # Only now, as its analysis takes a processor for some seconds.
    sound=$(wave_tone "$wav") || fail "recording $run is no WAVE file"
    [ "$sound" = "1 8 11025 $expected" ] || fail "recording $run holds [$sound], not [1 8 11025 $expected]"
    # The program recording and idle, then wineserver's the same.
    share="$(percent $((p1 - p0))) $(percent $((p3 - p2))) $(percent $((s1 - s0))) $(percent $((s3 - s2)))"
    shares+=$share$'\n'
    read -r program_recording program_idle server_recording server_idle <<<"$share"
    printf 'run %d: %.1f s, %d s of sound kept; tockbell.exe %s %% recording, %s %% idle; wineserver %s %%, %s %%\n' \
        "$run" "$seconds" $(((bytes - 44) / BYTE_RATE)) "$program_recording" "$program_idle" "$server_recording" "$server_idle"
done
close_settings "$E2E_IDCANCEL"

median_of() { cut -d ' ' -f "$1" <<<"$shares" | median | xargs printf '%.2f'; }
recording=$(median_of 1) idle=$(median_of 2)
difference=$(awk -v r="$recording" -v i="$idle" 'BEGIN { printf "%.2f\n", r - i }')
echo "wineserver, median: recording $(median_of 3) %, idle $(median_of 4) %"
echo "tockbell.exe, median: recording $recording %, idle $idle %, difference $difference % of one core (goal: below $CPU_GOAL %)"
below "$difference" "$CPU_GOAL"
