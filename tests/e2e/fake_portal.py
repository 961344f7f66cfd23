#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# A stand-in for the desktop portal's Screenshot.PickColor, started by a
# private session bus. FAKE_PORTAL tells how it answers: ok, cancel, fail
# (response 2), range (a channel above 1), type (a text for the colour), or
# nobackend (the portal is there, its Screenshot interface is not).
import os

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(os.environ["DBUS_STARTER_ADDRESS"])
mode = os.environ.get("FAKE_PORTAL", "ok")
ANSWERS = {
    "ok": (0, {"color": dbus.Struct((1.0, 0.5, 0.0), signature="ddd")}),
    "cancel": (1, {}),
    "fail": (2, {}),
    "range": (0, {"color": dbus.Struct((1.5, 0.5, 0.0), signature="ddd")}),
    "type": (0, {"color": "red"}),
}


def answer(path):
    signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
    code, results = ANSWERS[mode]
    signal.append(dbus.UInt32(code), dbus.Dictionary(results, signature="sv"))
    bus.send_message(signal)


class Portal(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Screenshot", "sa{sv}", "o", sender_keyword="sender")
    def PickColor(self, parent, options, sender):
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), options["handle_token"])
        # Right after the reply, before the caller can have read it.
        GLib.idle_add(answer, path)
        return dbus.ObjectPath(path)


if mode != "nobackend":
    Portal(bus, "/org/freedesktop/portal/desktop")
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
loop = GLib.MainLoop()
GLib.timeout_add_seconds(30, loop.quit)
loop.run()
