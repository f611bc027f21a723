# "Close Tockbell" with OK ends the program, which saves the settings and stays installed;
# "Uninstall Tockbell" with OK ends it and removes it: the log-on entry, the Start-menu shortcut and
# its files, but not the recorded message, while the program file is left for Windows to delete at
# the next restart.
source "$(dirname "$0")/lib.sh"
e2e_begin

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
LINK="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$E2E_TITLE.lnk"

# Whether Wine's registry holds the Run value; Wine writes it out once its server has ended.
has_run_value() { wine reg query "$RUN_KEY" /v "$E2E_TITLE" >/dev/null 2>>"$E2E_LOG"; }

# Clicks OK in the settings dialog and waits until the program PID has ended.
ok_ends_program() {
    close_settings "$E2E_IDOK"
    drive wait-exit "$1" "$E2E_WAIT" >/dev/null || fail "OK did not end the program"
    timeout 30 wineserver -w || true
}

folder=$(new_app_folder app)
pid=$(start_clock "$folder")
open_settings
# No recording yet: PLAY and INSERT are disabled (on the Table page, hidden behind Setup).
for id in 1031 1022; do
    [ "$(setting_states "$id" Button)" = "disabled hidden" ] || fail "without a recording, button $id is [$(setting_states "$id" Button)]"
done
click_setting 1004
drive set-pos "$E2E_DIALOG" 1016 6 >/dev/null || fail "cannot move the volume slider"
click_setting 1010
ok_ends_program "$pid"
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=29,6,8,3\r\n'"$E2E_DEFAULT_ZONES"
has_run_value || fail "Close Tockbell removed the Run value"
[ -f "$LINK" ] || fail "Close Tockbell removed the shortcut"

printf 'RIFF' >"$folder/tockbell.wav"
printf 'backup' >"$folder/tockbell.bak"
pid=$(start_clock "$folder")
open_settings
# With a recorded message beside the program, PLAY and INSERT can be used.
for id in 1031 1022; do
    [ "$(setting_states "$id" Button)" = hidden ] || fail "with a recording, button $id is [$(setting_states "$id" Button)]"
done
# Neither box is remembered from the last opening.
boxes_show '- - -' 1009 1010 1011 || fail "the dialog opened with [$(setting_boxes 1009 1010 1011)]"
click_setting 1011
boxes_show 'x x x' 1009 1010 1011 || fail "Uninstall Tockbell checked [$(setting_boxes 1009 1010 1011)]"
ok_ends_program "$pid"
expect_folder "$folder" tockbell.exe tockbell.wav
[ ! -e "$LINK" ] || fail "Uninstall Tockbell left the shortcut"
# Wine's next session stands in for the restart of Windows: it runs the pending deletes as it starts.
! has_run_value || fail "Uninstall Tockbell left the Run value"
expect_folder "$folder" tockbell.wav
