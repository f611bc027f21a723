# "Say the time" from the menu speaks the time to the minute in the clock's own voice, also with sounds
# off; the menu shows the next reminder of the time-table; a second start with --say-time hands the
# request to the running clock.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 14:37:05'
e2e_begin

config=$(config_folder)
mkdir -p "$config"
# Sounds off ("Be silent"), the voice at volume divisor 2.
printf '[Main]\r\nFlags=15,2,8,0\r\n[Everyday]\r\n15:02=Pills.wav\r\n07:30=WakeUp.wav\r\n' >"$config/tockbell.ini"
start_clock
pid=$E2E_CLOCK_PID
wait_icon
expect_menu "$(printf '%s\n' "Next: 15:02 Pills (in 25 min) [disabled]" - "Properties..." "Say the time" \
    "Be silent [checked]" "Close")" "$E2E_WORK/menu.png"
choose "Say the time"
wait_until "$E2E_WAIT" "sound from Say the time" capture_exceeds 0
wait_capture_quiet 2 20
expect_sounds 2 'WAVE002 WAVE030 WAVE007 WAVE0PM'
keep_capture menu

run_clock --say-time
wait_until "$E2E_WAIT" "sound from tockbell --say-time" capture_exceeds 0
wait_capture_quiet 2 20
expect_sounds 2 'WAVE002 WAVE030 WAVE007 WAVE0PM'
clock_runs "$pid"
choose Close
wait_clock_end "$pid"
expect_messages
