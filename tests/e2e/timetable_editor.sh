# The time-table tree of the Table page with the real program: the tree shows the file; Save stops at
# the first invalid node, which is then being edited, and writes nothing; Save writes the tree and keeps
# the old file as tockbell.bak; a file dropped from the shell becomes an item of the section under the
# drop; items are moved and, with Shift, copied by dragging them with the mouse; the context menu, its
# sub-menus, Delete and Insert; Reload. Screenshots of the page are kept in the test's folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/timetable_files.sh"
# Clear of the full and half hours: nothing chimes while the tree changes.
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin

MAIN=$TIMETABLE_MAIN
STORED=$TIMETABLE_STORED
SAVED=$TIMETABLE_SAVED
DROPPED='C:\sounds\one.wav'

# The time of an item added now: the program's clock two minutes on.
new_item_time() { date -d "@$(($(date +%s) + $(clock_offset) + 120))" +%H:%M; }

folder=$(new_app_folder app)
printf "$STORED" >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
open_settings
choose_tab Table

expect_tree "filled from the file" "$(printf '%s\n' 'Everyday [bold]' '  07:30=a.wav' '  18:45=Gong.wav' \
    'Holiday [bold]' '  12:00=Noon.wav' 'March 08 [bold]' '  09:15=Bell.wav' '  25:00=Late.wav')"
[ -z "$(table_status)" ] || fail "the status line shows '$(table_status)' before the editor said anything"
[ "$(setting_states 1019 msctls_progress32)" = pos=0 ] ||
    fail "the progress bar is [$(setting_states 1019 msctls_progress32)] before the status line shows"

# Save stops at the first invalid node: a section's title, then an item in a section that it opens. The
# node being edited is the selected one, so that no other node's label is hidden meanwhile. Nothing is
# written until the whole tree is valid.
save_stops_at() {
    local node=$1
    shift
    click_setting 1033
    expect_status "Invalid format"
    expect_tree "after Save met '$node'" "$(printf '%s\n' "$@")"
    expect_folder "$folder" tockbell.exe tockbell.ini
    expect_file "$folder/tockbell.ini" "$STORED"
}

# What the user types mends the node.
mend() {
    edit_label "$E2E_VK_RETURN" "$1"
    wait_until "$E2E_WAIT" "'$1' in the tree" tree_holds "$1"
}

save_stops_at Holiday 'Everyday [bold]' '  07:30=a.wav' '  18:45=Gong.wav' \
    'Holiday [bold] [selected] [editing: Holiday]' '  12:00=Noon.wav' 'March 08 [bold]' '  09:15=Bell.wav' '  25:00=Late.wav'
shoot_settings "$E2E_WORK/invalid-title.png" "$pid"
mend Tomorrow
save_stops_at 25:00=Late.wav 'Everyday [bold]' '  07:30=a.wav' '  18:45=Gong.wav' 'Tomorrow [bold]' \
    '  12:00=Noon.wav' 'March 08 [bold] [expanded]' '  09:15=Bell.wav' \
    '  25:00=Late.wav [selected] [editing: 25:00=Late.wav]'
mend 23:00=Late.wav
[ "$(setting_states 1019 msctls_progress32)" = "hidden pos=0" ] ||
    fail "the progress bar is [$(setting_states 1019 msctls_progress32)] beside the status line"
click_setting 1033
expect_status "OK"
expect_file "$folder/tockbell.bak" "$STORED"
expect_file "$folder/tockbell.ini" "$SAVED"

# Three files dropped on a section: one item, for the first, at the end of that section.
before=$(new_item_time)
drop_on_node Tomorrow "$DROPPED" 'C:\sounds\two.wav' 'C:\sounds\three.wav'
expect_status "Edit item in format HH:MM=FileName.ext"
soon=$(tree_lines | sed -n 's/^  \([0-9][0-9]:[0-9][0-9]\)=C:\\sounds\\one\.wav .*/\1/p')
[ "$soon" = "$before" ] || [ "$soon" = "$(new_item_time)" ] ||
    fail "the dropped file's item has the time '$soon', not two minutes on from $before"
expect_tree "after the drop" "$(printf '%s\n' 'Everyday [bold]' '  07:30=a.wav' '  18:45=Gong.wav' \
    'Tomorrow [bold] [expanded]' '  12:00=Noon.wav' "  $soon=$DROPPED [selected] [editing: $soon=$DROPPED]" \
    'March 08 [bold] [expanded]' '  09:15=Bell.wav' '  23:00=Late.wav')"
shoot_settings "$E2E_WORK/label-edit.png" "$pid"
edit_label "$E2E_VK_ESCAPE"
expect_status "OK. Item has been added"
tree_holds "$soon=$DROPPED" || fail "Escape took the dropped file's item away"

