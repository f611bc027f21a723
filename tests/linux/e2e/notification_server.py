#!/usr/bin/env python3
"""A stand-in for the desktop's notification service, on the test's private session bus.

    notification_server.py LOG

Takes the name org.freedesktop.Notifications and answers as a notification server does, without
markup in the body. Each notification shown is one line of LOG: its id, summary, body and actions
(keys and names, joined by commas), tab-separated. The user's choice of an action is played by the
test through the server's own method org.tockbell.Test.Invoke(id, action), which sends ActionInvoked
as a server does when an action is clicked. Ends by a signal, or when the bus goes.
"""
import signal
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
INTERFACE = """
<node>
  <interface name="org.freedesktop.Notifications">
    <method name="Notify">
      <arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
      <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/>
    </method>
    <method name="CloseNotification"><arg type="u" direction="in"/></method>
    <method name="GetCapabilities"><arg type="as" direction="out"/></method>
    <method name="GetServerInformation">
      <arg type="s" direction="out"/><arg type="s" direction="out"/><arg type="s" direction="out"/>
      <arg type="s" direction="out"/>
    </method>
    <signal name="NotificationClosed"><arg type="u"/><arg type="u"/></signal>
    <signal name="ActionInvoked"><arg type="u"/><arg type="s"/></signal>
  </interface>
  <interface name="org.tockbell.Test">
    <method name="Invoke"><arg type="u" direction="in"/><arg type="s" direction="in"/></method>
  </interface>
</node>
"""


def main(log_path):
    loop = GLib.MainLoop()
    log = open(log_path, "a", encoding="utf-8")
    shown = [0]

    def on_call(connection, _sender, _path, _interface, method, parameters, invocation):
        if method == "Notify":
            _app, _replaces, _icon, summary, body, actions, _hints, _timeout = parameters.unpack()
            shown[0] += 1
            log.write(f"{shown[0]}\t{summary}\t{body}\t{','.join(actions)}\n")
            log.flush()
            invocation.return_value(GLib.Variant("(u)", (shown[0],)))
        elif method == "CloseNotification":
            invocation.return_value(None)
        elif method == "GetCapabilities":
            invocation.return_value(GLib.Variant("(as)", (["body", "actions"],)))
        elif method == "GetServerInformation":
            invocation.return_value(GLib.Variant("(ssss)", ("stand-in", "tockbell", "1", "1.2")))
        elif method == "Invoke":
            connection.emit_signal(None, PATH, NAME, "ActionInvoked", GLib.Variant("(us)", parameters.unpack()))
            invocation.return_value(None)

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    for interface in node.interfaces:
        bus.register_object(PATH, interface, on_call, None, None)
    Gio.bus_own_name_on_connection(bus, NAME, Gio.BusNameOwnerFlags.NONE, None, lambda *_: loop.quit())
    bus.connect("closed", lambda *_: loop.quit())
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    loop.run()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
