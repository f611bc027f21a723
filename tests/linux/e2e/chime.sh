# The chimes through the sound server. A tray that comes 5 s after the program gets the icon, and the
# program says nothing of it; at noon the program chimes the opening sound, twelve strikes, the
# spoken hour and the p.m. word, at the default volume divisor 2, one after another. After "Be
# silent" the half hour passes without a sound.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:50'
e2e_begin no-tray

start_clock
pid=$E2E_CLOCK_PID
sleep 5
start_tray
wait_icon
hear_minute '2026-12-08 12:00' 60  # the chime lasts some 20 s
expect_sounds 2 'WAVE0 WAVE1*12 WAVE012 WAVE0PM'
keep_capture noon
choose Close
wait_clock_end "$pid"
# By now the program has run well past the time at which it would say that no tray came.
expect_messages

E2E_CLOCK='2026-12-08 12:29:52'
start_clock
pid=$E2E_CLOCK_PID
wait_icon
choose "Be silent"
clock_before '2026-12-08 12:29:59' || fail "Be silent was not chosen well before 12:30"
hear_minute '2026-12-08 12:30'
expect_silence "the half hour after Be silent"
choose Close
wait_clock_end "$pid"
