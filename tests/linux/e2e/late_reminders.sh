# A resume from 13:02 to 13:50: the entry of 13:50 plays, then that of 13:40, ten minutes late; that
# of 13:30, twenty minutes late, is not played but listed in a notification, and an entry that plays
# shows its own, with a "Stop" that stops it.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 13:01:55'
e2e_begin
start_notifications

config=$(config_folder)
mkdir -p "$config"
make_tone "$config/A.wav" 0.5 500
make_tone "$config/B.wav" 0.5 1000
make_tone "$config/C.wav" 0.5 2000
printf '[Everyday]\r\n13:30=A.wav\r\n13:40=B.wav\r\n13:50=C.wav\r\n' >"$config/tockbell.ini"
clock_in_file
start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_clock '2026-12-08 13:02:05'
set_clock '2026-12-08 13:50:00'
expect_output "the notifications" "$(printf '%s\n' \
    $'1\tTockbell\tMissed while the computer was asleep: 13:30 A\t' \
    $'2\tTockbell\t13:50 C\tstop,Stop' \
    $'3\tTockbell\t13:40 B\tstop,Stop')" notifications
wait_capture_quiet 3
# B waits until every kind of section has been looked up for 13:50, one a second.
expect_sounds 2 'C B' --file "B=$config/B.wav" --file "C=$config/C.wav" --max-gap 15
keep_capture resume
choose Close
wait_clock_end "$pid"

make_tone "$config/Long.wav" 20
printf '[Everyday]\r\n10:01=Long.wav\r\n' >"$config/tockbell.ini"
E2E_CLOCK='2026-12-08 10:00:57'
set_clock "$E2E_CLOCK"
start_clock
pid=$E2E_CLOCK_PID
wait_icon
expect_output "the notifications" "$(printf '%s\n' \
    $'1\tTockbell\tMissed while the computer was asleep: 13:30 A\t' \
    $'2\tTockbell\t13:50 C\tstop,Stop' \
    $'3\tTockbell\t13:40 B\tstop,Stop' \
    $'4\tTockbell\t10:01 Long\tstop,Stop')" notifications
wait_until "$E2E_WAIT" "sound from the reminder" capture_exceeds 0
choose_action 4 stop
wait_capture_quiet 1 5
seconds=$(capture_seconds)
[ "$(awk -v s="$seconds" 'BEGIN { print (s < 10) }')" = 1 ] ||
    fail "the reminder played for $seconds s of its 20 s after its notification's Stop"
choose Close
wait_clock_end "$pid"
expect_messages
