# The Table page, driven through AT-SPI and the keyboard: the tree read from the file with each
# node's level, section and validity; Save by Ctrl+S stopping at an invalid section, then at an
# invalid item, each mended in place, then writing the file that the Windows program's test expects
# for the same gestures (timetable_files.sh); a new item from the context menu (Menu key), typed over
# and saved; Alt+Up moving it into the section above; Delete and Insert; the recorder's buttons; then
# with the mouse, items dragged, and files dropped as a file manager drags them. Screenshots of the
# page are kept.
source "$(dirname "$0")/lib.sh"
source "$E2E_LINUX/../../e2e/timetable_files.sh"
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin no-sound

config=$(config_folder)
mkdir -p "$config"
printf "$TIMETABLE_STORED" >"$config/tockbell.ini"
tree() { settings tree Time-table || fail "cannot read the time-table tree"; }
expect_tree() { expect_output "the tree $1" "$(printf '%s\n' "${@:2}")" tree; }
expect_status() { expect_output "the status line" "label	$1" eval "settings dialog | grep -E '^label	$1\$'"; }

start_clock
wait_icon
choose "Properties..."
settings_shown
keys alt+b
expect_output "the tab shown" 'page tab list	Table [focused]' setting_line 'page tab list' Table
expect_tree "filled from the file" 'Everyday	section, level 1' 'Holiday	section, level 1, invalid' \
    'March 08	section, level 1'
expected_controls=$(printf '%s\n' 'push button	Stop [disabled]' 'push button	Play [disabled]' \
    'push button	Pause [disabled]' 'push button	Record' 'push button	Insert recording [disabled]' 'push button	Save')
expect_output "the recorder's buttons" "$expected_controls" \
    eval "settings dialog | grep -E '^push button	(Stop|Play|Pause|Record|Insert recording|Save)'"
shoot_settings "$E2E_WORK/table.png"

# Into the tree; Save stops at the section, then at the item, each being edited, and writes nothing
# until both are mended.
keys Tab ctrl+s
expect_status "Invalid format"
expect_file "$config/tockbell.ini" "$TIMETABLE_STORED"
shoot_settings "$E2E_WORK/invalid-title.png"
keys ctrl+a type:Tomorrow Return ctrl+s
expect_status "Invalid format"
expect_tree "after Save met the item" 'Everyday	section, level 1' 'Tomorrow	section, level 1' \
    'March 08	section, level 1' '09:15=Bell.wav	item of March 08, level 2' \
    '25:00=Late.wav	item of March 08, level 2, invalid'
keys ctrl+a type:23:00=Late.wav Return ctrl+s
expect_status "OK"
expect_file "$config/tockbell.ini" "$TIMETABLE_SAVED"
expect_file "$config/tockbell.bak" "$TIMETABLE_STORED"

# The context menu by the Menu key and "New item": the item two minutes ahead, being edited, is typed
# over; Alt+Up three times takes it to the end of the section above.
keys Menu n
expect_status "Edit item in format HH:MM=FileName.ext"
keys ctrl+a type:10:30=Tea.wav Return
expect_status "OK. Item has been added"
keys alt+Up alt+Up alt+Up ctrl+s
expect_status "OK"
expect_file "$config/tockbell.ini" "$TIMETABLE_MAIN"'[Everyday]\r\n07:30=a.wav\r\n18:45=Gong.wav\r\n[Tomorrow]\r\n'\
'12:00=Noon.wav\r\n10:30=Tea.wav\r\n[March 08]\r\n09:15=Bell.wav\r\n23:00=Late.wav\r\n'

# Delete cuts the item; Insert on the first section puts it first there.
keys Delete Home Insert
expect_tree "after Delete and Insert" 'Everyday	section, level 1' '10:30=Tea.wav	item of Everyday, level 2' \
    '07:30=a.wav	item of Everyday, level 2' '18:45=Gong.wav	item of Everyday, level 2' \
    'Tomorrow	section, level 1' '12:00=Noon.wav	item of Tomorrow, level 2' 'March 08	section, level 1' \
    '09:15=Bell.wav	item of March 08, level 2' '23:00=Late.wav	item of March 08, level 2'
shoot_settings "$E2E_WORK/table-edited.png"

# With the mouse: an item dragged onto a section goes first into it; with Ctrl held it is copied.
drag_node() {
    local from to
    from=$(settings point Time-table "$1") && to=$(settings point Time-table "$2") ||
        fail "cannot find '$1' or '$2' on the screen"
    xdotool mousemove $from mousedown 1 || fail "cannot press on '$1'"
    [ -z "${3:-}" ] || xdotool keydown "$3"
    local x0=${from% *} y0=${from#* } x1=${to% *} y1=${to#* } step
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((x0 + (x1 - x0) * step / 8)) $((y0 + (y1 - y0) * step / 8))
        sleep 0.05
    done
    xdotool mouseup 1
    [ -z "${3:-}" ] || xdotool keyup "$3"
}
drag_node 23:00=Late.wav Tomorrow
drag_node 07:30=a.wav "March 08" ctrl
expect_tree "after dragging" 'Everyday	section, level 1' '10:30=Tea.wav	item of Everyday, level 2' \
    '07:30=a.wav	item of Everyday, level 2' '18:45=Gong.wav	item of Everyday, level 2' \
    'Tomorrow	section, level 1' '23:00=Late.wav	item of Tomorrow, level 2' '12:00=Noon.wav	item of Tomorrow, level 2' \
    'March 08	section, level 1' '07:30=a.wav	item of March 08, level 2' '09:15=Bell.wav	item of March 08, level 2'

# Two sound files dragged from a file manager onto a section: the first becomes its last item, being
# edited; Escape keeps it.
"$TOCKBELL_BUILD/tests/linux/e2e/file_manager_drag" "$HOME/Music/gong.wav" "$HOME/Music/two.wav" \
    >"$E2E_WORK/drag.log" 2>&1 &
wait_until "$E2E_WAIT" "the file manager's window" xdotool search --name '^File manager$'
to=$(settings point Time-table Tomorrow) || fail "cannot find Tomorrow on the screen"
xdotool mousemove 40 30 mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((40 + (${to% *} - 40) * step / 8)) $((30 + (${to#* } - 30) * step / 8))
    sleep 0.1
done
xdotool mouseup 1
expect_status "Edit item in format HH:MM=FileName.ext"
# The keyboard's focus stayed with the file manager, which the drag began in.
xdotool search --name "^$E2E_DIALOG\$" windowfocus >/dev/null || fail "cannot give the dialog the focus"
keys Escape
expect_status "OK. Item has been added"
nodes=$(tree)
grep -qxF "10:07=$HOME/Music/gong.wav	item of Tomorrow, level 2" <<<"$nodes" ||
    fail "the dropped file is no item of Tomorrow: $nodes"
# Shift+F10 opens the context menu too.
keys shift+F10 n
expect_status "Edit item in format HH:MM=FileName.ext"
keys Escape
expect_status "OK. Item has been added"
press Cancel
settings_gone
