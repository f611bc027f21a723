# Shared steps of the end-to-end tests, sourced by each test script. A test runs the real
# tockbell.exe, copied into a fresh folder, on its own X server (Xvfb) and in its own Wine prefix,
# inside a Wine virtual desktop, at a pinned date (faketime), and looks into it with tbdriver from
# the same desktop. Every wait is bounded, so a hang fails the test instead of blocking it, and the
# cleanup leaves nothing running. CTest sets TOCKBELL_EXE, TOCKBELL_DRIVER and TOCKBELL_BUILD.
set -euo pipefail

: "${TOCKBELL_EXE:?}" "${TOCKBELL_DRIVER:?}" "${TOCKBELL_BUILD:?}"

E2E_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
E2E_WORK=$TOCKBELL_BUILD/e2e-work/$(basename "$0" .sh)  # kept after the run, for a look at what happened
E2E_LOG=$E2E_WORK/wine.log
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
E2E_DESKTOP=tockbell
E2E_DESKTOP_SIZE=${E2E_DESKTOP_SIZE:-800x600}  # the Wine desktop, in pixels of the Windows screen
E2E_CLOCK='2026-12-08 10:00:00'  # the program's clock starts here and runs on; a test may pin another
E2E_TITLE='Striking Tockbell'
E2E_DIALOG='Tockbell Settings'
E2E_PROPERTIES=57664
E2E_CLOSE=57665
E2E_BE_SILENT=32771
E2E_IDOK=1
E2E_IDCANCEL=2
E2E_VK_RETURN=13
E2E_VK_ESCAPE=27
E2E_VK_INSERT=45
E2E_VK_DELETE=46

# The program writes a Start menu shortcut; Wine's menu builder must not copy it into the host's menus.
export WINEPREFIX=$E2E_WORK/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'

# The driver inside the test's desktop, bounded even if Wine itself hangs. Wine's own chatter goes to
# the log; the driver's answers come on stdout and as its exit code.
drive() {
    timeout -k 5 $((E2E_WAIT + 30)) wine "$TOCKBELL_DRIVER" "$E2E_DESKTOP" "$@" 2>>"$E2E_LOG"
}

# A prefix is made once per build (wineboot takes some ten seconds), then copied for each test. The
# large system folder is shared through hard links, since nothing writes into its programs and
# libraries; its settings files, which profile calls rewrite in place, get copies of their own.
make_prefix() {
    local template=$TOCKBELL_BUILD/e2e-wineprefix
    WINEPREFIX=$template timeout 300 "$E2E_TOOLS/wine-prefix" >/dev/null || fail "cannot make the Wine prefix"
    mkdir -p "$WINEPREFIX/drive_c"
    find "$template" -mindepth 1 -maxdepth 1 ! -name drive_c -exec cp -a {} "$WINEPREFIX/" \;
    find "$template/drive_c" -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$WINEPREFIX/drive_c/" \;
    cp -al "$template/drive_c/windows" "$WINEPREFIX/drive_c/windows"
    find "$template/drive_c/windows" -name '*.ini' -printf '%P\0' |
        (cd "$template/drive_c/windows" && xargs -0 -r cp --remove-destination --parents -t "$WINEPREFIX/drive_c/windows")
}

e2e_cleanup() {
    local status=$? folder
    for folder in "${E2E_READ_ONLY[@]}"; do writable_folder "$folder" || true; done
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    [ -z "${E2E_XVFB_PID:-}" ] || kill "$E2E_XVFB_PID" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    [ "$status" -eq 0 ] || echo "Wine's log: $E2E_LOG" >&2
}

e2e_begin() {
    begin_work
    start_display
    make_prefix
}

# A fresh folder holding only a copy of the program; the program keeps its files beside itself.
new_app_folder() {
    local folder=$E2E_WORK/$1
    mkdir -p "$folder"
    cp "$TOCKBELL_EXE" "$folder/tockbell.exe"
    echo "$folder"
}

# Sets E2E_CLOCKED to the words that run a program at the test's clock: faketime at E2E_CLOCK, or
# after clock_in_file libfaketime reading the file.
clocked_words() {
    # shellcheck disable=SC2046 # one NAME=VALUE a word
    if [ -n "$E2E_CLOCK_FILE" ]; then E2E_CLOCKED=(env $(clock_environment)); else E2E_CLOCKED=(faketime "$E2E_CLOCK"); fi
}

