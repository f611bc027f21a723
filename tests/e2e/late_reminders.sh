# A resume from 13:02 to 13:50: the entry of 13:50 plays, then that of 13:40, ten minutes late; that
# of 13:30, twenty minutes late, is not played but listed in the icon's balloon once theirs have
# shown, and an entry that plays shows its own balloon. A click on a reminder's balloon stops it.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 13:01:55'
e2e_begin
start_capture

folder=$(new_app_folder app)
make_tone "$folder/A.wav" 0.5 500
make_tone "$folder/B.wav" 0.5 1000
make_tone "$folder/C.wav" 0.5 2000
printf '[Everyday]\r\n13:30=A.wav\r\n13:40=B.wav\r\n13:50=C.wav\r\n' >"$folder/tockbell.ini"
clock_in_file
pid=$(start_clock "$folder")
wait_clock '2026-12-08 13:02:05'
set_clock '2026-12-08 13:50:00'
# A reminder's balloon shows as it plays; the list of the missed waits for the last one's turn to end.
expect_output "the icon's balloon" '13:50 C' balloon
expect_output "the icon's balloon" '13:40 B' balloon
expect_output "the icon's balloon" 'Missed while the computer was asleep: 13:30 A' balloon
wait_capture_quiet 3
close_clock "$pid"
# B waits until every kind of section has been looked up for 13:50, one a second.
expect_sounds 2 'C B' --file "B=$folder/B.wav" --file "C=$folder/C.wav"
keep_capture resume

make_tone "$folder/Long.wav" 20
printf '[Everyday]\r\n10:01=Long.wav\r\n' >"$folder/tockbell.ini"
E2E_CLOCK='2026-12-08 10:00:57'
set_clock "$E2E_CLOCK"
pid=$(start_clock "$folder")
expect_output "the icon's balloon" '10:01 Long' balloon
click_balloon
wait_capture_quiet 2
seconds=$(($(capture_mark) / E2E_CAPTURE_BYTE_RATE))
[ "$seconds" -lt 15 ] || fail "the reminder played for ${seconds}s of its 20 s after a click on its balloon"
close_clock "$pid"
