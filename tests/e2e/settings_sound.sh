# The settings dialog's test buttons play the chimes of 2:00 and 17:30 with the options and the volume
# as the Setup page shows them, unsaved; "Striking and voices" turned off stops a test chime at once
# and keeps the buttons silent. Cancel then leaves the stored settings as they were.
source "$(dirname "$0")/lib.sh"
# Clear of the full and half hours: only the test buttons sound.
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin
start_capture

# Clicks the test button ID and waits until the chime it starts has ended.
hear_test() {
    local id=$1 before
    before=$(stat -c %s "$E2E_CAPTURE")
    click_setting "$id"
    wait_until "$E2E_WAIT" "sound from the button $id" capture_exceeds "$before"
    wait_capture_quiet 3 60
}

folder=$(new_app_folder app)
pid=$(start_clock "$folder")
open_settings

# The swapped a.m./p.m. words and the slider at 4 are heard before OK.
click_setting 1012
drive set-pos "$E2E_DIALOG" 1016 4 >/dev/null || fail "cannot move the volume slider"
hear_test 1007
expect_sounds 4 'WAVE0 WAVE1*2 WAVE002 WAVE0PM'
keep_capture test_two

click_setting 1012
drive set-pos "$E2E_DIALOG" 1016 3 >/dev/null || fail "cannot move the volume slider"
hear_test 1008
expect_sounds 3 'WAVE0 WAVE1 WAVE005 WAVE030 WAVE0PM'
keep_capture test_half_past_five

# Unchecked while a test chime sounds, "Striking and voices" cuts it short within its opening sound.
opening=$((($(stat -c %s "$E2E_SOUNDS/WAVE0.wav") - 44) * 2))  # its mono frames as captured in stereo
click_setting 1007
wait_until "$E2E_WAIT" "sound from Test 2:00" capture_exceeds 0
click_setting 1002
wait_capture_quiet 3
[ "$(stat -c %s "$E2E_CAPTURE")" -lt "$opening" ] ||
    fail "the chime went on for $(stat -c %s "$E2E_CAPTURE") bytes after the sounds were switched off"
keep_capture stopped

# Off, both buttons stay silent.
click_setting 1007
click_setting 1008
wait_capture_quiet 5
expect_sounds 3 ''

close_settings "$E2E_IDCANCEL"
# The time-table tree began the missing file empty; Cancel wrote nothing into it.
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" ''
close_clock "$pid"
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=31,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