# Starts the program of FOLDER in the test's Wine desktop and waits until it has started up; prints
# the Windows process id of the program. The main window can be found by its title while it is still
# being created, so the wait goes on until the program waits for input.
start_clock() {
    local folder=$1 pid
    clocked_words
    (cd "$folder" && exec timeout -k 5 300 "${E2E_CLOCKED[@]}" \
        wine explorer "/desktop=$E2E_DESKTOP,$E2E_DESKTOP_SIZE" tockbell.exe >>"$E2E_LOG" 2>&1) &
    drive wait "$E2E_TITLE" "$E2E_WAIT" >/dev/null || fail "the main window did not appear"
    pid=$(drive pid "$E2E_TITLE") || fail "the main window went away"
    drive wait-idle "$pid" "$E2E_WAIT" >/dev/null || fail "the program did not finish starting"
    echo "$pid"
}

# Starts the program of FOLDER once more in the same desktop, as a user would, and fails unless that
# copy soon ends of its own accord with exit code 0. faketime itself waits for every process started
# under it, so a copy that keeps running is cut off by the outer timeout.
start_again() {
    local folder=$1 code
    clocked_words
    code=$(cd "$folder" && timeout -k 5 $((E2E_WAIT + 30)) "${E2E_CLOCKED[@]}" \
        wine "$TOCKBELL_DRIVER" "$E2E_DESKTOP" run '.\tockbell.exe' "$E2E_WAIT" 2>>"$E2E_LOG") ||
        fail "a further copy of the program did not end"
    [ "$code" = 0 ] || fail "a further copy of the program ended with code $code"
}

# Sends "Close" to the program with process id PID and waits until that process has ended.
close_clock() {
    local pid=$1
    drive command "$E2E_TITLE" "$E2E_CLOSE" >/dev/null || fail "cannot send Close"
    drive wait-exit "$pid" "$E2E_WAIT" >/dev/null || fail "the program did not end after Close"
}

# The X window of the test's Wine desktop; its corner is the point 0, 0 of the Windows screen.
desktop_window() {
    local window
    window=$(xdotool search --name "^$E2E_DESKTOP - Wine desktop\$" | head -n 1)
    [ -n "$window" ] || fail "no X window of the Wine desktop"
    echo "$window"
}

# Where the point 0, 0 of the Windows screen lies on the X screen: "x y".
desktop_origin() {
    local window
    window=$(desktop_window)
    xdotool getwindowgeometry --shell "$window" | sed -n 's/^[XY]=//p' | paste -s -d ' '
}

# Moves the pointer to the point X Y of the Windows screen, then gives xdotool the further arguments
# there (such as "mousedown 1" or "keydown shift").
pointer_at() {
    local x=$1 y=$2 origin origin_x origin_y
    shift 2
    origin=$(desktop_origin)
    read -r origin_x origin_y <<<"$origin"
    timeout 10 xdotool mousemove $((origin_x + x)) $((origin_y + y)) "$@" || fail "cannot use the mouse at $x, $y"
}

# Clicks mouse BUTTON (1 left, 3 right) COUNT times at the point X Y of the Windows screen.
click_desktop() { pointer_at "$1" "$2" click --repeat "${4:-1}" "$3"; }

# Popup menus, as tbdriver's menu action reads the one shown last: one item a line, its centre on the
# Windows screen, a tab, then its text and states (" [default]", " [checked]", " [grayed]").

# The items of the popup menu shown last, without their places; waits for one to show.
menu_items() { drive menu "$E2E_WAIT" | cut -f 2-; }

# Clicks the item that shows exactly TEXT in the popup menu shown last, or in MENU, as tbdriver's menu
# action printed it before (a menu that is still shown below a sub-menu); an item of a sub-menu opens it.
click_menu_item() {
    local text=$1 menu=${2:-} place
    [ -n "$menu" ] || menu=$(drive menu "$E2E_WAIT") || fail "no menu shows"
    place=$(awk -F '\t' -v text="$text" '$2 == text { print $1; exit }' <<<"$menu")
    [ -n "$place" ] || fail "the menu has no item '$text'"
    click_desktop "${place% *}" "${place#* }" 1
}

