# The program's files through a user's first starts and its uninstall: the first start writes the
# autostart and menu entries, which start this program, and the settings only at Close; a second
# start ends at once and leaves the first running, which opens its settings dialog; SIGTERM saves
# as Close does; a deleted menu entry stays deleted; an autostart entry that starts another program
# is taken over; the uninstall removes the entries and the settings and keeps the recorded message,
# ending the running clock.
source "$(dirname "$0")/lib.sh"
e2e_begin no-sound

SILENT='[Main]\r\nFlags=15,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
entries_written() { [ -f "$(autostart_entry)" ] && [ -f "$(menu_entry)" ]; }
# Fails unless both entries are there, alone in their folders, and start the program under test.
expect_entries() {
    local entry
    for entry in "$(autostart_entry)" "$(menu_entry)"; do
        expect_folder "$(dirname "$entry")" tockbell.desktop
        [ "$(entry_exec "$entry")" = "$TOCKBELL_PROGRAM" ] || fail "$entry starts '$(entry_exec "$entry")'"
    done
}
config=$(config_folder)

start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_until "$E2E_WAIT" "autostart and menu entries" entries_written
expect_entries
[ ! -e "$config/tockbell.ini" ] || fail "the settings were written before Close"

run_clock
clock_runs "$pid"
# The second start opened the first's settings dialog, whose time-table fill made the missing file,
# empty, as the Windows program makes it; while it is open "Close" is greyed.
settings_shown
[ ! -s "$config/tockbell.ini" ] || fail "a second start wrote the settings"
press Cancel
settings_gone

choose Close
wait_clock_end "$pid"
expect_folder "$config" tockbell.ini
expect_file "$config/tockbell.ini" "$E2E_DEFAULT_FILE"
expect_folder "$HOME/.config" autostart pulse tockbell

# A later start, without the menu entry the user deleted, and "Be silent"; a SIGTERM saves it.
rm "$(menu_entry)"
start_clock
pid=$E2E_CLOCK_PID
wait_icon
choose "Be silent"
signal_clock "$pid" TERM
expect_file "$config/tockbell.ini" "$SILENT"
[ ! -e "$(menu_entry)" ] || fail "a later start wrote the deleted menu entry again"
[ "$(entry_exec "$(autostart_entry)")" = "$TOCKBELL_PROGRAM" ] || fail "a later start changed the autostart entry"

# An autostart entry that starts another copy: this one takes both entries over.
sed -i 's|^Exec=.*|Exec=/opt/elsewhere/tockbell|' "$(autostart_entry)"
start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_until "$E2E_WAIT" "menu entry of the program that took over" entries_written
expect_entries

# The uninstall while the clock runs: the clock ends, and with it the entries and the settings, but
# not the recorded message.
printf 'RIFF' >"$config/tockbell.wav"
printf 'notes\n' >"$config/tockbell.txt"
cp "$config/tockbell.ini" "$config/tockbell.bak"
run_clock --uninstall
wait_clock_end "$pid"
expect_folder "$config" tockbell.wav
[ ! -e "$(autostart_entry)" ] || fail "the uninstall left the autostart entry"
[ ! -e "$(menu_entry)" ] || fail "the uninstall left the menu entry"

# With the folders named by the XDG variables, and no clock running: the uninstall does it itself.
export XDG_CONFIG_HOME=$E2E_WORK/config XDG_DATA_HOME=$E2E_WORK/data
config=$(config_folder)
start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_until "$E2E_WAIT" "autostart and menu entries in the XDG folders" entries_written
expect_entries
choose Close
wait_clock_end "$pid"
expect_file "$config/tockbell.ini" "$E2E_DEFAULT_FILE"
printf 'notes\n' >"$config/tockbell.txt"
printf 'RIFF' >"$config/tockbell.wav"
run_clock --uninstall
expect_folder "$config" tockbell.wav
[ ! -e "$(autostart_entry)" ] && [ ! -e "$(menu_entry)" ] || fail "the uninstall left an entry"
