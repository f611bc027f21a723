# The steps of the end-to-end tests that do not depend on the system under test, sourced by the
# lib.sh of the Windows program's tests (under Wine) and by that of the Linux program's. Before it,
# the sourcing lib.sh sets E2E_WORK, the test's work folder, and defines clock_unix_pid, the Linux
# process of the running program. Every wait is bounded, so a hang fails the test instead of
# blocking it.
set -euo pipefail

E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_SOUNDS=$(cd "$E2E_SCRIPTS/../../res/sounds" && pwd)
E2E_WAIT=30  # seconds that any one step may take before the test fails
# The sounds are captured into E2E_CAPTURE as 8-bit unsigned stereo at 11025 frames/s, the format in
# which the program plays its own sounds and which find_sounds.py reads.
E2E_CAPTURE=$E2E_WORK/capture.raw
E2E_CAPTURE_BYTE_RATE=22050  # of that format
# The world-clock lines of the file that a first start writes, as printf writes them.
E2E_DEFAULT_ZONES='Time1=Asia/Singapore in Singapore\r\nTime2=America/Los_Angeles in San Francisco\r\n'
E2E_DEFAULT_ZONES+='Time3=Europe/Moscow in Moscow\r\n'

# libfaketime shifts file times too unless told not to; Wine would then take its prefix for out of
# date and rebuild it at every start.
export NO_FAKE_STAT=1
# libfaketime fakes the monotonic clock too unless told not to. Only the wall clock is to be faked:
# timed waits are measured on the monotonic one, also by processes that run on the real clock (Wine's
# server, the sound server), so that with a faked one they would end at once or never.
export FAKETIME_DONT_FAKE_MONOTONIC=1
E2E_FAKETIME=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
# Its build that synchronises its threads, for a clock kept in a file: the library reads the file
# again while other threads of the program ask it the time.
E2E_FAKETIME_THREADS=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
# A test whose clock jumps (a resume from sleep, the clock set) keeps the program's clock in a file
# (clock_in_file) rather than in its environment: the offset from the real clock, which libfaketime
# reads again every second and set_clock rewrites while the program runs. The wall clock jumps, the
# monotonic clock runs on, as across a sleep.
E2E_CLOCK_FILE=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Repeats a command until it succeeds; fails the test after SECONDS.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no $what within ${seconds}s"
        sleep 0.1
    done
}

# Starts an X server of its own for the test (E2E_SCREEN pixels, 1024x768 unless set, 24 bits) and sets
# DISPLAY to it.
start_display() {
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp 3>"$E2E_WORK/display" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    wait_until "$E2E_WAIT" "X display" test -s "$E2E_WORK/display"
    DISPLAY=:$(cat "$E2E_WORK/display")
    export DISPLAY
}

# Fails unless FILE holds exactly the bytes that printf makes of FORMAT.
expect_file() {
    local file=$1 format=$2
    [ -f "$file" ] || fail "$file is missing"
    if ! cmp -s "$file" <(printf "$format"); then
        echo "expected:" >&2
        printf "$format" | od -c >&2
        echo "found:" >&2
        od -c "$file" >&2
        fail "$file does not hold what it should"
    fi
}

# Fails unless FOLDER holds exactly the named files.
expect_folder() {
    local folder=$1
    shift
    local found expected
    found=$(cd "$folder" && ls -A | sort)
    expected=$(printf '%s\n' "$@" | sort)
    [ "$found" = "$expected" ] || fail "$folder holds [$(echo $found)], expected [$(echo $expected)]"
}

# Makes FOLDER take no new file and let none go until writable_folder or the cleanup. Root passes
# over permissions, so as root the folder is made immutable.
E2E_READ_ONLY=()
read_only_folder() {
    if [ "$(id -u)" -eq 0 ]; then chattr +i "$1" || fail "cannot make $1 immutable"; else chmod a-w "$1"; fi
    E2E_READ_ONLY+=("$1")
    ! touch "$1/.read-only" 2>/dev/null || fail "$1 still takes files"
}
writable_folder() {
    [ "$(id -u)" -ne 0 ] || chattr -i "$1"
    chmod u+w "$1"
}