# An item dragged onto a section moves to its top; with Shift held at the start it is copied.
drag_node 09:15=Bell.wav Everyday
drag_node 18:45=Gong.wav Tomorrow shift
expect_tree "after dragging" "$(printf '%s\n' 'Everyday [bold] [expanded]' '  09:15=Bell.wav' '  07:30=a.wav' \
    '  18:45=Gong.wav' 'Tomorrow [bold] [expanded]' '  18:45=Gong.wav [selected]' '  12:00=Noon.wav' \
    "  $soon=$DROPPED" 'March 08 [bold] [expanded]' '  23:00=Late.wav')"
shoot_settings "$E2E_WORK/table.png" "$pid"

# The context menu selects the node under the pointer; Insert is greyed until Delete has cut an item.
entries() { printf '%s\n' '&Reload' 'New section' '&New item' '&Browse...' '&Edit' '&Delete' "&Insert$1" '&Save'; }
click_node 07:30=a.wav 3
expect_output "the tree's menu" "$(entries ' [grayed]')" menu_items
tree_has_mark 07:30=a.wav selected || fail "a right click on 07:30=a.wav did not select it"
shoot_settings "$E2E_WORK/menu.png" "$pid" '#32768'
choose '&Delete'
click_node Tomorrow 3
expect_output "the tree's menu after Delete" "$(entries '')" menu_items
submenus=(
    'New section|Power On;Today;Tomorrow;Everyday;Week;Day;Month'
    'Week|Monday;Tuesday;Wednesday;Thursday;Friday;Saturday;Sunday'
    'Month|January;February;March;April;May;June;July;August;September;October;November;December'
)
# Week and Month are items of New section's sub-menu, which stays below the sub-menu opened last.
for submenu in "${submenus[@]}"; do
    IFS='|' read -r entry items <<<"$submenu"
    click_menu_item "$entry" "${new_section:-}"
    expect_output "the sub-menu '$entry'" "$(tr ';' '\n' <<<"$items")" menu_items
    [ "$entry" != 'New section' ] || new_section=$(drive menu "$E2E_WAIT")
done
choose March
expect_status "Edit day in format DD"
marks=$(tree_node 'March dd' | cut -f 2)
[ "$marks" = '[selected] [editing: March dd]' ] || fail "March in the menu made a section 'March dd' marked [$marks]"
edit_label "$E2E_VK_RETURN" 'March 09'
expect_status "OK. Section has been added"
drive key "$E2E_DIALOG" 1023 "$E2E_VK_INSERT" >/dev/null || fail "cannot press Insert"
expect_tree "after the menu's Delete and New section and the key Insert" "$(printf '%s\n' \
    'Everyday [bold] [expanded]' '  09:15=Bell.wav' '  18:45=Gong.wav' 'Tomorrow [bold] [expanded]' \
    '  18:45=Gong.wav' '  12:00=Noon.wav' "  $soon=$DROPPED" 'March 08 [bold] [expanded]' '  23:00=Late.wav' \
    'March 09 [expanded]' '  07:30=a.wav [selected]')"

# Save as the menu's command; the new section and the dropped file's item are stored, the previous file
# kept. Reload then shows the file again, all its sections bold, whatever had changed.
table_command "$E2E_TREE_SAVE"
expect_status "OK"
expect_file "$folder/tockbell.bak" "$SAVED"
FINAL="$MAIN"'[Everyday]\r\n09:15=Bell.wav\r\n18:45=Gong.wav\r\n[Tomorrow]\r\n18:45=Gong.wav\r\n12:00=Noon.wav\r\n'\
"$soon=${DROPPED//\\/\\\\}"'\r\n[March 08]\r\n23:00=Late.wav\r\n[March 09]\r\n07:30=a.wav\r\n'
expect_file "$folder/tockbell.ini" "$FINAL"
drive key "$E2E_DIALOG" 1023 "$E2E_VK_DELETE" >/dev/null || fail "cannot press Delete"
wait_until "$E2E_WAIT" "the selected item deleted" tree_lacks 07:30=a.wav
table_command "$E2E_TREE_RELOAD"
expect_tree "after Reload" "$(printf '%s\n' 'Everyday [bold]' '  09:15=Bell.wav' '  18:45=Gong.wav' \
    'Tomorrow [bold]' '  18:45=Gong.wav' '  12:00=Noon.wav' "  $soon=$DROPPED" 'March 08 [bold]' '  23:00=Late.wav' \
    'March 09 [bold]' '  07:30=a.wav')"

close_settings "$E2E_IDCANCEL"
close_clock "$pid"
expect_folder "$folder" tockbell.exe tockbell.ini tockbell.bak
