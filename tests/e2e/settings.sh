# The settings dialog with the real program: where it opens, its three pages and tabs, the Setup page
# showing the stored settings, the rules between its boxes, "Be silent" from the tray while it is
# open, Enter and Escape, Cancel writing nothing, the tab remembered, the About text, OK writing the
# file at once and hiding the tray icon. Screenshots of the pages are kept in the test's folder.
source "$(dirname "$0")/lib.sh"
# Clear of the full and half hours: nothing chimes while the boxes change.
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin

BOXES='1002 1003 1004 1005 1006 1012 1009 1010 1011'
SHOT=$E2E_WORK/tray.png
# Sounds off, multistrike, voice hours and the swapped a.m./p.m. words; divisor 5; two world clocks.
stored='[Main]\r\nFlags=69,5,8,2\r\nTime1=+9 in Singapore\r\nTime2=+5:30 in Mumbai\r\n'
stored_boxes='- (x) (-) (x) (-) x - - -'

tray_shows_clock() { import -window root "$SHOT" && [ -n "$(tray_clock "$SHOT")" ]; }
# Not a pixel of the clock face's grey left in the taskbar; Wine hides its taskbar once the last icon
# has gone.
tray_shows_no_clock() {
    local letters
    drive rect Shell_TrayWnd >/dev/null || return 0
    import -window root "$SHOT" && letters=$(taskbar_letters "$SHOT") && ! grep -q '[.]' <<<"$letters"
}

folder=$(new_app_folder app)
printf "$stored" >"$folder/tockbell.ini"
pid=$(start_clock "$folder")
wait_until "$E2E_WAIT" "clock face in the tray (see $SHOT)" tray_shows_clock

open_settings
read -r left top right bottom <<<"$(drive rect '#32770')"
# Near the lower right corner of the 800x600 desktop, above the taskbar.
[ "$left $top" = "$((800 - (right - left) - 80)) $((600 - (bottom - top) - 100))" ] ||
    fail "the settings dialog opened at $left $top $right $bottom"
# Wine has no date and time applet for "Set time" to open.
[ "$(setting_states 3 Button)" = disabled ] || fail "Set time is [$(setting_states 3 Button)] without an applet"
tabs=$(drive tabs "$E2E_DIALOG" | cut -f 2) || fail "cannot read the tabs"
[ "$(echo $tabs)" = "Setup [selected] Table About" ] || fail "the tabs read [$(echo $tabs)]"
pages_show Setup || fail "the settings dialog opened showing [$(shown_pages)]"
shoot_settings "$E2E_WORK/setup.png" "$pid"

# The Setup page shows the stored settings.
boxes_show "$stored_boxes" $BOXES || fail "the stored settings show as [$(setting_boxes $BOXES)]"
[ "$(setting_states 1016 msctls_trackbar32)" = pos=5 ] ||
    fail "the volume slider stands at [$(setting_states 1016 msctls_trackbar32)]"
expect_setting_text 1034 '+9 in Singapore\r\n+5:30 in Mumbai\r\n'
expect_setting_text 1015 'English'

# The dialog's own tooltips, and some of the Setup page's.
tips=$(drive tips '#32770') || fail "cannot read the settings dialog's tooltips"
missing=$(comm -13 <(sort <<<"$tips") <(printf '%s\n' "Accept settings" "Discard settings" "Set time" "Set time" \
    "Version of the program" "(c) 2026, The Tockbell authors" "Striking chiming talking" "Tockbell" \
    "Enable/disable all sounds" "Striking each half hour" | sort))
[ -z "$missing" ] || fail "the settings dialog's tooltips lack [$missing]; they read [$tips]"
! grep -qx '' <<<"$tips" || fail "a tooltip of the settings dialog has an empty text"

# "Be silent" in the tray menu sets the switch, which the page follows with its rule. The Enter posted
# in between reaches the page before the second "Be silent": the page then shows that it did nothing.
drive command "$E2E_TITLE" "$E2E_BE_SILENT" >/dev/null || fail "cannot send Be silent"
wait_until "$E2E_WAIT" "sounds switched on by Be silent" boxes_show 'x x - x -' 1002 1003 1004 1005 1006
drive key "$E2E_DIALOG" 1003 "$E2E_VK_RETURN" >/dev/null || fail "cannot press Enter"
drive command "$E2E_TITLE" "$E2E_BE_SILENT" >/dev/null || fail "cannot send Be silent"
wait_until "$E2E_WAIT" "sounds switched off by Be silent after Enter" \
    boxes_show '- (x) (-) (x) (-)' 1002 1003 1004 1005 1006
drive exists "$E2E_DIALOG" || fail "Enter closed the settings dialog"
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" "$stored"

