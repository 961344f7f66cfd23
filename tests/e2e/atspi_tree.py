#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Starts the program given and prints what a screen reader reads of its
# windows, one line an object, indented by depth: its AT-SPI role and name,
# as Orca gets them through pyatspi, and a slider's value after "=". Run it on
# a private session bus (dbus-run-session); it ends the program when done.
# ATSPI_BEFORE, when set, is a shell command run once the program answers and
# before its windows are read (keys to open more windows).
#
#   atspi_tree.py <program> [arguments...]
import os
import subprocess
import sys
import time

import pyatspi


def walk(node, depth):
    line = "  " * depth + node.getRoleName() + " " + (node.name or "")
    if node.getRoleName() == "slider":
        line += " = %g" % node.queryValue().currentValue
    print(line)
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1)


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == name and app.childCount > 0:
            return app
    return None


# The accessibility bus comes up with the first question: before the
# program starts, so that it finds the bus and registers on it.
pyatspi.Registry.getDesktop(0)
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
env.pop("NO_AT_BRIDGE", None)
program = subprocess.Popen(sys.argv[1:], env=env)
try:
    name = os.path.basename(sys.argv[1]).lower()
    for _ in range(150):
        app = application(name)
        if app is not None:
            if os.environ.get("ATSPI_BEFORE"):
                time.sleep(0.5)
                subprocess.run(["sh", "-c", os.environ["ATSPI_BEFORE"]], check=True)
                time.sleep(0.5)  # the new windows registered
            time.sleep(0.5)  # every control in place
            for i in range(app.childCount):
                walk(app.getChildAtIndex(i), 0)
            sys.exit(0)
        time.sleep(0.1)
    sys.exit("no application named " + name)
finally:
    program.terminate()
    program.wait()
