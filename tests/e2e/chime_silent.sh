# After "Be silent" the full hour passes without a sound, neither the chime nor a reminder of that
# minute; and so it does after a restart, with the switch read from the file.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:50'
e2e_begin
start_capture

folder=$(new_app_folder app)
make_tone "$folder/Beep.wav" 0.5
printf '[Main]\r\nFlags=31,2,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n[Everyday]\r\n12:00=Beep.wav\r\n' \
    >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
drive command "$E2E_TITLE" "$E2E_BE_SILENT" >/dev/null || fail "cannot send Be silent"
clock_before '2026-12-08 11:59:59' || fail "Be silent was not sent well before 12:00"
hear_minute '2026-12-08 12:00'
close_clock "$pid"
expect_sounds 2 ''

# The clock starts again at 11:59:50, silent from the start.
pid=$(start_clock "$folder")
hear_minute '2026-12-08 12:00'
close_clock "$pid"
expect_sounds 2 ''
expect_file "$folder/tockbell.ini" \
    '[Main]\r\nFlags=15,2,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n[Everyday]\r\n12:00=Beep.wav\r\n'
