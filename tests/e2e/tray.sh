# The clock in the tray of the taskbar: the face shows the pinned time in the face's colours and the
# tooltip the time and date; a right click opens the menu with the world clocks and the three commands,
# which work from there; a double click opens the settings dialog.
source "$(dirname "$0")/lib.sh"
# The face, the tooltip and the world clocks below are those of 10:00; the test ends within that minute.
E2E_CLOCK='2026-12-08 10:00:00'
e2e_begin

SHOT=$E2E_WORK/tray.png

# The pixels of the screenshot in the rectangle X Y WIDTH HEIGHT of the Windows screen (see lib.sh).
letters() { screen_letters "$SHOT" "$@"; }

shows_icon() {
    import -window root "$SHOT" && icon=$(tray_clock "$SHOT") && [ -n "$icon" ]
}

count_letters() { face_letters "$face" "$icon_size" "$@"; }

fail_face() {
    echo "the clock in the tray, $icon_size pixels square (see $SHOT):" >&2
    echo "$face" >&2
    fail "$1"
}

# Fails unless the rectangle X0 Y0 X1 Y1 of the artwork shows LETTER in HOW MANY of its pixels: all,
# some or none.
expect_letters() {
    local how_many=$1 letter=$2 what=$3 count total
    shift 3
    read -r count total <<<"$(count_letters "$letter" "$@")"
    [ "$total" -gt 0 ] || fail_face "the rectangle $* of $what shows no pixel"
    case $how_many in
        all) [ "$count" -eq "$total" ] ;;
        some) [ "$count" -gt 0 ] ;;
        none) [ "$count" -eq 0 ] ;;
    esac || fail_face "$what: $count of $total pixels are '$letter', expected $how_many"
}

# Right-clicks the clock, which opens its menu.
open_menu() { click_desktop "$icon_centre_x" "$icon_centre_y" 3; }

# The menu at 10:00, with the states that "Be silent" and "Close" show (" [checked]", " [grayed]").
menu_at_ten() {
    printf '%s\n' "19:00 in Singapore" "03:00 in San Francisco" "14:00 in Moscow" - "Properties... [default]" \
        "Be silent$1" "Close$2"
}

expect_menu() { expect_output "the menu" "$1" menu_items; }

folder=$(new_app_folder app)
pid=$(start_clock "$folder")

# The shell paints the icon after it has taken it, so the screenshot is taken until it shows.
wait_until "$E2E_WAIT" "clock face in the tray (see $SHOT)" shows_icon
read -r icon_x icon_y icon_size <<<"$icon"
[ "$icon_size" -ge 16 ] || fail "the clock in the tray is only $icon_size pixels square"
icon_centre_x=$((icon_x + icon_size / 2))
icon_centre_y=$((icon_y + icon_size / 2))
face=$(letters "$icon_x" "$icon_y" "$icon_size" "$icon_size")

# At 10:00 the minute hand points straight up and the hour hand to the ten; both are green.
read -r grey total <<<"$(count_letters . 0 0 31 31)"
[ $((grey * 3)) -gt $((total * 2)) ] || fail_face "only $grey of $total pixels show the face's grey"
expect_letters all G "the mark at three o'clock" 28 14 30 16
expect_letters all G "the mark at six o'clock" 14 28 16 30
expect_letters all G "the mark at nine o'clock" 0 14 2 16
expect_letters all G "the minute hand pointing up" 14 4 16 12
expect_letters some G "the hour hand pointing to the ten" 8 10 12 13
expect_letters none G "the face towards one and two o'clock" 18 4 26 12
expect_letters none G "the lower half of the face" 5 18 25 25

tips=$(drive tips Shell_TrayWnd) || fail "cannot read the tray's tooltips"
[ "$tips" = "10:00,Tuesday,December 08,2026" ] || fail "the tray's tooltips read '$tips'"

open_menu
expect_menu "$(menu_at_ten '' '')"
close_menu

open_menu
choose "Be silent"
open_menu
expect_menu "$(menu_at_ten ' [checked]' '')"
close_menu

# While the settings dialog is open, the program cannot be closed from the menu.
click_desktop "$icon_centre_x" "$icon_centre_y" 1 2
drive wait-shown "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "a double click opened no settings dialog"
open_menu
expect_menu "$(menu_at_ten ' [checked]' ' [grayed]')"
close_menu
drive click "$E2E_DIALOG" "$E2E_IDCANCEL" >/dev/null || fail "cannot cancel the settings dialog"
drive wait-gone "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "the settings dialog stayed open"

open_menu
choose "Close"
drive wait-exit "$pid" "$E2E_WAIT" >/dev/null || fail "the program did not end after Close in the menu"
expect_file "$folder/tockbell.ini" \
    '[Main]\r\nFlags=15,2,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n'
