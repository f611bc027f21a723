#!/usr/bin/env bash
# How long the settings dialog takes to open under Wine: from the "Properties..." command posted to
# the running clock until the dialog is shown with its pages filled (the About text, on a page not
# shown, is laid out at that page's first showing), ten times, each closed with Cancel before the next. Goal: the median under 100 ms; the exit code is 1
# when it is missed.
#
#   bench/dialog_open.sh BUILD [COUNT]   BUILD: a mingw build holding tockbell and tbdriver;
#                                        COUNT: openings, 10 unless given
set -euo pipefail

count=${2:-10}
source "$(dirname "$0")/wine_bench.sh" "$1" bench-dialog
GOAL_MS=100

e2e_begin
folder=$(new_app_folder clock)
printf '[Main]\r\nFlags=31,2,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n' \
    >"$folder/tockbell.ini"
start_clock "$folder" >/dev/null
# The first opening loads the common controls and fonts; it is timed, not left out.
times=$(drive open-times "$E2E_TITLE" "$E2E_DIALOG" "$count") || fail "the dialog did not open and close $count times"
echo "openings (ms): $(echo $times)"
median=$(median <<<"$times")
echo "median: $median ms (goal: under $GOAL_MS ms)"
below "$median" "$GOAL_MS"
