#!/usr/bin/env bash
# How soon the native Linux program's settings dialog shows, and what it keeps in memory, on a virtual
# X server with a tray host (tests/linux/e2e/lib.sh sets them up, with a private HOME and
# XDG_RUNTIME_DIR), as a user has it: without the accessibility that the end-to-end tests switch on.
#
#   bench/linux_dialog.sh BUILD [COUNT]   BUILD: a Linux build (TOCKBELL_LINUX) holding tockbell_linux;
#                                         COUNT: openings, 20 unless given, at least 10
#
# Opening: from the request "Properties..." (sent as a second start sends it) to the X server's
# mapping the dialog's window, each closed with Escape before the next (bench/linux/dialog_times.py);
# the median of the first ten. Goal: under 100 ms, as on Windows (make bench-dialog).
# Memory: the program's resident memory (VmRSS) before the first opening, with each dialog open and
# after each has closed. Goal: nothing kept growing: after the last closing, at most 1 MB above the
# closing of the fifth opening, when the caches have filled.
# Exit code 1 when a goal is missed.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
count=${2:-20}
export TZ=UTC LC_ALL=C
GOAL_MS=100
GROWTH_GOAL_KB=1024
[ "$count" -ge 10 ] || { echo "COUNT must be 10 or more" >&2; exit 1; }

export TOCKBELL_PROGRAM=$build/linux/app/tockbell TOCKBELL_BUILD=$build
source "$here/../tests/linux/e2e/lib.sh"
source "$here/measure.sh"
E2E_WORK=$build/linux-bench-dialog
E2E_CLOCK='2026-12-08 10:05:00'  # no chime falls due
e2e_begin no-sound
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON
start_clock
pid=$E2E_CLOCK_PID
wait_icon
sleep 2
before=$(resident_memory "$pid" | cut -d ' ' -f 2)
echo "== $count openings of the settings dialog, each closed with Escape"
"$E2E_PYTHON" "$here/linux/dialog_times.py" "$XDG_RUNTIME_DIR/tockbell.socket" "$pid" "$count" \
    >"$E2E_WORK/openings" || fail "the openings did not all come about"
awk '{ printf "opening %2d: %6.1f ms, %6d kB open, %6d kB closed\n", NR, $1, $2, $3 }' "$E2E_WORK/openings"
median=$(head -n 10 "$E2E_WORK/openings" | cut -d ' ' -f 1 | median)
echo "resident memory before the first opening: $before kB"
echo "opening: median of the first ten $median ms (goal: under $GOAL_MS ms): $(below "$median" "$GOAL_MS" && echo met || echo MISSED)"
fifth=$(sed -n 5p "$E2E_WORK/openings" | cut -d ' ' -f 3)
last=$(tail -n 1 "$E2E_WORK/openings" | cut -d ' ' -f 3)
growth=$((last - fifth))
echo "memory after the closings: $fifth kB after the fifth, $last kB after the last, growth $growth kB (goal: at most $GROWTH_GOAL_KB kB): $([ "$growth" -le "$GROWTH_GOAL_KB" ] && echo met || echo MISSED)"
signal_clock "$pid" TERM
below "$median" "$GOAL_MS" && [ "$growth" -le "$GROWTH_GOAL_KB" ]
