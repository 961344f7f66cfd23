#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# A stand-in for the desktop portal's Screenshot.PickColor, started by a
# private session bus. FAKE_PORTAL tells how it answers: ok, cancel, fail
# (response 2), range (a channel above 1), nan (a channel not a number), type
# (a text for the colour), short (no results at all), nobackend (the portal
# is there, its Screenshot interface is not), leave (it takes the call and
# ends without answering), or impostor (a second connection takes the name
# and answers green; then the first answers as ok does). Every answer is
# followed at once by a second one, green, which comes too late: the first
# answer ends the pick.
import os, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(os.environ["DBUS_STARTER_ADDRESS"])
mode = os.environ["FAKE_PORTAL"]
green = dbus.Struct((0.0, 1.0, 0.0), signature="ddd")
colour = "red" if mode == "type" else dbus.Struct(({"range": 1.5, "nan": float("nan")}.get(mode, 1.0), 0.5, 0.0), signature="ddd")


def answer(path, by=bus, rgb=colour):
    first = [dbus.UInt32({"cancel": 1, "fail": 2}.get(mode, 0))]
    if mode != "short":
        first.append(dbus.Dictionary({"color": rgb}, signature="sv"))
    late = [dbus.UInt32(0), dbus.Dictionary({"color": green}, signature="sv")]
    for args in (first, late):
        signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        signal.append(*args)
        by.send_message(signal)
    by.flush()


def impostor(path):
    global other  # kept open
    other = dbus.bus.BusConnection(os.environ["DBUS_STARTER_ADDRESS"])
    other.request_name("org.freedesktop.portal.Desktop", dbus.bus.NAME_FLAG_REPLACE_EXISTING)
    answer(path, other, green)
    GLib.timeout_add(300, answer, path)


class Portal(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Screenshot", "sa{sv}", "o", sender_keyword="sender")
    def PickColor(self, parent, options, sender):
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), options["handle_token"])
        # Right after the reply, before the caller can read it.
        GLib.idle_add({"leave": lambda _: bus.flush() or os._exit(0), "impostor": impostor}.get(mode, answer), path)
        return dbus.ObjectPath(path)


if mode != "nobackend":
    Portal(bus, "/org/freedesktop/portal/desktop")
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus, allow_replacement=True)
bus.set_exit_on_disconnect(True)  # ends with the bus
GLib.MainLoop().run()
