# Started on a file last saved on another day: the day rolls at start ("Today" expires, "Tomorrow"
# becomes "Today", everything else stays), the backup holds the file as it was, and Close keeps the
# rolled file with the stored options.
source "$(dirname "$0")/lib.sh"
e2e_begin

before='[Main]\r\nFlags=29,5,7,2\r\nTime1=+1 in Paris\r\nTime2=+5:30 in Mumbai\r\n'
before+='[Today]\r\n08:00=Dentist.wav\r\n[Tomorrow]\r\n09:00=Meeting.wav\r\n09:30=Call.mid\r\n'
before+='[Everyday]\r\n07:30=WakeUp.wav\r\n[December 24]\r\n18:00=C:\\Sounds\\Carol.mid\r\n'
after='[Main]\r\nFlags=29,5,8,2\r\nTime1=+1 in Paris\r\nTime2=+5:30 in Mumbai\r\n'
after+='[Today]\r\n09:00=Meeting.wav\r\n09:30=Call.mid\r\n'
after+='[Everyday]\r\n07:30=WakeUp.wav\r\n[December 24]\r\n18:00=C:\\Sounds\\Carol.mid\r\n'

folder=$(new_app_folder app)
printf "$before" >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
expect_file "$folder/tockbell.bak" "$before"
close_clock "$pid"

expect_folder "$folder" tockbell.exe tockbell.ini tockbell.bak
expect_file "$folder/tockbell.ini" "$after"
expect_file "$folder/tockbell.bak" "$before"
