# The clock in the tray of the taskbar: the face shows the pinned time in the face's colours and the
# tooltip the time and date; a right click opens the menu with the world clocks and the three commands,
# which work from there; a double click opens the settings dialog.
source "$(dirname "$0")/lib.sh"
# The face, the tooltip and the world clocks below are those of 10:00; the test ends within that minute.
E2E_CLOCK='2026-12-08 10:00:00'
e2e_begin

SHOT=$E2E_WORK/tray.png

# Right-clicks the clock, which opens its menu.
open_menu() { click_desktop "$icon_centre_x" "$icon_centre_y" 3; }

# The menu at 10:00, with the states that "Be silent" and "Close" show (" [checked]", " [grayed]").
menu_at_ten() {
    printf '%s\n' "18:00 in Singapore" "02:00 in San Francisco" "13:00 in Moscow" - "Properties... [default]" \
        "Say the time" "Be silent$1" "Close$2"
}

expect_menu() { expect_output "the menu" "$1" menu_items; }

folder=$(new_app_folder app)
pid=$(start_clock "$folder")

# The shell paints the icon after it has taken it, so the screenshot is taken until it shows.
icon=$(wait_tray_clock "$SHOT")
read -r icon_x icon_y icon_size <<<"$icon"
[ "$icon_size" -ge 16 ] || fail "the clock in the tray is only $icon_size pixels square"
icon_centre_x=$((icon_x + icon_size / 2))
icon_centre_y=$((icon_y + icon_size / 2))
expect_face_at_ten "$SHOT" "$icon"

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
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=15,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