# The rules, click by click from the stored settings: the box clicked, then all of them afterwards.
rules=(
    '1002  x  x   -  x   -   x - - -'  # on: the four below enabled, "Voice half hours" too
    '1005  x  x   -  -   (-) x - - -'  # "Voice hours" off greys "Voice half hours"
    '1005  x  x   -  x   -   x - - -'  # and on enables it, unchecked
    '1006  x  x   -  x   x   x - - -'
    '1005  x  x   -  -   (-) x - - -'  # off unchecks it
    '1002  -  (x) (-) (-) (-) x - - -'  # off greys all four
    '1002  x  x   -  -   -   x - - -'  # on enables all four, whatever "Voice hours" shows
    '1006  x  x   -  -   x   x - - -'
    '1005  x  x   -  x   -   x - - -'  # "Voice hours" on unchecks "Voice half hours" too
    '1004  x  x   x  x   -   x - - -'
    '1012  x  x   x  x   -   - - - -'
    '1011  x  x   x  x   -   - x x x'  # uninstalling hides the icon and closes the program
    '1009  x  x   x  x   -   - - x -'  # showing the icon withdraws the uninstall
    '1011  x  x   x  x   -   - x x x'
    '1010  x  x   x  x   -   - x - -'  # as does staying open
    '1011  x  x   x  x   -   - x x x'
    '1011  x  x   x  x   -   - x x -'  # unchecked alone, it leaves the two others
)
for rule in "${rules[@]}"; do
    read -r box expected <<<"$rule"
    click_setting "$box"
    boxes_show "$(echo $expected)" $BOXES ||
        fail "after a click on $box the boxes show [$(setting_boxes $BOXES)], expected [$(echo $expected)]"
done

# Cancel forgets all that: the file stays as it was, and the next opening shows the stored settings.
close_settings "$E2E_IDCANCEL"
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" "$stored"

# The dialog opens on the tab it last showed; the About page holds the text of about.txt.
open_settings
boxes_show "$stored_boxes" $BOXES || fail "after Cancel the boxes show [$(setting_boxes $BOXES)]"
choose_tab Table
shoot_settings "$E2E_WORK/table.png" "$pid"
choose_tab About
shoot_settings "$E2E_WORK/about.png" "$pid"
close_settings "$E2E_IDCANCEL"
open_settings
[ "$(selected_tab)" = About ] || fail "the settings dialog opened again on the tab '$(selected_tab)'"
pages_show About || fail "the settings dialog opened again showing [$(shown_pages)]"
cmp -s <(drive text "$E2E_DIALOG" 1013) <(sed -z 's/\n/\r\n/g' "$E2E_SCRIPTS/../../res/about.txt") ||
    fail "the About page does not hold about.txt with CR LF line ends"

# OK writes the file at once, while the program runs on: the options, the slider's divisor and the
# world clocks up to the first empty line, without their leading blanks.
choose_tab Setup
click_setting 1002
click_setting 1004
click_setting 1012
drive set-pos "$E2E_DIALOG" 1016 7 >/dev/null || fail "cannot move the volume slider"
drive set-text "$E2E_DIALOG" 1034 $'  +1 in Paris\r\n-5 in New York\r\n\r\n+3 in Nairobi\r\n' >/dev/null ||
    fail "cannot type the world clocks"
close_settings "$E2E_IDOK"
saved='[Main]\r\nFlags=23,7,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\n'
expect_folder "$folder" tockbell.exe tockbell.ini
expect_file "$folder/tockbell.ini" "$saved"
drive exists "$E2E_TITLE" || fail "OK ended the program"

# The next opening shows what OK stored; Escape in a page cancels the whole dialog.
open_settings
boxes_show 'x x x x - - - - -' $BOXES || fail "after OK the boxes show [$(setting_boxes $BOXES)]"
[ "$(setting_states 1016 msctls_trackbar32)" = pos=7 ] ||
    fail "after OK the volume slider stands at [$(setting_states 1016 msctls_trackbar32)]"
expect_setting_text 1034 '+1 in Paris\r\n-5 in New York\r\n'
click_setting 1003
drive key "$E2E_DIALOG" 1003 "$E2E_VK_ESCAPE" >/dev/null || fail "cannot press Escape"
drive wait-gone "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "Escape left the settings dialog open"
expect_file "$folder/tockbell.ini" "$saved"

# "Hide icon" with OK takes the clock out of the tray at once.
open_settings
click_setting 1009
close_settings "$E2E_IDOK"
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=55,7,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\n'
wait_until "$E2E_WAIT" "tray without the clock after Hide icon (see $SHOT)" tray_shows_no_clock

close_clock "$pid"
expect_file "$folder/tockbell.ini" '[Main]\r\nFlags=55,7,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\n'
