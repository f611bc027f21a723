# New items in the Table page's tree with the real program, from adding to hearing: at 23:59 a new item
# reads 00:01=FileName.wav, in a section "Everyday" made for it; Escape keeps it as it is; an invalid
# time typed over it takes it away; the INSERT button's item gets a copy of the recorded message; an
# item typed over with another file at the same time as the first gives it that file at Save; after OK
# the time-table plays that file when its minute comes.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 23:59:35'
e2e_begin
start_capture

MAIN='[Main]\r\nFlags=31,2,8,0\r\n'

folder=$(new_app_folder app)
make_tone "$folder/beep.wav" 0.5
make_tone "$folder/tockbell.wav" 0.2  # a recorded message
printf "$MAIN" >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
open_settings
choose_tab Table
expect_tree "of a file without a time-table" ""

# The new items are made before midnight, two minutes before their time.
clock_before '2026-12-08 23:59:58' || fail "the program started too late for a new item at 23:59"
# Each new item comes from New item or from the INSERT button (as a recorded message is there), and is
# being edited below the nodes ABOVE; KEY ends the edit, with TYPED put in first, and the status line
# then shows STATUS. An invalid time takes the item away.
new=$E2E_TREE_NEW_ITEM insert=1022 added='OK. Item has been added' section='Everyday [expanded]'
new_items=(
    "$new|$E2E_VK_ESCAPE||$added|$section"
    "$new|$E2E_VK_RETURN|00:61=beep.wav|Deleted due to invalid format|$section;  00:01=FileName.wav"
    "$insert|$E2E_VK_RETURN|00:02=voice.wav|$added|$section;  00:01=FileName.wav"
    "$new|$E2E_VK_RETURN|00:01=beep.wav|$added|$section;  00:01=FileName.wav;  00:02=voice.wav"
)
for case in "${new_items[@]}"; do
    IFS='|' read -r source key typed status above <<<"$case"
    if [ "$source" = "$insert" ]; then click_setting "$insert"; else table_command "$source"; fi
    expect_status "Edit item in format HH:MM=FileName.ext"
    expect_tree "with a new item" \
        "$(tr ';' '\n' <<<"$above;  00:01=FileName.wav [selected] [editing: 00:01=FileName.wav]")"
    edit_label "$key" ${typed:+"$typed"}
    expect_status "$status"
done
clock_before '2026-12-09 00:00:00' || fail "midnight came before the new items were made"
expect_tree "with the new items" "$(printf '%s\n' 'Everyday [expanded]' '  00:01=FileName.wav' '  00:02=voice.wav' \
    '  00:01=beep.wav [selected]')"
cmp -s "$folder/voice.wav" "$folder/tockbell.wav" || fail "INSERT did not copy the recorded message to voice.wav"

click_setting 1033
expect_status "OK"
expect_file "$folder/tockbell.bak" "$MAIN"
# The second item of the same time gives the first its file.
SAVED="$MAIN"'[Everyday]\r\n00:01=beep.wav\r\n00:02=voice.wav\r\n'
expect_file "$folder/tockbell.ini" "$SAVED"
close_settings "$E2E_IDOK"
expect_file "$folder/tockbell.ini" "$SAVED"

# Midnight strikes first, for some 20 s.
hear_minute '2026-12-09 00:00' 60
wait_clock '2026-12-09 00:00:55' 60
hear_minute '2026-12-09 00:01'
close_clock "$pid"
expect_sounds 2 'WAVE0 WAVE1*12 WAVE012 WAVE0AM beep' --file "beep=$folder/beep.wav"
