# "Say the time" from the menu, and its global key Ctrl+Alt+Shift+T, speak the time to the minute in
# the clock's own voice, also with sounds off; the menu shows the next reminder of the time-table.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 14:37:05'
E2E_SAY_TIME=32803
e2e_begin
start_capture

SHOT=$E2E_WORK/tray.png
folder=$(new_app_folder app)
printf '[Main]\r\nFlags=15,2,8,0\r\n[Everyday]\r\n15:02=Pills.wav\r\n07:30=WakeUp.wav\r\n' >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
open_tray_menu "$SHOT"
expect_output "the menu" "$(printf '%s\n' "Next: 15:02 Pills (in 25 min) [grayed]" - "Properties... [default]" \
    "Say the time" "Be silent [checked]" "Close")" menu_items
choose "Say the time"
wait_until "$E2E_WAIT" "sound from Say the time" capture_exceeds 0
wait_capture_quiet 2 20
expect_sounds 2 'WAVE002 WAVE030 WAVE007 WAVE0PM'
keep_capture menu

timeout 10 xdotool key ctrl+alt+shift+t || fail "cannot press Ctrl+Alt+Shift+T"
wait_until "$E2E_WAIT" "sound from Ctrl+Alt+Shift+T" capture_exceeds 0
wait_capture_quiet 2 20
expect_sounds 2 'WAVE002 WAVE030 WAVE007 WAVE0PM'
close_clock "$pid"
