# Started in an empty folder and closed: the program saves the default settings beside itself, with
# the pinned date's day of the month.
source "$(dirname "$0")/lib.sh"
e2e_begin

folder=$(new_app_folder app)
pid=$(start_clock "$folder")
expect_folder "$folder" tockbell.exe
close_clock "$pid"

expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=31,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
