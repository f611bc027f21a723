# The settings dialog, driven through AT-SPI and the keyboard only, as a screen reader's user does:
# opened from the menu and by a second start, one at a time, with "Close" greyed meanwhile; every
# control with its role, name, check and enabled state; the rules between the boxes and "Be silent"
# from the menu flipping the open box; Escape and Cancel writing nothing; the tab remembered and the
# About text; then the steps of settings_choices.sh, which the Windows program's test takes too: OK
# writes the same bytes at once, "Hide icon" takes the icon away and a second start opens the
# dialog, "Close Tockbell" ends the program, which has saved. Screenshots of both pages are kept.
source "$(dirname "$0")/lib.sh"
source "$E2E_LINUX/../../e2e/settings_choices.sh"
# Clear of the full and half hours.
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin no-sound

BOXES=("${SETTINGS_BOXES[@]}")
config=$(config_folder)
mkdir -p "$config"
printf "$SETTINGS_START" >"$config/tockbell.ini"
quiet_pickers() { settings dialog | grep '^spin button' | sed 's/ \[focused\]//'; }
expect_boxes() { boxes_show "$1" "${BOXES[@]}" || fail "$2: the boxes show [$(setting_boxes "${BOXES[@]}")], expected [$1]"; }

start_clock
pid=$E2E_CLOCK_PID
wait_icon
choose "Properties..."
settings_shown
# Every control that shows, in the order of the tree: the page, its tabs, the buttons and the lines.
# Sounds are stored off: the four boxes below the switch are greyed. No desktop's date and time
# settings are on this machine.
expected_controls=$(printf '%s\n' \
    'check box	Striking and voices' 'check box	Multistrike hours [checked] [disabled]' \
    'check box	Strike half hour [disabled]' 'check box	Voice hours [checked] [disabled]' \
    'check box	Voice half hours [disabled]' 'check box	Switch AM/PM [checked]' 'check box	Hide icon' \
    'check box	Close Tockbell' 'check box	Uninstall Tockbell' 'combo box	English' 'slider	Volume =5' \
    'push button	Test 2:00' 'push button	Test 17:30' 'text	Time zones and comments' 'check box	Quiet hours' \
    'spin button	Quiet from [disabled] =22:00' 'spin button	Quiet to [disabled] =07:00' 'label	from' 'label	to' \
    'label	Reminders still sound' 'label	Language' \
    'label	Volume' 'label	Time zones and comments' 'label	e.g. Asia/Tokyo in Tokyo' 'page tab list	Setup [focused]' 'page tab	Setup [focused]' \
    'page tab	Table' 'page tab	About' \
    'push button	Set time [disabled]' 'push button	OK' 'push button	Cancel' 'label	Version 2.3' \
    'label	(c) 2026, The Tockbell authors')
expect_output "the settings dialog" "$expected_controls" settings dialog
[ "$(settings text 'Time zones and comments')" = $'+9 in Singapore\n+5:30 in Mumbai' ] ||
    fail "the world clocks read [$(settings text 'Time zones and comments')]"
[ "$(settings describe 'Set time')" = "Set time: no date and time settings of GNOME, KDE Plasma, Cinnamon, MATE or Xfce were found" ] ||
    fail "the greyed Set time says [$(settings describe 'Set time')]"
[ "$(settings describe 'Time zones and comments')" = "e.g. Asia/Tokyo in Tokyo" ] ||
    fail "the world clocks' box says [$(settings describe 'Time zones and comments')]"
shoot_settings "$E2E_WORK/setup.png"

# Tab walks through every control in reading order: the tabs, the page, the buttons; the greyed
# boxes and "Set time" are passed over.
tab_order=()
for ((control = 0; control < 15; control++)); do
    tab_order+=("$(settings focus | cut -f 2 | sed 's/ \[.*//')")
    keys Tab
done
[ "$(printf '%s|' "${tab_order[@]}")" = "Setup|Striking and voices|Switch AM/PM|Hide icon|Close Tockbell|Uninstall Tockbell|Quiet hours|English|Volume|Test 2:00|Test 17:30|Time zones and comments|OK|Cancel|Setup|" ] ||
    fail "Tab walks [$(printf '%s|' "${tab_order[@]}")]"

