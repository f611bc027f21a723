# The stored volume divisor sets the chime's level; the half hour of the afternoon strikes once and
# speaks the hour, "thirty" and the p.m. word.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 17:29:54'
e2e_begin
start_capture

folder=$(new_app_folder app)
printf '[Main]\r\nFlags=31,4,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n' \
    >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
hear_minute '2026-12-08 17:30'
close_clock "$pid"

expect_sounds 4 'WAVE0 WAVE1 WAVE005 WAVE030 WAVE0PM'
