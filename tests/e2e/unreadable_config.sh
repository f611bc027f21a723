# A configuration "file" that cannot be read (here a folder of that name): the program runs on its
# defaults, closes normally, and leaves the folder and its content alone.
source "$(dirname "$0")/lib.sh"
e2e_begin

folder=$(new_app_folder app)
mkdir "$folder/tockbell.ini"
printf 'keep me\n' >"$folder/tockbell.ini/note.txt"
pid=$(start_clock "$folder")
close_clock "$pid"

expect_folder "$folder" tockbell.exe tockbell.ini
expect_folder "$folder/tockbell.ini" note.txt
expect_file "$folder/tockbell.ini/note.txt" 'keep me\n'