# Chooses the item TEXT of the popup menu shown last, and waits for the menu to close.
choose() {
    click_menu_item "$1"
    drive wait-no-menu "$E2E_WAIT" >/dev/null || fail "the menu stayed open after choosing '$1'"
}

# Clicks beside the menu, where the screen is empty, as a user leaves a menu. (Escape closes it only
# while the pointer is over the menu: Wine 8 does not pass it keys pressed over the taskbar or desktop.)
close_menu() {
    click_desktop 10 10 1
    drive wait-no-menu "$E2E_WAIT" >/dev/null || fail "a click beside the menu left it open"
}

# The pixels of the screenshot SHOT in the rectangle X Y WIDTH HEIGHT of the Windows screen, one line
# per row and one letter per pixel: "." the clock face's grey, "G" green, "#" black, "-" anything else.
screen_letters() {
    local shot=$1 x=$2 y=$3 width=$4 height=$5 origin origin_x origin_y
    origin=$(desktop_origin)
    read -r origin_x origin_y <<<"$origin"
    crop_letters "$shot" $((origin_x + x)) $((origin_y + y)) "$width" "$height"
}

# The letters of the whole taskbar in the screenshot SHOT; fails when the desktop shows no taskbar.
taskbar_letters() {
    local shot=$1 tray left top right bottom
    tray=$(drive rect Shell_TrayWnd) || return 1
    read -r left top right bottom <<<"$tray"
    screen_letters "$shot" "$left" "$top" $((right - left)) $((bottom - top))
}

# The clock in the tray of the screenshot SHOT: the square around the pixels of the face's grey in the
# taskbar, "x y size" on the Windows screen; nothing when there is no such square, and a failure when
# there is no taskbar.
tray_clock() {
    local shot=$1 tray left top letters
    tray=$(drive rect Shell_TrayWnd) && letters=$(taskbar_letters "$shot") || return 1
    read -r left top _ <<<"$tray"
    grey_square "$letters" "$left" "$top"
}

# Waits until the shell has painted the clock in the tray, taking screenshots into SHOT, and prints
# where it is: "x y size" on the Windows screen.
wait_tray_clock() {
    local shot=$1 deadline=$((SECONDS + E2E_WAIT)) icon
    until import -window root "$shot" && icon=$(tray_clock "$shot") && [ -n "$icon" ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no clock face in the tray within ${E2E_WAIT}s (see $shot)"
        sleep 0.1
    done
    echo "$icon"
}

# Fails unless the clock at ICON ("x y size" on the Windows screen, as wait_tray_clock prints it) in the
# screenshot SHOT shows 10:00 on the face: the minute hand straight up and the hour hand to the ten,
# both green, and the marks where they belong, judged at whatever size the face is shown.
expect_face_at_ten() {
    local shot=$1 icon_x icon_y size face grey total
    read -r icon_x icon_y size <<<"$2"
    face=$(screen_letters "$shot" "$icon_x" "$icon_y" "$size" "$size")
    fail_face() {
        echo "the clock in the tray, $size pixels square (see $shot):" >&2
        echo "$face" >&2
        fail "$1"
    }
    # Fails unless the rectangle X0 Y0 X1 Y1 of the 32-pixel artwork shows LETTER in HOW MANY of its
    # pixels: all, some or none.
    expect_letters() {
        local how_many=$1 letter=$2 what=$3 count total
        shift 3
        read -r count total <<<"$(face_letters "$face" "$size" "$letter" "$@")"
        [ "$total" -gt 0 ] || fail_face "the rectangle $* of $what shows no pixel"
        case $how_many in
            all) [ "$count" -eq "$total" ] ;;
            some) [ "$count" -gt 0 ] ;;
            none) [ "$count" -eq 0 ] ;;
        esac || fail_face "$what: $count of $total pixels are '$letter', expected $how_many"
    }
    read -r grey total <<<"$(face_letters "$face" "$size" . 0 0 31 31)"
    [ $((grey * 3)) -gt $((total * 2)) ] || fail_face "only $grey of $total pixels show the face's grey"
    expect_letters none - "the face, which has only its grey, green and black" 0 0 31 31
    expect_letters all G "the mark at three o'clock" 28 14 30 16
    expect_letters all G "the mark at six o'clock" 14 28 16 30
    expect_letters all G "the mark at nine o'clock" 0 14 2 16
    expect_letters all G "the minute hand pointing up" 14 4 16 12
    expect_letters some G "the hour hand pointing to the ten" 8 10 12 13
    # Below the one o'clock mark, which a small face may draw a pixel lower than its place in the art.
    expect_letters none G "the face towards one and two o'clock" 18 5 26 12
    expect_letters none G "the lower half of the face" 5 18 25 25
}

