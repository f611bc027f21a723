# After "Be silent" the full hour passes without a sound.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:50'
e2e_begin
start_capture

folder=$(new_app_folder app)
pid=$(start_clock "$folder")
drive command "$E2E_TITLE" "$E2E_BE_SILENT" >/dev/null || fail "cannot send Be silent"
clock_before '2026-12-08 11:59:59' || fail "Be silent was not sent well before 12:00"
hear_minute '2026-12-08 12:00'
close_clock "$pid"

expect_sounds 2 ''
