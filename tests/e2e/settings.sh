# The settings dialog with the real program: where it opens, its three pages and tabs, the Setup page
# showing the stored settings, the rules between its boxes, "Be silent" from the tray while it is
# open, Enter and Escape, Cancel writing nothing, the tab remembered, the About text, OK writing the
# file at once, quiet hours chosen in their pickers, and hiding the tray icon, then "Close Tockbell" ending the program, which has saved:
# the steps of settings_choices.sh, which the Linux program's test takes too. Screenshots of the
# pages are kept in the test's folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/settings_choices.sh"
# Clear of the full and half hours: nothing chimes while the boxes change.
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin

BOXES='1002 1003 1004 1005 1006 1012 1009 1010 1011'
SHOT=$E2E_WORK/tray.png
# Sounds off, multistrike, voice hours and the swapped a.m./p.m. words; divisor 5; two world clocks.
stored=$SETTINGS_START
stored_boxes=$SETTINGS_START_BOXES
# The Setup page's boxes by their captions.
declare -A BOX_ID=(["Striking and voices"]=1002 ["Multistrike hours"]=1003 ["Strike half hour"]=1004
    ["Voice hours"]=1005 ["Voice half hours"]=1006 ["Switch AM/PM"]=1012 ["Hide icon"]=1009
    ["Close Tockbell"]=1010 ["Uninstall Tockbell"]=1011 ["Quiet hours"]=1036)

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
for rule in "${SETTINGS_RULES[@]}"; do
    IFS='|' read -r box expected <<<"$rule"
    click_setting "${BOX_ID[$box]}"
    boxes_show "$expected" $BOXES ||
        fail "after a click on '$box' the boxes show [$(setting_boxes $BOXES)], expected [$expected]"
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
# The build fills the program's version into the text.
cmp -s <(drive text "$E2E_DIALOG" 1013) <(sed -z 's/\n/\r\n/g' "$TOCKBELL_BUILD/res/about.txt") ||
    fail "the About page does not hold about.txt, its version filled in, with CR LF line ends"

# The steps: OK writes the file at once, while the program runs on; the icon leaves the tray with
# "Hide icon"; "Close Tockbell" ends the program, which saves. Between the first two, the next
# opening shows what OK stored, and Escape in a page cancels the whole dialog.
choose_tab Setup
for step in "${SETTINGS_STEPS[@]}"; do
    read_settings_step "$step"
    [ "$step" = "${SETTINGS_STEPS[0]}" ] || open_settings
    for box in "${STEP_BOXES[@]}"; do click_setting "${BOX_ID[$box]}"; done
    [ "$STEP_VOLUME" = - ] || drive set-pos "$E2E_DIALOG" 1016 "$STEP_VOLUME" >/dev/null || fail "cannot move the volume slider"
    if [ "$STEP_ZONES" != - ]; then
        zones=$(printf "$STEP_ZONES." ) && zones=${zones%.}  # with its last line break
        drive set-text "$E2E_DIALOG" 1034 "$zones" >/dev/null || fail "cannot type the world clocks"
    fi
    if [ "$STEP_QUIET_FROM" != - ]; then
        pick_time 1037 "$STEP_QUIET_FROM"
        pick_time 1038 "$STEP_QUIET_TO"
    fi
    if [[ " ${STEP_BOXES[*]} " == *" Close Tockbell "* ]]; then
        close_settings "$E2E_IDOK"
        drive wait-exit "$pid" "$E2E_WAIT" >/dev/null || fail "Close Tockbell with OK did not end the program"
    else
        close_settings "$E2E_IDOK"
        drive exists "$E2E_TITLE" || fail "OK ended the program"
    fi
    expect_folder "$folder" tockbell.exe tockbell.ini
    expect_file "$folder/tockbell.ini" "$STEP_FILE"
    case $step in
        "${SETTINGS_STEPS[0]}")
            open_settings
            boxes_show 'x x x x - - - - -' $BOXES || fail "after OK the boxes show [$(setting_boxes $BOXES)]"
            [ "$(setting_states 1016 msctls_trackbar32)" = pos=7 ] ||
                fail "after OK the volume slider stands at [$(setting_states 1016 msctls_trackbar32)]"
            expect_setting_text 1034 '+1 in Paris\r\n-5 in New York\r\n'
            click_setting 1003
            drive key "$E2E_DIALOG" 1003 "$E2E_VK_ESCAPE" >/dev/null || fail "cannot press Escape"
            drive wait-gone "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "Escape left the settings dialog open"
            expect_file "$folder/tockbell.ini" "$STEP_FILE"
            ;;
        "${SETTINGS_STEPS[1]}")
            wait_until "$E2E_WAIT" "tray without the clock after Hide icon (see $SHOT)" tray_shows_no_clock
            ;;
    esac
done
