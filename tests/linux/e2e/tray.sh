# The clock in the tray: the face shows the pinned time in its colours, the tooltip the time and the
# date; a right click opens the menu with the world clocks and the commands in their states, which
# work from there, also when the menu stays open while the icon is renewed 20 s after the start. When
# the tray host ends and another comes, with a higher panel, the icon comes
# back, its face still square. Close saves.
source "$(dirname "$0")/lib.sh"
# The face, the tooltip and the world clocks are those of 10:00; the test ends within that minute.
E2E_CLOCK='2026-12-08 10:00:00'
e2e_begin no-sound no-tray
start_tray 24  # its icons are 22 pixels square

# The face's square in the screenshot SHOT: "x y size" on the screen, the bounds of its grey
# inside the icon; nothing when the icon shows no such square.
face_square() {
    grey_square "$(crop_letters "$1" "$ICON_X" "$ICON_Y" "$ICON_WIDTH" "$ICON_HEIGHT")" "$ICON_X" "$ICON_Y"
}
shows_face() { screenshot "$SHOT" && face=$(face_square "$SHOT") && [ -n "$face" ]; }

# How many of the face's pixels in the box X0 Y0 X1 Y1, in 32nds of the face from its top left
# corner, are LETTER: "count total".
count_letters() { face_letters "$letters" "$face_size" "$@"; }

fail_face() {
    echo "the face in the tray, $face_size pixels square (see $SHOT):" >&2
    echo "$letters" >&2
    fail "$1"
}

# Fails unless the box X0 Y0 X1 Y1 (in 32nds of the face) shows LETTER in at least LEAST percent of its
# pixels and in at most MOST percent.
expect_letters() {
    local least=$1 most=$2 letter=$3 what=$4 count total
    shift 4
    read -r count total <<<"$(count_letters "$letter" "$@")"
    [ "$total" -gt 0 ] || fail_face "the box $* of $what shows no pixel"
    [ $((count * 100)) -ge $((least * total)) ] && [ $((count * 100)) -le $((most * total)) ] ||
        fail_face "$what: $count of $total pixels are '$letter', expected $least to $most %"
}

# Fails unless the face in the tray shows 10:00.
expect_ten_oclock() {
    SHOT=$1
    wait_until "$E2E_WAIT" "clock face in the tray (see $SHOT)" shows_face
    read -r face_x face_y face_size <<<"$face"
    [ "$face_size" -ge 16 ] || fail "the face in the tray is only $face_size pixels square"
    letters=$(crop_letters "$SHOT" "$face_x" "$face_y" "$face_size" "$face_size")
    expect_letters 50 100 . "the face's grey" 0 0 31 31
    expect_letters 1 100 G "the mark at twelve o'clock" 14 0 17 3
    expect_letters 1 100 G "the mark at three o'clock" 28 14 31 17
    expect_letters 1 100 G "the mark at six o'clock" 14 28 17 31
    expect_letters 1 100 G "the mark at nine o'clock" 0 14 3 17
    expect_letters 1 100 '#' "the marks' shadows" 0 0 31 31
    expect_letters 30 100 G "the minute hand pointing up" 14 6 17 12
    expect_letters 10 100 G "the hour hand pointing to the ten" 8 9 13 14
    expect_letters 0 0 G "the face towards one and two o'clock" 19 5 25 11
    expect_letters 0 0 G "the lower half of the face" 5 19 26 26
}

menu_at_ten() {
    printf '%s\n' "18:00 in Singapore" "02:00 in San Francisco" "13:00 in Moscow" - "Properties..." \
        "Say the time" "Be silent$1" "Close"
}

start_clock
pid=$E2E_CLOCK_PID
started=$(date +%s)
wait_icon
expect_ten_oclock "$E2E_WORK/tray.png"
[ "$(tooltip)" = "10:00,Tuesday,December 08,2026" ] || fail "the tooltip reads '$(tooltip)'"
expect_menu "$(menu_at_ten '')" "$E2E_WORK/menu.png"
choose "Be silent" $((started + 24))
expect_menu "$(menu_at_ten ' [checked]')" "$E2E_WORK/menu-silent.png"

stop_tray
wait_until "$E2E_WAIT" "icon to leave with the tray" icon_gone
clock_runs "$pid"
start_tray 32  # its icons are 22 pixels wide and 30 high
wait_icon
expect_ten_oclock "$E2E_WORK/tray-again.png"

choose Close
wait_clock_end "$pid"
expect_file "$(config_folder)/tockbell.ini" '[Main]\r\nFlags=15,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
expect_messages