# While it is open, "Close" is greyed and "Properties..." brings it forward: still one dialog.
expect_menu "$(printf '%s\n' "19:05 in Singapore" "15:35 in Mumbai" - "Properties..." "Say the time" "Be silent [checked]" \
    "Close [disabled]")"
choose "Properties..."
run_clock
[ "$(settings dialog | grep -c '^page tab	Setup')" = 1 ] || fail "a second dialog opened"
[ "$(xdotool search --name "^$E2E_DIALOG\$" | wc -l)" = 1 ] || fail "more than one settings window shows"

# "Be silent" in the menu flips the open box, which the boxes below it follow.
choose "Be silent"
expect_output "the boxes after Be silent" 'x x - x - x - - -' setting_boxes "${BOXES[@]}"
choose "Be silent"
expect_output "the boxes after Be silent again" "$SETTINGS_START_BOXES" setting_boxes "${BOXES[@]}"

# The rules, press by press from the stored settings: the box pressed, then all of them afterwards.
for rule in "${SETTINGS_RULES[@]}"; do
    IFS='|' read -r box expected <<<"$rule"
    press "$box"
    expect_output "the boxes after pressing '$box'" "$expected" setting_boxes "${BOXES[@]}"
done

# Escape cancels: the file stays as it was, and the next opening shows the stored settings.
keys Escape
settings_gone
clock_runs "$pid"
expect_file "$config/tockbell.ini" "$SETTINGS_START"

# Opened by a second start; Alt+O shows the About page, which the next opening shows again.
run_clock
settings_shown
expect_boxes "$SETTINGS_START_BOXES" "after Escape"
keys alt+o
expect_output "the tab shown" 'page tab list	About [focused]' setting_line 'page tab list' About
# The build fills the program's version into the text.
[ "$(settings text 'About Tockbell')" = "$(cat "$TOCKBELL_BUILD/linux/settings/about/about.txt")" ] ||
    fail "the About page does not hold res/linux/about.txt with the version filled in"
shoot_settings "$E2E_WORK/about.png"
press Cancel
settings_gone
choose "Properties..."
expect_output "the tab the dialog opens on" 'page tab list	About [focused]' setting_line 'page tab list' About
keys alt+p

# The steps both programs take: each opens the dialog anew, from the menu or, once the icon is
# hidden, by a second start; the boxes are pressed, the slider set and the world clocks typed, as a
# screen reader's user does, the quiet hours chosen in their pickers; OK writes the file at once.
first=1
for step in "${SETTINGS_STEPS[@]}"; do
    read_settings_step "$step"
    if [ "$first" = 0 ]; then
        if icon_shows; then choose "Properties..."; else run_clock; fi
        settings_shown
    fi
    first=0
    for box in "${STEP_BOXES[@]}"; do press "$box"; done
    [ "$STEP_VOLUME" = - ] || settings value Volume "$STEP_VOLUME" || fail "cannot set the volume"
    if [ "$STEP_ZONES" != - ]; then
        typing=()
        while IFS= read -r line; do typing+=("type:$line" Return); done < <(printf "$STEP_ZONES" | tr -d '\r')
        keys alt+z ctrl+a Delete "${typing[@]}"
    fi
    if [ "$STEP_QUIET_FROM" != - ]; then
        # Alt+F to the first picker's hours; the colon goes on to its minutes, Tab to the second picker.
        keys alt+f "type:$STEP_QUIET_FROM" Tab "type:$STEP_QUIET_TO"
        expect_output "the quiet hours' pickers" "$(printf 'spin button\tQuiet %s =%s\n' from "$STEP_QUIET_FROM" to "$STEP_QUIET_TO")" \
            quiet_pickers
    fi
    press OK
    settings_gone
    expect_file "$config/tockbell.ini" "$STEP_FILE"
    if [[ " ${STEP_BOXES[*]} " == *" Close Tockbell "* ]]; then
        wait_clock_end "$pid"
    elif [[ " ${STEP_BOXES[*]} " == *" Hide icon "* ]]; then
        wait_until "$E2E_WAIT" "icon to leave the tray after Hide icon" icon_gone
        clock_runs "$pid"
    else
        clock_runs "$pid"
    fi
done
expect_folder "$config" tockbell.ini
expect_messages