# Right-clicks the clock in the tray, as found in screenshots taken into SHOT, which opens its menu.
open_tray_menu() {
    local icon x y size
    icon=$(wait_tray_clock "$1")
    read -r x y size <<<"$icon"
    click_desktop $((x + size / 2)) $((y + size / 2)) 3
}

# The text of the balloon that the program's tray icon shows; nothing while none shows.
balloon() { drive tips Shell_TrayWnd | sed -n 's/^balloon\t//p'; }

# Clicks the balloon, as the shell then tells the icon's window (Wine's shell does not).
click_balloon() {
    local wm_user=1024 icon_id=128 nin_balloon_user_click=1029
    drive post CSystemTray "$wm_user" "$icon_id" "$nin_balloon_user_click" >/dev/null || fail "cannot click the balloon"
}

# The settings dialog. Its pages are child dialogs inside its tab control; tbdriver finds their controls
# below the dialog by id, a check box before the tab control that shares its id.

# Opens the settings dialog as "Properties..." in the tray menu does, and waits until it shows.
open_settings() {
    drive command "$E2E_TITLE" "$E2E_PROPERTIES" >/dev/null || fail "cannot send Properties"
    drive wait-shown "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "Properties opened no settings dialog"
}

# Clicks the control ID of the settings dialog, on whichever page it is.
click_setting() {
    drive click "$E2E_DIALOG" "$1" >/dev/null || fail "cannot click control $1 of the settings dialog"
}

# Clicks the button ID of the settings dialog (OK, Cancel) and waits until the dialog has gone.
close_settings() {
    click_setting "$1"
    drive wait-gone "$E2E_DIALOG" "$E2E_WAIT" >/dev/null || fail "button $1 left the settings dialog open"
}

# Chooses the time HH:MM in the time picker ID of the settings dialog as a keyboard's user does: a
# click on its hours, their digits, Right to its minutes, theirs.
pick_time() {
    local left top right bottom
    read -r left top right bottom <<<"$(drive layout "$E2E_DIALOG" | awk -F '\t' -v id="$1" '$3 == id { print $6; exit }')"
    [ -n "$bottom" ] || fail "the settings dialog shows no time picker $1"
    click_desktop $((left + 8)) $(((top + bottom) / 2)) 1
    timeout 10 xdotool type --delay 50 "${2%:*}" && timeout 10 xdotool key Right &&
        timeout 10 xdotool type --delay 50 "${2#*:}" || fail "cannot type the time $2 into the time picker $1"
}

# The check boxes IDS... of the settings dialog, one word each: "x" checked, "-" not, in parentheses
# while greyed; "?" for a box it does not have.
setting_boxes() {
    drive controls "$E2E_DIALOG" | awk -F '\t' -v ids="$*" '
        $2 == "Button" {
            box[$1] = $3 ~ /(^| )checked( |$)/ ? "x" : "-"
            if ($3 ~ /(^| )disabled( |$)/) box[$1] = "(" box[$1] ")"
        }
        END {
            count = split(ids, id, " ")
            for (i = 1; i <= count; i++) printf "%s%s", (i > 1 ? " " : ""), (id[i] in box ? box[id[i]] : "?")
            print ""
        }'
}

# Succeeds while the check boxes IDS... (the further arguments) show STATES, as setting_boxes writes them.
boxes_show() {
    local states=$1
    shift
    [ "$(setting_boxes "$@")" = "$states" ]
}

# The states of the settings dialog's control ID of class CLASS, as tbdriver lists them.
setting_states() {
    drive controls "$E2E_DIALOG" | awk -F '\t' -v id="$1" -v class="$2" '$1 == id && $2 == class { print $3; exit }'
}

