# "Be silent" turns the sound switch off; the switch is an option that Close saves.
source "$(dirname "$0")/lib.sh"
# Another day of the month than the other tests pin: whatever the real date, one of them would fail
# if the program did not run on the pinned clock.
E2E_CLOCK='2026-12-24 10:00:00'
e2e_begin

folder=$(new_app_folder app)
pid=$(start_clock "$folder")
drive command "$E2E_TITLE" "$E2E_BE_SILENT" >/dev/null || fail "cannot send Be silent"
close_clock "$pid"

expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=15,2,24,3\r\n'"$E2E_DEFAULT_ZONES"
