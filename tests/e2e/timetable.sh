# A time-table entry plays its sound file, taken beside the program, in its minute.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 10:00:52'
e2e_begin
start_capture

folder=$(new_app_folder app)
make_tone "$folder/Beep.wav" 0.5
printf '[Everyday]\r\n10:01=Beep.wav\r\n' >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
hear_minute '2026-12-08 10:01'
close_clock "$pid"

expect_sounds 2 'Beep' --file "Beep=$folder/Beep.wav"