# Waits until the command of the further arguments prints EXPECTED; fails showing both, saying that
# WHAT is not as it should be, when it does not within E2E_WAIT. For what the program does after a
# posted message or a mouse gesture: a reading may come before the program has handled them.
expect_output() {
    local what=$1 expected=$2 deadline=$((SECONDS + E2E_WAIT))
    shift 2
    until [ "$("$@")" = "$expected" ]; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            printf 'expected:\n%s\nfound:\n%s\n' "$expected" "$("$@")" >&2
            fail "$what does not show what it should"
        fi
        sleep 0.1
    done
}

# The pixels of the screenshot SHOT in the rectangle X Y WIDTH HEIGHT of the X screen, one line per row
# and one letter per pixel: "." the clock face's grey, "G" green, "#" black, "-" anything else.
crop_letters() {
    local shot=$1 x=$2 y=$3 width=$4 height=$5
    convert "$shot" -crop "${width}x${height}+$x+$y" +repage txt:- |
        awk -v height="$height" '
            NR > 1 {
                split($1, at, /[,:]/)
                letter = $3 == "#C0C0C0" ? "." : $3 == "#00FF00" ? "G" : $3 == "#000000" ? "#" : "-"
                row[at[2]] = row[at[2]] letter  # the pixels come row by row, left to right
            }
            END { for (y = 0; y < height; y++) print row[y] }'
}

# The square around the pixels of the face's grey in LETTERS (as crop_letters prints them, of a
# rectangle whose top left corner is LEFT TOP on the screen): "x y size" on the screen; nothing when
# the grey is no square.
grey_square() {
    awk -v left="$2" -v top="$3" '
        {
            for (x = 1; x <= length($0); x++) {
                if (substr($0, x, 1) != ".") continue
                if (!found || x < x0) x0 = x
                if (!found || x > x1) x1 = x
                if (!found) y0 = NR
                y1 = NR
                found = 1
            }
        }
        END { if (found && x1 - x0 == y1 - y0) print left + x0 - 1, top + y0 - 1, x1 - x0 + 1 }' <<<"$1"
}

# How many pixels of FACE (the letters of a clock face SIZE pixels square) are LETTER among those taken
# wholly from the box X0 Y0 X1 Y1 (inclusive) of the 32 by 32 artwork: "count total". A face shown at
# another size is judged only by pixels that cannot come from outside the box.
face_letters() {
    local face=$1 size=$2 letter=$3 x0=$4 y0=$5 x1=$6 y1=$7
    awk -v letter="$letter" -v c0=$(((x0 * size + 31) / 32)) -v r0=$(((y0 * size + 31) / 32)) \
        -v c1=$(((x1 + 1) * size / 32 - 1)) -v r1=$(((y1 + 1) * size / 32 - 1)) '
        NR - 1 >= r0 && NR - 1 <= r1 {
            for (x = c0; x <= c1; x++) {
                total++
                count += substr($0, x + 1, 1) == letter
            }
        }
        END { print count + 0, total + 0 }' <<<"$face"
}

# Makes the test's work folder afresh, with the traps that clean up after it (e2e_cleanup), also when
# it is stopped from outside (CTest's timeout), as a failure.
begin_work() {
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK"
    trap e2e_cleanup EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT
}

