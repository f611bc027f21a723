# A time-table entry plays its sound file, taken beside the program, in its minute.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 10:00:52'
e2e_begin
start_capture

folder=$(new_app_folder app)
make_tone "$folder/Beep.wav" 0.5
printf '[Everyday]\r\n10:01=Beep.wav\r\n' >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
clock_before '2026-12-08 10:01:00' || fail "the program was not up before 10:01"
# The entries of a minute are looked up in its first ticks.
wait_clock '2026-12-08 10:01:03'
wait_capture_quiet 3
close_clock "$pid"

expect_sounds 2 'Beep' --file "Beep=$folder/Beep.wav"
