# The settings dialog, opened by a click on the icon, and its buttons that reach out of it, driven
# through AT-SPI and the keyboard only:
# "Set time" starts the desktop's date and time settings found first on PATH (here a stand-in for
# GNOME's) and is greyed without any; "Test 2:00" is heard as the Windows test hears it, with the
# unsaved options and volume, and Cancel then writes nothing; "Uninstall Tockbell" with OK ends the
# program and removes its entries and files but keeps the recording. At scale factor 2, screenshots
# of both pages are kept.
source "$(dirname "$0")/lib.sh"
# Clear of the full and half hours: only the test button sounds.
E2E_CLOCK='2026-12-08 10:05:00'
E2E_SCREEN=2048x1536  # a screen of twice the usual size, for the scale factor 2
e2e_begin

config=$(config_folder)
standins=$E2E_WORK/bin
mkdir -p "$standins"
# GNOME's settings program, as the dialog starts it: it notes its arguments.
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$E2E_WORK/date-time-settings" >"$standins/gnome-control-center"
chmod +x "$standins/gnome-control-center"
set_time_ran() { [ "$(cat "$E2E_WORK/date-time-settings" 2>/dev/null)" = datetime ]; }

PATH=$standins:$PATH QT_SCALE_FACTOR=2 start_clock
pid=$E2E_CLOCK_PID
wait_icon
click_icon
settings_shown
[ "$(setting_line 'push button' 'Set time')" = 'push button	Set time' ] ||
    fail "Set time is [$(setting_line 'push button' 'Set time')] with a date and time settings program on PATH"
shoot_settings "$E2E_WORK/setup-scale2.png"
press "Set time"
wait_until "$E2E_WAIT" "run of the date and time settings" set_time_ran

# The swapped a.m./p.m. words and the slider at 4 are heard before OK, as the Windows test hears them.
press "Switch AM/PM"
settings value Volume 4 || fail "cannot set the volume"
press "Test 2:00"
wait_until "$E2E_WAIT" "sound from Test 2:00" capture_exceeds 0
wait_capture_quiet 3 60
expect_sounds 4 'WAVE0 WAVE1*2 WAVE002 WAVE0PM'
keep_capture test_two

keys alt+o
shoot_settings "$E2E_WORK/about-scale2.png"
keys alt+b
shoot_settings "$E2E_WORK/table-scale2.png"
press Cancel
settings_gone
# The time-table's fill made the missing file, empty, as the Windows program makes it.
[ ! -s "$config/tockbell.ini" ] || fail "Cancel wrote the settings"

# Uninstall: the entries and the settings go, the recording stays, and the program ends.
printf 'RIFF' >"$config/tockbell.wav"
printf 'notes\n' >"$config/tockbell.txt"
printf '[Main]\r\n' >"$config/tockbell.bak"
choose "Properties..."
keys alt+p
press "Uninstall Tockbell"
expect_output "the boxes after Uninstall" 'x x x' setting_boxes "Hide icon" "Close Tockbell" "Uninstall Tockbell"
press OK
wait_clock_end "$pid"
expect_folder "$config" tockbell.wav
[ ! -e "$(autostart_entry)" ] && [ ! -e "$(menu_entry)" ] || fail "the uninstall left an entry"
expect_messages
