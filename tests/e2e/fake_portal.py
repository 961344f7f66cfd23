#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# A stand-in for the desktop portal's Screenshot.PickColor, started by a
# private session bus. FAKE_PORTAL tells how it answers: ok, cancel, fail
# (response 2), range (a channel above 1), nan (a channel not a number), type
# (a text for the colour), or nobackend (the portal is there, its Screenshot
# interface is not).
import os, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(os.environ["DBUS_STARTER_ADDRESS"])
mode = os.environ["FAKE_PORTAL"]
colour = "red" if mode == "type" else dbus.Struct(({"range": 1.5, "nan": float("nan")}.get(mode, 1.0), 0.5, 0.0), signature="ddd")


def answer(path):
    signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
    signal.append(dbus.UInt32({"cancel": 1, "fail": 2}.get(mode, 0)), dbus.Dictionary({"color": colour}, signature="sv"))
    bus.send_message(signal)


class Portal(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Screenshot", "sa{sv}", "o", sender_keyword="sender")
    def PickColor(self, parent, options, sender):
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), options["handle_token"])
        GLib.idle_add(answer, path)  # right after the reply, before the caller can read it
        return dbus.ObjectPath(path)


if mode != "nobackend":
    Portal(bus, "/org/freedesktop/portal/desktop")
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
bus.set_exit_on_disconnect(True)  # ends with the bus
GLib.MainLoop().run()
