# The voice recorder of the Table page with the real program, recording a 740 Hz tone from the sound
# input: a recording of 3 s ends by itself and is put in place as an 8-bit mono WAVE file of the tone;
# PLAY plays it as it is; INSERT's item gets a copy of it and plays it at its minute; the chime at the
# full hour ends a recording, which is saved before the chime sounds; in a read-only folder the page
# says that it could not record and the voice file stays as it was; Close while recording keeps the
# recording. A screenshot of the page while recording is kept in the test's folder.
source "$(dirname "$0")/lib.sh"
# The first recording, its item and its playing are done before noon, the next recording runs into it.
E2E_CLOCK='2026-12-08 11:59:10'
e2e_begin
TONE=740
start_capture "$TONE"

MAIN='[Main]\r\nFlags=31,2,8,0\r\n'
RECORD=1017 STOP=1032 PLAY=1031 INSERT=1022 SAVE=1033 DURATION=1020
# The buttons RECORD STOP PLAY PAUSE INSERT as setting_boxes writes them: "-" enabled, "(-)" disabled.
# While recording, INSERT stays as it was: it inserts the recording made before.
BUTTONS='1017 1032 1031 1030 1022'
NO_VOICE='- (-) (-) (-) (-)' FIRST_RECORDING='(-) - (-) - (-)' VOICE='- (-) - (-) -' RECORDING='(-) - (-) - -'
PLAYING='- - (-) (-) -'
VOICE_FILE=tockbell.wav

