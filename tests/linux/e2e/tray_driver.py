#!/usr/bin/python3
"""Reads and uses the tray icon's menu and tooltip of a running Qt program through AT-SPI, as a
screen reader would, and clicks with the mouse (xdotool) as a user does.

    tray_driver.py APP SECONDS menu X Y [SHOT]   right-clicks X Y, prints the menu that opens, one
                                                 item a line ("-" for a separator, then " [checked]"
                                                 and " [disabled]" as they apply); with SHOT, a
                                                 screenshot is taken while the menu is open; then
                                                 closes the menu with Escape
    tray_driver.py APP SECONDS choose X Y TEXT   right-clicks X Y and clicks the item TEXT
    tray_driver.py APP SECONDS tooltip X Y       rests the pointer on X Y and prints the tooltip

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


def fail(message):
    sys.exit(f"tray_driver.py: {message}")


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=10)


def has_state(accessible, state):
    return accessible.getState().contains(state)


def open_menu(x, y, seconds):
    """Right-clicks X Y and returns the accessible of the menu that opens."""
    found = []

    def on_focus(event):
        if event.type.startswith("object:state-changed") and not event.detail1:
            return
        try:
            if event.source.getRoleName() in MENU_ITEM_ROLES and not found:
                found.append(event.source.parent)
                pyatspi.Registry.stop()
        except GLib.Error:
            pass  # an object that went away meanwhile

    def click():
        xdotool("mousemove", x, y, "click", 3)
        GLib.timeout_add(KEY_DELAY_MS, lambda: xdotool("key", "Down") and False)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused", "focus:")
    GLib.timeout_add(100, click)
    GLib.timeout_add(int(seconds * 1000), give_up)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused", "focus:")
    if not found:
        fail(f"no menu opened on a right click at {x}, {y}")
    return found[0]


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


def find_application(name):
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == name:
            return application
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


def main(app, seconds, command, x, y, *rest):
    seconds, x, y = float(seconds), int(x), int(y)
    if command == "tooltip":
        print(tooltip(app, x, y, seconds))
        return
    menu = open_menu(x, y, seconds)
    entries = items(menu)
    if command == "menu":
        for item in entries:
            print(describe(item))
        sys.stdout.flush()
        if rest:
            subprocess.run(["import", "-window", "root", rest[0]], check=True, timeout=30)
        xdotool("key", "Escape")
        wait_hidden(entries[0], seconds, "Escape")
    elif command == "choose":
        wanted = rest[0]
        item = next((item for item in entries if item.name == wanted), None)
        if item is None:
            fail(f"the menu has no item '{wanted}'")
        box = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)
        wait_hidden(item, seconds, f"choosing '{wanted}'")
    else:
        fail(f"no command '{command}'")


if __name__ == "__main__":
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
