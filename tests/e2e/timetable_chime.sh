# A time-table entry of the full hour plays after the chime has ended.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:54'
e2e_begin
start_capture

folder=$(new_app_folder app)
make_tone "$folder/Beep.wav" 0.5
printf '[Everyday]\r\n12:00=Beep.wav\r\n' >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
hear_minute '2026-12-08 12:00' 60  # the chime lasts some 20 s
close_clock "$pid"

expect_sounds 2 'WAVE0 WAVE1*12 WAVE012 WAVE0PM Beep' --file "Beep=$folder/Beep.wav"