# Fails unless the text of the settings dialog's control ID holds exactly the bytes that printf makes of
# FORMAT.
expect_setting_text() {
    local id=$1 format=$2
    if ! cmp -s <(drive text "$E2E_DIALOG" "$id") <(printf "$format"); then
        printf 'expected:\n%s\nfound:\n' "$(printf "$format" | od -c)" >&2
        drive text "$E2E_DIALOG" "$id" | od -c >&2
        fail "control $id of the settings dialog does not hold what it should"
    fi
}

# The names of the settings dialog's pages that show, by a control of each: Setup, Table, About.
shown_pages() {
    drive controls "$E2E_DIALOG" | awk -F '\t' '
        $3 !~ /(^| )hidden( |$)/ {
            if ($1 == 1002 && $2 == "Button") shown = shown " Setup"
            if ($1 == 1023) shown = shown " Table"
            if ($1 == 1013) shown = shown " About"
        }
        END { print substr(shown, 2) }'
}

# Succeeds while the settings dialog shows the pages NAMES (as shown_pages writes them) and no other.
pages_show() { [ "$(shown_pages)" = "$1" ]; }

# The name of the settings dialog's selected tab.
selected_tab() {
    drive tabs "$E2E_DIALOG" | sed -n 's/^[^\t]*\t\(.*\) \[selected\]$/\1/p'
}

# Clicks the tab NAME of the settings dialog, as a user does, and waits until its page shows.
choose_tab() {
    local name=$1 rect left top right bottom
    rect=$(drive tabs "$E2E_DIALOG" | awk -F '\t' -v name="$name" '$2 == name || $2 == name " [selected]" { print $1 }')
    [ -n "$rect" ] || fail "the settings dialog has no tab '$name'"
    read -r left top right bottom <<<"$rect"
    click_desktop $(((left + right) / 2)) $(((top + bottom) / 2)) 1
    wait_until "$E2E_WAIT" "page '$name' after a click on its tab" pages_show "$name"
    [ "$(selected_tab)" = "$name" ] || fail "a click on the tab '$name' selected '$(selected_tab)'"
}

# What is wrong with the place of the settings dialog's shown controls, one fault a line, as tbdriver's
# layout action reads them: a control outside its parent's client area, a text or check box wider than
# its control (cut off), two controls of one parent that overlap where they draw (text against text,
# the whole of any other control). Nothing when all is well.
layout_faults() {
    drive layout "$E2E_DIALOG" | awk -F '\t' '
        function within(a, b) { return a[1] >= b[1] && a[2] >= b[2] && a[3] <= b[3] && a[4] <= b[4] }
        function overlap(i, j) {
            return ink[i, 1] < ink[j, 3] && ink[j, 1] < ink[i, 3] && ink[i, 2] < ink[j, 4] && ink[j, 2] < ink[i, 4]
        }
        {
            parent[NR] = $2; name[NR] = $3 " (" $4 ")"; kind[NR] = $4
            split($5, client, " "); split($6, rect, " "); split($7, drawn, " ")
            for (k = 1; k <= 4; k++) ink[NR, k] = drawn[k]
            if (NR > 1 && !within(rect, client)) print "control " name[NR] " lies outside its parent: " $6 " in " $5
            if (!within(drawn, rect)) print "control " name[NR] " is too small for its text: " $7 " in " $6
        }
        END {
            for (i = 2; i <= NR; i++)
                for (j = i + 1; j <= NR; j++)
                    # An up-down control stands on the edge of the box beside it, its buddy, by design.
                    if (parent[i] == parent[j] && overlap(i, j) && !(kind[i] "," kind[j] ~ /^(Edit,msctls_updown32|msctls_updown32,Edit)$/))
                        print "controls " name[i] " and " name[j] " overlap"
        }'
}

# The time-table tree of the Table page, as tbdriver's tree action reads it: one node a line, the centre
# of its label on the Windows screen ("-" while it is out of sight), a tab, then the node: two blanks
# before an item, its text, then the marks " [bold]", " [expanded]", " [selected]", " [drop]" and
# " [editing: TEXT]" that hold.
E2E_TREE_NEW_ITEM=32773
E2E_TREE_RELOAD=32799
E2E_TREE_SAVE=32800

# The tree's nodes, one a line, without their places.
tree_lines() { drive tree "$E2E_DIALOG" | cut -f 2-; }

# Waits until the tree shows the lines EXPECTED (as tree_lines writes them); WHAT says when.
expect_tree() { expect_output "the tree $1" "$2" tree_lines; }