now_ms() { date +%s%3N; }
mtime_ms() { stat -c %.3Y "$1" | tr -d .; }
# Succeeds once the progress bar stands at N or further.
bar_reached() { [[ $(setting_states 1019 msctls_progress32) =~ pos=([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -ge "$1" ]; }
buttons_show() { boxes_show "$1" $BUTTONS; }
expect_buttons() { expect_output "the recorder buttons $2" "$1" setting_boxes $BUTTONS; }
# Fails unless the recording FILE is a WAVE file of the fed tone, as the program records: 8-bit mono
# at 11025 frames/s.
expect_recording() {
    local tone
    tone=$(wave_tone "$1") || fail "$1 is no WAVE file"
    [ "$tone" = "1 8 11025 $TONE" ] || fail "$1 holds [$tone], not [1 8 11025 $TONE]: channels, bits, rate and tone"
}

folder=$(new_app_folder app)
voice=$folder/$VOICE_FILE
printf "$MAIN" >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
open_settings
choose_tab Table
buttons_show "$NO_VOICE" || fail "without a recording the buttons show [$(setting_boxes $BUTTONS)]"

# A recording of the shortest duration ends by itself, neither before the duration nor at the default
# of 20 s, and takes the place of the voice file.
drive set-text "$E2E_DIALOG" "$DURATION" 3 >/dev/null || fail "cannot set the duration"
started=$(now_ms)
click_setting "$RECORD"
expect_buttons "$FIRST_RECORDING" "while recording"
wait_until 20 "end of a 3 s recording" buttons_show "$VOICE"
expect_folder "$folder" tockbell.exe tockbell.ini "$VOICE_FILE"
took=$(($(mtime_ms "$voice") - started))
[ "$took" -ge 3000 ] && [ "$took" -lt 10000 ] || fail "a recording of 3 s was saved after ${took} ms"
expect_recording "$voice"
cp "$voice" "$E2E_WORK/first.wav"

# INSERT's item, renamed to a file name with a blank, gets a copy of the recording.
click_setting "$INSERT"
expect_status "Edit item in format HH:MM=FileName.ext"
item=$(tree_lines | sed -n 's/^  \([0-2][0-9]:[0-5][0-9]\)=FileName\.wav \[selected\] \[editing: .*\]$/\1/p')
[ -n "$item" ] || fail "INSERT made no item in editing; the tree reads [$(tree_lines)]"
edit_label "$E2E_VK_RETURN" "$item=Dentist appointment.wav"
expect_status "OK. Item has been added"
cmp -s "$folder/Dentist appointment.wav" "$voice" || fail "INSERT's item has no copy of the recording"

# PLAY plays the recording as it is, then comes back.
wait_capture_quiet 1
keep_capture before-play
click_setting "$PLAY"
expect_buttons "$PLAYING" "while playing"
wait_until 60 "end of the playing" buttons_show "$VOICE"
wait_capture_quiet 1
expect_sounds 2 'voice' --file "voice=$voice"
keep_capture play
played=$(wc -l <"$E2E_CAPTURE_LOG")
click_setting "$SAVE"
expect_status "OK"
close_settings "$E2E_IDOK"
expect_file "$folder/tockbell.ini" "$MAIN"'[Everyday]\r\n'"$item"'=Dentist appointment.wav\r\n'
FILES=(tockbell.exe tockbell.ini tockbell.bak "$VOICE_FILE" "Dentist appointment.wav")

# A recording running at the full hour ends there and is saved; then the chime sounds. The buttons
# show the recording until STOP.
open_settings
choose_tab Table
drive set-text "$E2E_DIALOG" "$DURATION" 120 >/dev/null || fail "cannot set the duration"
# The chime starts just after noon: the recording runs for some seconds before it.
clock_before '2026-12-08 11:59:53' || fail "the program's clock came too near noon for a recording before it"
click_setting "$RECORD"
expect_buttons "$RECORDING" "while recording"
wait_until "$E2E_WAIT" "a running progress bar" bar_reached 3
shoot_settings "$E2E_WORK/recording.png" "$pid"
buttons_show "$RECORDING" || fail "the recording ended before noon"
cmp -s "$voice" "$E2E_WORK/first.wav" || fail "the voice file changed while recording"
hear_minute '2026-12-08 12:00' 60
expect_sounds 2 'WAVE0 WAVE1*12 WAVE012 WAVE0PM'
buttons_show "$RECORDING" || fail "after the chime the buttons show [$(setting_boxes $BUTTONS)]"
expect_folder "$folder" "${FILES[@]}"
! cmp -s "$voice" "$E2E_WORK/first.wav" || fail "the recording running at noon was not saved"
expect_recording "$voice"
saved=$(mtime_ms "$voice")
noon=$((($(date -d '2026-12-08 12:00:00' +%s) - $(clock_offset)) * 1000))
chimed=$(awk -v after="$played" 'NR > after { printf "%.0f", $1 * 1000; exit }' "$E2E_CAPTURE_LOG")
[ "$saved" -ge "$noon" ] || fail "the recording was saved $((noon - saved)) ms before noon"
[ "$saved" -le "$chimed" ] || fail "the recording was saved $((saved - chimed)) ms after the chime began"
keep_capture noon
click_setting "$STOP"
expect_buttons "$VOICE" "after STOP"

# In a read-only folder the recording cannot be made.
cp "$voice" "$E2E_WORK/noon.wav"
read_only_folder "$folder"
click_setting "$RECORD"
expect_status "The message could not be recorded"
expect_buttons "$VOICE" "after a recording that could not be made"
writable_folder "$folder"
expect_folder "$folder" "${FILES[@]}"
cmp -s "$voice" "$E2E_WORK/noon.wav" || fail "a recording that could not be made changed the voice file"

# INSERT's item plays its copy of the first recording at its minute.
wait_clock "$(date -d "2026-12-08 $item:00 10 seconds ago" '+%F %T')" 60
hear_minute "2026-12-08 $item"
expect_sounds 2 'voice' --file "voice=$E2E_WORK/first.wav"

# Close while recording ends the program and keeps the recording.
click_setting "$RECORD"
expect_buttons "$RECORDING" "while recording"
wait_until "$E2E_WAIT" "a running progress bar" bar_reached 2
closed=$(now_ms)
close_clock "$pid"
expect_folder "$folder" "${FILES[@]}"
[ "$(mtime_ms "$voice")" -ge "$closed" ] || fail "Close while recording did not save the recording"
expect_recording "$voice"
