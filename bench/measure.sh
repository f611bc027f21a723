# What the benchmarks read of a running process and how they sum it up, sourced by the benchmark
# scripts.

# Processor time of Linux process PID so far, all its threads together, in two measures: "TICKS
# NANOSECONDS". TICKS is user + system time from /proc/PID/stat, in clock ticks (10 ms), sampled by
# the kernel at each tick, too coarse alone for a process that wakes for well under a millisecond a
# second. NANOSECONDS is the time on a processor that the scheduler accounts exactly, summed over the
# threads (/proc/PID/task/*/schedstat); a ratio is taken from it. It loses the time of a thread that
# ends between two readings, so the benchmarks read it only while the threads stay the same.
cpu_time() {
    local ticks
    # The fields after the name in parentheses: utime and stime are the 12th and 13th.
    ticks=$(sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }')
    awk -v ticks="$ticks" '{ sum += $1 } END { printf "%d %.0f\n", ticks, sum }' "/proc/$1"/task/*/schedstat
}

# How many times the threads of Linux process PID have been given a processor so far: about how often
# it woke up.
wake_ups() { awk '{ sum += $3 } END { printf "%d\n", sum }' "/proc/$1"/task/*/schedstat; }

# The threads of Linux process PID, their ids on one line.
threads() { (cd "/proc/$1/task" && echo *); }

# Peak and present resident memory of Linux process PID, in kB: "PEAK NOW" (VmHWM, VmRSS).
resident_memory() {
    awk '$1 == "VmHWM:" { peak = $2 } $1 == "VmRSS:" { now = $2 } END { print peak, now }' "/proc/$1/status"
}

# The median of the numbers on standard input.
median() {
    tr ' ' '\n' | grep . | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# Succeeds when the number VALUE is below GOAL.
below() { awk -v v="$1" -v g="$2" 'BEGIN { exit !(v < g) }'; }