# The first node of the tree whose text is TEXT: its place, a tab, its marks ("[bold] [selected]");
# fails when there is none.
tree_node() {
    drive tree "$E2E_DIALOG" | awk -F '\t' -v text="$1" '
        {
            node = $2
            marks = ""
            sub(/^ +/, "", node)
            while (match(node, / \[(bold|expanded|selected|drop|editing: .*)\]$/)) {
                marks = substr(node, RSTART + 1) (marks == "" ? "" : " ") marks
                node = substr(node, 1, RSTART - 1)
            }
            if (node == text) {
                print $1 "\t" marks
                found = 1
                exit
            }
        }
        END { exit !found }'
}

# Succeed while the tree has a node TEXT (tree_holds), or has none (tree_lacks).
tree_holds() { tree_node "$1" >/dev/null; }
tree_lacks() { ! tree_holds "$1"; }

# Succeeds while the node TEXT of the tree shows the mark MARK (such as "selected").
tree_has_mark() { [[ " $(tree_node "$1" | cut -f 2) " == *" [$2] "* ]]; }

# The centre "x y" on the Windows screen of the node TEXT; fails unless it is in sight.
tree_place() {
    local place
    place=$(tree_node "$1" | cut -f 1) && [ "$place" != - ] || fail "the tree shows no node '$1' in sight"
    echo "$place"
}

# Clicks mouse BUTTON (1 left, 3 right) on the node TEXT of the tree.
click_node() {
    local place
    place=$(tree_place "$1")
    click_desktop "${place% *}" "${place#* }" "$2"
}

# Drags the node FROM onto the node TO with the mouse, as a user does; with "shift", Shift is held
# down from the press until the drag has begun. FROM must not be the selected node: the drag's start
# is seen by its selecting FROM. Fails unless TO shows the drop highlight before the button is let go.
drag_node() {
    local from=$1 to=$2 shift=${3:-} place from_x from_y to_x to_y
    place=$(tree_place "$from")
    read -r from_x from_y <<<"$place"
    place=$(tree_place "$to")
    read -r to_x to_y <<<"$place"
    [ "$shift" != shift ] || pointer_at "$from_x" "$from_y" keydown shift
    pointer_at "$from_x" "$from_y" mousedown 1
    # The tree takes a move of a few pixels with the button held down as the start of a drag.
    pointer_at "$from_x" $((from_y - 8))
    wait_until "$E2E_WAIT" "drag of '$from'" tree_has_mark "$from" selected
    [ "$shift" != shift ] || pointer_at "$from_x" $((from_y - 8)) keyup shift
    pointer_at "$to_x" "$to_y"
    wait_until "$E2E_WAIT" "drop highlight on '$to'" tree_has_mark "$to" drop
    pointer_at "$to_x" "$to_y" mouseup 1
}

# Drops the files FILES... from the shell onto the node TEXT of the tree.
drop_on_node() {
    local place
    place=$(tree_place "$1")
    shift
    drive drop "${place% *}" "${place#* }" "$@" >/dev/null || fail "cannot drop files at $place"
}

# Puts TEXT, if given, into the tree's label edit and presses KEY there (E2E_VK_RETURN or
# E2E_VK_ESCAPE).
edit_label() { drive label "$E2E_DIALOG" "$@" >/dev/null || fail "the tree has no label edit"; }

# Posts the command ID to the Table page.
table_command() { drive command "$E2E_DIALOG" "$1" 1023 >/dev/null || fail "cannot post command $1 to the Table page"; }

# The text of the Table page's status line while it shows; nothing while it is hidden.
table_status() {
    [[ " $(setting_states 1024 Static) " == *" hidden "* ]] || drive text "$E2E_DIALOG" 1024
}

# Waits until the status line shows TEXT.
expect_status() { expect_output "the status line" "$1" table_status; }

