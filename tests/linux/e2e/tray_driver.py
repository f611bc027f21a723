#!/usr/bin/python3
"""Reads and uses the tray icon's menu and tooltip of a running Qt program through AT-SPI, as a
screen reader would, and opens the menu with the mouse (xdotool) as a user does; reads and uses its dialog
through AT-SPI and the keyboard only, as a screen reader's user does.

    tray_driver.py APP SECONDS menu X Y [SHOT]   right-clicks X Y, prints the menu that opens, one
                                                 item a line ("-" for a separator, then " [checked]"
                                                 and " [disabled]" as they apply); with SHOT, a
                                                 screenshot is taken while the menu is open; then
                                                 closes the menu with Escape
    tray_driver.py APP SECONDS choose X Y TEXT [UNTIL]  right-clicks X Y and chooses the item TEXT
                                                 with the keyboard; with UNTIL (seconds since
                                                 1970), the menu stays open until then before
                                                 the keyboard moves in it
    tray_driver.py APP SECONDS tooltip X Y       rests the pointer on X Y and prints the tooltip

    tray_driver.py APP SECONDS dialog TITLE      waits until the dialog TITLE shows, then prints
                                                 its controls that show, in the order of the
                                                 accessible tree, one a line: role, a tab, name,
                                                 then " [checked]", " [disabled]", " [focused]",
                                                 " [selected]" as they apply and " =VALUE" for a
                                                 slider
    tray_driver.py APP SECONDS gone TITLE        waits until no dialog TITLE shows
    tray_driver.py APP SECONDS press TITLE NAME  the action of the control NAME that shows in the
                                                 dialog TITLE: a button's Press, a box's Toggle, a
                                                 tab's Press
    tray_driver.py APP SECONDS value TITLE NAME V  sets the slider NAME to V
    tray_driver.py APP SECONDS text TITLE NAME   prints the text of the text box NAME
    tray_driver.py APP SECONDS describe TITLE NAME  prints the description of the control NAME
    tray_driver.py APP SECONDS focus TITLE       prints the control that has the keyboard's focus,
                                                 as the dialog command prints it
    tray_driver.py APP SECONDS keys TITLE KEY... presses the keys (xdotool's names, such as
                                                 "alt+z" or "Escape") in the dialog, which must
                                                 have the keyboard; a KEY "type:TEXT" types TEXT

APP is the application's name as AT-SPI lists it. Every step waits at most SECONDS; a step that
does not come about exits with 1 and says why on stderr.

Qt leaves popup menus out of its application's children, so the menu is found by the focus that
moves onto its first item when Down is pressed in it. It is run by the system's python3, which has
the AT-SPI bindings (pyatspi).
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MENU_ITEM_ROLES = {"menu item", "check menu item", "radio menu item", "separator"}
# The pause between the right click and the key that moves the focus into the menu: the key must
# come once the menu has taken the keyboard.
KEY_DELAY_MS = 300
CLICK_AGAIN_MS = 3000
# How long a Down may take to move the focus before it is taken as lost.
KEY_AGAIN_S = 2.0
# How long the focus rests on an item before the next key goes.
KEY_REST_S = 0.3


def fail(message):
    sys.exit(f"tray_driver.py: {message}")


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)


def has_state(accessible, state):
    return accessible.getState().contains(state)


def open_menu(x, y, seconds):
    """Right-clicks X Y and returns the accessible of the menu that opens and how many Downs went
    to it."""
    found, downs = [], [0]

    def on_focus(event):
        if event.type.startswith("object:state-changed") and not event.detail1:
            return
        try:
            if event.source.getRoleName() in MENU_ITEM_ROLES and not found:
                found.append(event.source.parent)
                pyatspi.Registry.stop()
        except GLib.Error:
            pass  # an object that went away meanwhile

    # A menu opened by the mouse focuses no item until a key moves into it; under load it may open
    # after the first Down, so Down goes again until an item takes the focus.
    def press_down():
        if found:
            return False
        xdotool("key", "Down")
        downs[0] += 1
        return True

    # A click that comes while another window takes the focus (the settings dialog as it opens) may
    # open no menu: the click goes again while none has opened.
    def click():
        if found:
            return False
        xdotool("mousemove", x, y, "click", 3)
        return True

    def start():
        click()
        GLib.timeout_add(CLICK_AGAIN_MS, click)
        GLib.timeout_add(KEY_DELAY_MS, press_down)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused", "focus:")
    GLib.timeout_add(100, start)
    GLib.timeout_add(int(seconds * 1000), give_up)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused", "focus:")
    if not found:
        fail(f"no menu opened on a right click at {x}, {y}")
    return found[0], downs[0]


def items(menu):
    return [menu.getChildAtIndex(i) for i in range(menu.childCount)]


def describe(item):
    if item.getRoleName() == "separator":
        return "-"
    text = item.name
    if has_state(item, pyatspi.STATE_CHECKED):
        text += " [checked]"
    if not has_state(item, pyatspi.STATE_ENABLED):
        text += " [disabled]"
    return text


def showing(item):
    try:
        return has_state(item, pyatspi.STATE_SHOWING)
    except Exception:  # gone, with the program that chose to end
        return False


def wait_hidden(item, seconds, what):
    deadline = time.monotonic() + seconds
    while showing(item):
        if time.monotonic() > deadline:
            fail(f"the menu stayed open after {what}")
        time.sleep(0.05)


def focused_index(entries):
    return next((i for i, entry in enumerate(entries) if has_state(entry, pyatspi.STATE_FOCUSED)), None)


def choose(menu, wanted, downs, seconds):
    """Chooses the item WANTED of the open MENU with the keyboard, as its first item has it: Down to
    the item, then Return. (AT-SPI's places are in the program's points, which differ from the screen's
    pixels when it scales.) DOWNS went to the menu as it opened.

    Under load a key may come seconds late. A key goes only once the focus has rested; a Down goes
    again when the last one seems lost, and Return waits longer while a Down may still be on its way,
    for Return after a late Down would choose the item below."""
    if all(item.name != wanted for item in items(menu)):
        fail(f"the menu has no item '{wanted}'")
    deadline, moves, pressed_at = time.monotonic() + seconds, 0, 0.0
    last, rested_since = None, time.monotonic()
    while True:
        if time.monotonic() > deadline:
            fail(f"the keyboard does not reach the item '{wanted}'")
        entries = items(menu)  # anew each time: a menu that is filled again has new items
        focused, now = focused_index(entries), time.monotonic()
        if focused != last:
            last, rested_since = focused, now
            moves += focused is not None
        elif focused is not None and entries[focused].name == wanted:
            if now - rested_since >= (KEY_AGAIN_S if downs > moves else KEY_REST_S):
                break
        elif now - rested_since >= KEY_REST_S and (pressed_at < rested_since or now > pressed_at + KEY_AGAIN_S):
            xdotool("key", "Down")
            downs, pressed_at = downs + 1, now
        time.sleep(0.05)
    item = entries[focused]
    xdotool("key", "Return")
    wait_hidden(item, seconds, f"choosing '{wanted}'")


def find_application(name):
    for application in pyatspi.Registry.getDesktop(0):
        try:
            if application is not None and application.name == name:
                return application
        except GLib.Error:
            pass  # a program that ended as it was looked at
    return None


def tooltip(app, x, y, seconds):
    # A tooltip shows once the pointer has rested on the icon; moving onto it from beside makes
    # the icon see the pointer come.
    xdotool("mousemove", x - 3, y)
    xdotool("mousemove", x, y)
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        application = find_application(app)
        for window in items(application) if application else []:
            if window.getRoleName() == "tool tip" and has_state(window, pyatspi.STATE_SHOWING):
                return window.name
        time.sleep(0.1)
    fail(f"no tooltip of {app} showed at {x}, {y}")


# A page tab list is named after its current tab.
CONTROL_ROLES = {"check box", "push button", "slider", "combo box", "text", "page tab list", "page tab", "label",
                 "list item", "tree", "tree table", "progress bar", "spin button"}
ACTIONS = ("Press", "Toggle")


def find_dialog(app, title):
    try:
        application = find_application(app)
        for window in items(application) if application else []:
            if window.name == title and has_state(window, pyatspi.STATE_SHOWING):
                return window
    except GLib.Error:
        pass  # the program, or a window of it, went away as it was looked at
    return None


def wait_dialog(app, title, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        dialog = find_dialog(app, title)
        if dialog is not None:
            return dialog
        time.sleep(0.1)
    fail(f"no dialog '{title}' of {app} showed")


def controls(accessible):
    """The controls below ACCESSIBLE that show, in the order of the tree."""
    found = []
    for child in items(accessible):
        if not has_state(child, pyatspi.STATE_SHOWING):
            continue
        if child.getRoleName() in CONTROL_ROLES:
            found.append(child)
        if child.getRoleName() not in ("combo box", "text", "spin button"):
            found.extend(controls(child))
    return found


def describe_control(control):
    text = f"{control.getRoleName()}\t{control.name}"
    for state, mark in ((pyatspi.STATE_CHECKED, "checked"), (pyatspi.STATE_SELECTED, "selected"),
                        (pyatspi.STATE_FOCUSED, "focused")):
        if has_state(control, state):
            text += f" [{mark}]"
    if not has_state(control, pyatspi.STATE_ENABLED):
        text += " [disabled]"
    if control.getRoleName() == "slider":
        text += f" ={int(control.queryValue().currentValue)}"
    elif control.getRoleName() == "spin button":
        shown = control.queryText()
        text += f" ={shown.getText(0, shown.characterCount)}"
    return text


def find_control(dialog, name):
    control = next((c for c in controls(dialog) if c.name == name and c.getRoleName() != "label"), None)
    if control is None:
        fail(f"the dialog shows no control '{name}'")
    return control


def dialog_command(app, seconds, command, title, *rest):
    if command == "gone":
        deadline = time.monotonic() + seconds
        while find_dialog(app, title) is not None:
            if time.monotonic() > deadline:
                fail(f"the dialog '{title}' stayed")
            time.sleep(0.1)
        return
    dialog = wait_dialog(app, title, seconds)
    if command == "dialog":
        for control in controls(dialog):
            print(describe_control(control))
    elif command == "press":
        control = find_control(dialog, rest[0])
        action = control.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        index = next((names.index(name) for name in ACTIONS if name in names), None)
        if index is None:
            fail(f"the control '{rest[0]}' has no action {' or '.join(ACTIONS)}: {names}")
        action.doAction(index)
    elif command == "value":
        find_control(dialog, rest[0]).queryValue().currentValue = float(rest[1])
    elif command == "text":
        text = find_control(dialog, rest[0]).queryText()
        sys.stdout.write(text.getText(0, text.characterCount))
    elif command == "describe":
        print(find_control(dialog, rest[0]).description)
    elif command == "tree":
        # Each node of the tree control NAME that shows: its text, then what a screen reader adds.
        def nodes(accessible):
            for child in items(accessible):
                if child.getRoleName() in ("tree item", "table cell") and has_state(child, pyatspi.STATE_SHOWING):
                    print(f"{child.name}\t{child.description}")
                nodes(child)
        nodes(find_control(dialog, rest[0]))
    elif command == "point":
        # The middle of the node TEXT of the tree control NAME on the screen.
        def find(accessible):
            for child in items(accessible):
                if child.name == rest[1] and has_state(child, pyatspi.STATE_SHOWING):
                    return child
                found = find(child)
                if found is not None:
                    return found
            return None
        node = find(find_control(dialog, rest[0]))
        if node is None:
            fail(f"the tree shows no node '{rest[1]}'")
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x + min(box.width, 60) // 2, box.y + box.height // 2)
    elif command == "focus":
        # The innermost focused control: a tab list's current tab is focused along with it.
        focused = [c for c in controls(dialog) if has_state(c, pyatspi.STATE_FOCUSED) and c.getRoleName() != "page tab"]
        print(describe_control(focused[-1]) if focused else "-")
    elif command == "keys":
        for key in rest:
            if key.startswith("type:"):
                if key != "type:":
                    xdotool("type", "--delay", "20", "--", key[len("type:"):])
            else:
                xdotool("key", "--clearmodifiers", key)
    else:
        fail(f"no command '{command}'")


DIALOG_COMMANDS = {"dialog", "gone", "press", "value", "text", "describe", "keys", "focus", "tree", "point"}


def main(app, seconds, command, *rest):
    if command in DIALOG_COMMANDS:
        dialog_command(app, float(seconds), command, *rest)
        return
    x, y, *rest = rest
    seconds, x, y = float(seconds), int(x), int(y)
    if command == "tooltip":
        print(tooltip(app, x, y, seconds))
        return
    menu, downs = open_menu(x, y, seconds)
    if command == "menu":
        entries = items(menu)
        for item in entries:
            print(describe(item))
        sys.stdout.flush()
        if rest:
            subprocess.run(["import", "-window", "root", rest[0]], check=True, timeout=30)
        xdotool("key", "Escape")
        wait_hidden(entries[0], seconds, "Escape")
    elif command == "choose":
        if len(rest) > 1:
            time.sleep(max(0.0, float(rest[1]) - time.time()))
        choose(menu, rest[0], downs, seconds)
    else:
        fail(f"no command '{command}'")


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
