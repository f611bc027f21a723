#!/usr/bin/python3
"""Opens the running Linux program's settings dialog COUNT times and closes it again, as a user does,
and prints for each opening a line: the milliseconds from the request to the dialog's window shown
by the X server, the program's resident memory (kB) with the dialog open, and after it has closed.

    dialog_times.py SOCKET PID COUNT

SOCKET is the program's single-instance socket: the request "properties" on it is what a second
start and the tray menu's "Properties..." make of it. The dialog counts as shown at the MapNotify of
its window on the root (there is no window manager); it is closed with Escape, pressed on the
keyboard. Every wait is bounded.
"""
import ctypes
import select
import socket
import subprocess
import sys
import time

TITLE = b"Tockbell Settings"
SETTLE = 0.5  # seconds for the program to finish with an opening or a closing before its memory is read
WAIT = 10.0
MAP_NOTIFY, UNMAP_NOTIFY = 19, 18
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x.XConnectionNumber.argtypes = [ctypes.c_void_p]
x.XPending.argtypes = [ctypes.c_void_p]
x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x.XFlush.argtypes = [ctypes.c_void_p]


class MapEvent(ctypes.Structure):
    """The part of an XMapEvent or XUnmapEvent read here; the union XEvent is 24 longs."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("pad", ctypes.c_long * 18)]


def fail(message):
    sys.exit(f"dialog_times.py: {message}")


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    fail(f"no process {pid}")


def next_event(display, deadline):
    event = MapEvent()
    while not x.XPending(display):
        left = deadline - time.monotonic()
        if left <= 0:
            return None
        select.select([x.XConnectionNumber(display)], [], [], left)
    x.XNextEvent(display, ctypes.byref(event))
    return event


def title(display, window):
    name = ctypes.c_char_p()
    if x.XFetchName(display, window, ctypes.byref(name)) and name.value:
        return name.value
    return b""


def main(socket_path, pid, count):
    pid, count = int(pid), int(count)
    display = x.XOpenDisplay(None) or fail("no X display")
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XFlush(display)
    for _ in range(count):
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as request:
            request.connect(socket_path)
            asked = time.monotonic()
            request.sendall(b"properties\n")
        deadline = asked + WAIT
        dialog = None
        while dialog is None:
            event = next_event(display, deadline) or fail("the dialog did not show")
            if event.type == MAP_NOTIFY and title(display, event.window) == TITLE:
                dialog, shown = event.window, time.monotonic()
        time.sleep(SETTLE)
        open_kb = resident_kb(pid)
        subprocess.run(["xdotool", "key", "Escape"], check=True, timeout=WAIT)
        deadline = time.monotonic() + WAIT
        while True:
            event = next_event(display, deadline) or fail("the dialog did not close on Escape")
            if event.type == UNMAP_NOTIFY and event.window == dialog:
                break
        time.sleep(SETTLE)
        print(f"{1000 * (shown - asked):.1f} {open_kb} {resident_kb(pid)}", flush=True)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