# Saves a screenshot of the settings dialog, cut to its rectangle, as the PNG file FILE, once the
# program PID has painted it; with further window classes (a popup menu's "#32768"), cut to the
# rectangle that holds the dialog and the shown windows of those classes.
shoot_settings() {
    local file=$1 pid=$2 class rect l t r b left=100000 top=100000 right=-100000 bottom=-100000 origin origin_x origin_y
    shift 2
    drive wait-idle "$pid" "$E2E_WAIT" >/dev/null || fail "the program is busy"
    for class in '#32770' "$@"; do
        rect=$(drive rect "$class") || fail "no window of class $class shows"
        read -r l t r b <<<"$rect"
        left=$((l < left ? l : left)) top=$((t < top ? t : top))
        right=$((r > right ? r : right)) bottom=$((b > bottom ? b : bottom))
    done
    origin=$(desktop_origin)
    read -r origin_x origin_y <<<"$origin"
    timeout 30 import -window root -crop "$((right - left))x$((bottom - top))+$((origin_x + left))+$((origin_y + top))" \
        +repage "$file" || fail "cannot take a screenshot"
}

# Sound. Wine's ALSA driver plays into the default PCM of a .asoundrc in a HOME private to the test:
# a plug that converts whatever comes to one known format, 8-bit unsigned stereo at 11025 frames/s
# (the program's own sounds are in it already and so pass unchanged), into the file plugin, which
# writes every sound into a FIFO; capture.py reads it at the pace of a sound card, appends what
# arrives to E2E_CAPTURE and notes the real time of each block in E2E_CAPTURE_LOG. find_sounds.py
# reads that format. The same default PCM records from the null device, or from a tone.
E2E_CAPTURE_LOG=$E2E_WORK/capture.log
# The capture is that format already: the program's own sounds come into it byte for byte.
E2E_SOUND_CHECK=(--exact)

# Captures all that the test's Wine programs play from now on; call it after e2e_begin and before
# start_clock. With FREQUENCY (in Hz), what they record is a sine tone of that frequency, else silence.
# The tone is 16-bit, so that the plug converts it to the 8 bits the program records: without a
# conversion the file plugin is asked for more than its buffer holds and gives silence. The null
# device below runs faster than real time, so a recording holds several times its length in tone.
start_capture() {
    local frequency=${1:-} fifo=$E2E_WORK/capture.fifo tone=$E2E_WORK/tone.raw
    export HOME=$E2E_WORK/home
    mkdir -p "$HOME"
    mkfifo "$fifo"
    if [ -n "$frequency" ]; then
        sox -n -t raw -e signed-integer -b 16 -L -r 11025 -c 1 "$tone" synth 300 sine "$frequency" vol 0.4 ||
            fail "cannot make a tone of $frequency Hz"
    fi
    cat >"$HOME/.asoundrc" <<ASOUNDRC
pcm.!default { type asym playback.pcm "tockbell_capture" capture.pcm "tockbell_tone" }
pcm.tockbell_capture { type plug slave { pcm "tockbell_fifo" format U8 rate 11025 channels 2 } }
pcm.tockbell_fifo { type file slave.pcm "null" file "$fifo" format "raw" }
ASOUNDRC
    if [ -n "$frequency" ]; then
        cat >>"$HOME/.asoundrc" <<ASOUNDRC
pcm.tockbell_tone { type plug slave { pcm "tockbell_tone_file" format S16_LE rate 11025 channels 1 } }
pcm.tockbell_tone_file { type file slave.pcm "null" file "/dev/null" infile "$tone" format "raw" }
ASOUNDRC
    else
        echo 'pcm.tockbell_tone { type plug slave.pcm "null" }' >>"$HOME/.asoundrc"
    fi
    # Wine tries PulseAudio before ALSA; a PulseAudio server on the machine would take the sound.
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winepulse.drv=d"
    : >"$E2E_CAPTURE"
    # The reader ends by itself once this shell has gone.
    python3 "$E2E_SCRIPTS/capture.py" "$fifo" "$E2E_CAPTURE" "$E2E_CAPTURE_LOG" "$E2E_CAPTURE_BYTE_RATE" \
        >>"$E2E_WORK/capture.err" 2>&1 &
}

# The capture grows only while something plays: its size marks the sound that came.
capture_mark() { stat -c %s "$E2E_CAPTURE"; }

# The Linux process of this test's prefix whose name matches the pattern NAME (a Windows program such
# as tockbell.exe, or Wine's server); the prefix tells it from the processes of other tests that may
# run on the machine at the same time.
wine_unix_pid() { process_with "$1" "WINEPREFIX=$WINEPREFIX"; }

# The Linux process of the running program of this test.
clock_unix_pid() { wine_unix_pid tockbell.exe; }
