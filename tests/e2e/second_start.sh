# A second start while the program runs: the second copy ends at once without touching any file, and
# the running copy opens its settings dialog, whose time-table tree begins the missing configuration
# file empty. A start while that dialog is open only brings it
# forward. Cancel closes the dialog and leaves the program running.
source "$(dirname "$0")/lib.sh"
e2e_begin

folder=$(new_app_folder app)
pid=$(start_clock "$folder")

start_again "$folder"
drive wait-shown "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "the settings dialog did not open"
[ "$(drive pid "$E2E_DIALOG")" = "$pid" ] || fail "the settings dialog is not the running copy's"
[ "$(drive pid "$E2E_TITLE")" = "$pid" ] || fail "the running copy's main window changed hands"
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" ''

drive click "$E2E_DIALOG" "$E2E_IDCANCEL" >/dev/null || fail "cannot click Cancel"
drive wait-gone "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "Cancel did not close the settings dialog"
drive exists "$E2E_TITLE" >/dev/null || fail "Cancel ended the program"

# The next start opens the dialog again; one more start while it is open must not open a second one.
# The Cancel posted afterwards queues behind that start's request, so a second dialog would be up by
# the time the first one goes.
start_again "$folder"
drive wait-shown "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "the settings dialog did not open again"
start_again "$folder"
drive command "$E2E_DIALOG" "$E2E_IDCANCEL" >/dev/null || fail "cannot cancel the settings dialog"
drive wait-gone "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "a start while the dialog was open opened another"
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" ''

close_clock "$pid"
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=31,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
