# At the full hour the clock chimes: the opening sound, one strike of the bell for each hour on the
# dial, the spoken hour and the p.m. word (noon counts as p.m.), at the default volume divisor 2,
# each mono sound in the right channel only.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:54'
e2e_begin
start_capture

folder=$(new_app_folder app)
pid=$(start_clock "$folder")
hear_minute '2026-12-08 12:00' 60  # the chime lasts some 20 s
close_clock "$pid"

expect_sounds 2 'WAVE0 WAVE1*12 WAVE012 WAVE0PM'