# The process named NAME (a pattern, as /proc/PID/comm has it) whose environment holds ENTRY
# ("NAME=VALUE"), which tells this test's processes from those of others on the machine; fails
# (quietly) when there is none.
process_with() {
    local name=$1 entry=$2 proc
    for proc in /proc/[0-9]*; do
        # shellcheck disable=SC2053 # NAME is a pattern
        [[ "$(cat "$proc/comm" 2>/dev/null)" == $name ]] || continue
        { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "$entry" || continue
        echo "${proc#/proc/}"
        return 0
    done
    return 1
}

# The programs that the test starts from now on take their clock from a file, set to E2E_CLOCK.
clock_in_file() {
    E2E_CLOCK_FILE=$E2E_WORK/clock.rc
    set_clock "$E2E_CLOCK"
}

# Sets the wall clock of the programs started after clock_in_file to TIME (as date -d reads it); they
# see it within a second.
set_clock() {
    printf '%+d\n' $(($(date -d "$1" +%s) - $(date +%s))) >"$E2E_CLOCK_FILE.new"
    mv "$E2E_CLOCK_FILE.new" "$E2E_CLOCK_FILE"
}

# The environment, one NAME=VALUE a word, that gives a program started now the test's clock:
# E2E_CLOCK, or the file of clock_in_file.
clock_environment() {
    if [ -n "$E2E_CLOCK_FILE" ]; then
        echo "LD_PRELOAD=$E2E_FAKETIME_THREADS FAKETIME_TIMESTAMP_FILE=$E2E_CLOCK_FILE FAKETIME_CACHE_DURATION=1"
    else
        echo "LD_PRELOAD=$E2E_FAKETIME FAKETIME=$(printf '%+d' $(($(date -d "$E2E_CLOCK" +%s) - $(date +%s))))"
    fi
}

# How far the program's clock is from the real one, in whole seconds: faketime gives every process it
# starts the same offset (FAKETIME=-N, or in the file of clock_in_file), and the clock runs on from there.
clock_offset() {
    local pid offset file
    pid=$(clock_unix_pid) || fail "no Linux process of the program"
    file=$(grep -zoP '^FAKETIME_TIMESTAMP_FILE=\K.*' "/proc/$pid/environ" | tr -d '\0')
    if [ -n "$file" ]; then
        offset=$(cat "$file")
    else
        offset=$(grep -zoP '^FAKETIME=\K.*' "/proc/$pid/environ" | tr -d '\0')
    fi
    [[ $offset =~ ^[+-]?[0-9]+$ ]] || fail "the program's clock offset '$offset' is not whole seconds"
    echo "$((offset))"
}

# Succeeds while the program's clock reads before TIME (as date -d reads it); says what it reads
# when not.
clock_before() {
    local offset now
    offset=$(clock_offset) || return 1
    now=$(($(date +%s) + offset))
    [ "$now" -lt "$(date -d "$1" +%s)" ] || { echo "the program's clock reads $(date -d "@$now" '+%F %T')" >&2; return 1; }
}

# Waits until the program's clock reads TIME or later; fails when that is more than SECONDS (E2E_WAIT
# unless given) away.
wait_clock() {
    local seconds=${2:-$E2E_WAIT} offset real
    offset=$(clock_offset) || return 1
    real=$(($(date -d "$1" +%s) - offset))  # the real time at which the program's clock reads TIME
    [ $((real - $(date +%s))) -le "$seconds" ] || fail "the program's clock is more than ${seconds}s before $1"
    while [ "$(date +%s)" -lt "$real" ]; do sleep 0.1; done
}

# Waits until the capture has taken in no sound for QUIET seconds, so that what was playing has
# ended; fails after SECONDS (E2E_WAIT unless given). The sourcing lib.sh defines capture_mark, which
# prints a number that changes whenever sound comes into the capture.
wait_capture_quiet() {
    local quiet=$1 seconds=${2:-$E2E_WAIT} mark last=-1 still=0
    local deadline=$((SECONDS + seconds))
    while [ "$still" -lt $((quiet * 10)) ]; do
        mark=$(capture_mark)
        if [ "$mark" = "$last" ]; then still=$((still + 1)); else still=0 last=$mark; fi
        [ "$SECONDS" -lt "$deadline" ] || fail "the capture still takes in sound after ${seconds}s"
        sleep 0.1
    done
}

# Succeeds once sound has come into the capture past its first BYTES.
capture_exceeds() { [ "$(capture_mark)" -gt "$1" ]; }

# Keeps what the capture holds as NAME.raw beside it and empties it, so that the next sounds are
# checked on their own; only while nothing plays. The recorder appends, so it goes on at the new end.
keep_capture() {
    cp "$E2E_CAPTURE" "$E2E_WORK/$1.raw"
    : >"$E2E_CAPTURE"
}

# Lets the minute MINUTE ("YYYY-MM-DD HH:MM") pass on the program's clock: fails unless the clock is
# still before it, waits past the ticks that may start sounds in it (its first three seconds), then
# until what they play has ended, for at most SECONDS (E2E_WAIT unless given).
hear_minute() {
    local minute=$1 seconds=${2:-$E2E_WAIT}
    clock_before "$minute:00" || fail "the program's clock was not before $minute"
    wait_clock "$minute:03"
    wait_capture_quiet 3 "$seconds"
}

# Fails unless the capture holds exactly the sounds of LIST, in order (as find_sounds.py --expect
# reads it): the program's own as it plays them at volume divisor DIVISOR, and the files named by
# the further arguments (--file NAME=WAV) as they are; E2E_SOUND_CHECK holds the further options
# with which find_sounds.py judges them on this system.
expect_sounds() {
    local divisor=$1 list=$2
    shift 2
    python3 "$E2E_SCRIPTS/find_sounds.py" "$E2E_CAPTURE" "$E2E_SOUNDS" --divisor "$divisor" \
        "${E2E_SOUND_CHECK[@]}" --expect "$list" "$@" >"$E2E_WORK/sounds.txt" 2>&1 ||
        { cat "$E2E_WORK/sounds.txt" >&2; fail "the capture does not hold [$list]"; }
}

# Writes FILE, a WAV file of SECONDS of a tone of HERTZ (1000 unless given) for the time-table: 8-bit
# mono at 11025 frames/s, which find_sounds.py can compare with the capture.
make_tone() {
    sox -D -n -r 11025 -e unsigned-integer -b 8 -c 1 "$1" synth "$2" sine "${3:-1000}" vol 0.5
}

# What the WAV file FILE holds: "CHANNELS BITS RATE", then for 8-bit sound "silent" or the frequency
# that dominates the middle second of its first channel, to 10 Hz from 50 to 3000 Hz ("-" for other
# widths); fails when it is no PCM WAVE file. The power is summed over short windows, as a recording
# through the null device jumps in phase every few hundred frames.
wave_tone() {
    python3 - "$1" <<'PYTHON'
import math, sys, wave
WINDOW = 512
with wave.open(sys.argv[1]) as sound:
    channels, width, rate = sound.getnchannels(), sound.getsampwidth(), sound.getframerate()
    frames = sound.readframes(sound.getnframes())
first = frames[::channels * width]
middle = first[max(0, len(first) // 2 - rate // 2):][:rate]
hann = [0.5 - 0.5 * math.cos(2 * math.pi * i / WINDOW) for i in range(WINDOW)]
def power(frequency):
    factor, total = 2 * math.cos(2 * math.pi * frequency / rate), 0.0
    for start in range(0, len(middle) - WINDOW + 1, WINDOW):
        before = last = 0.0
        for weight, byte in zip(hann, middle[start:start + WINDOW]):
            before, last = last, weight * (byte - 128) + factor * last - before
        total += before * before + last * last - factor * before * last
    return total
if width != 1:
    tone = "-"
elif max(abs(byte - 128) for byte in frames) <= 2:
    tone = "silent"
else:
    tone = max(range(50, 3001, 10), key=power)
print(channels, width * 8, rate, tone)
PYTHON
}

# The night of the autumn change in Berlin (TZ=Europe/Berlin), on a clock running from before 02:00
# CEST: 02:00 CEST, then 02:00 CET once the clock is set back, and 02:30 CET, each chime heard out
# before the clock moves on. With the options 29 and an [Everyday] entry "02:00=Twice.wav" the capture
# then holds E2E_AUTUMN_NIGHT_SOUNDS: the entry once, both 02:00 chimes, the half hour's words once.
E2E_AUTUMN_NIGHT_SOUNDS='WAVE0 WAVE1*2 WAVE002 WAVE0AM Twice WAVE0 WAVE1*2 WAVE002 WAVE0AM WAVE002 WAVE030 WAVE0AM'
autumn_night_in_berlin() {
for time in 00:00 01:00 01:30; do
    clock_before "2027-10-31 $time:00 UTC" || fail "the program's clock was not before $time UTC"
    wait_clock "2027-10-31 $time:03 UTC"
    wait_capture_quiet 3 60
    case $time in
        00:00) set_clock '2027-10-31 00:59:57 UTC' ;;
        01:00) set_clock '2027-10-31 01:29:57 UTC' ;;
    esac
done
}
