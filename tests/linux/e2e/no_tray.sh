# With no tray at all and a settings folder that cannot be written, the program says each once on
# stderr, runs on the default settings (the folder's file would make it silent), chimes at noon,
# and at its end writes nothing.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:34'
e2e_begin no-tray

config=$(config_folder)
mkdir -p "$config"
printf '[Main]\r\nFlags=15,2,8,3\r\n' >"$config/tockbell.ini"
read_only_folder "$config"
start_clock
pid=$E2E_CLOCK_PID
no_tray_said() { grep -q 'no system tray' "$E2E_CLOCK_ERR"; }
wait_until "$E2E_WAIT" "message that no tray has appeared" no_tray_said
hear_minute '2026-12-08 12:00' 60
expect_sounds 2 'WAVE0 WAVE1*12 WAVE012 WAVE0PM'
signal_clock "$pid" TERM
expect_messages "^tockbell: no system tray has appeared" \
    "^tockbell: the folder .*$config.* cannot be written: running on the default settings"
expect_folder "$config" tockbell.ini
expect_file "$config/tockbell.ini" '[Main]\r\nFlags=15,2,8,3\r\n'
