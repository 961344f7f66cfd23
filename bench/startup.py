#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up of Tintaro against a bare Qt window of the same controls.

On a private Xvfb, times each program from its start to its window mapped and
reads its peak memory (VmHWM) once the window shows; the rows (the floor,
Tintaro without a memory file, Tintaro with a memory file of N entries) take
turns, run after run, and the medians and their ratios to the floor are
printed. Timings are reported, never judged.

    python3 bench/startup.py [--build build-bench] [--runs 20] [--entries 100000]
"""
import argparse
import ctypes
import os
import random
import select
import shutil
import signal
import statistics
import subprocess
import tempfile
import time

ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
ap.add_argument("--build", default="build-bench", help="build tree with TINTARO_BUILD_BENCH on")
ap.add_argument("--runs", type=int, default=20, help="measured starts per row (default 20)")
ap.add_argument("--entries", type=int, default=100000, help="entries of the large memory file")
args = ap.parse_args()
tintaro = os.path.abspath(f"{args.build}/app/tintaro")
floor = os.path.abspath(f"{args.build}/bench/tintaro_floor")
work = tempfile.mkdtemp(prefix="tintaro-startup-")
codes = sorted(random.Random(42).sample(range(1 << 24), args.entries))
big_list = "".join(f"#{code:06X}\r\n" for code in codes).encode()

# A private X server on a display it picks, and a connection that hears of
# every window mapped on it.
display_pipe, display_end = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(display_end), "-screen", "0", "1024x768x24",
                         "-nolisten", "tcp", "-noreset"], pass_fds=[display_end], stderr=subprocess.DEVNULL)
display = ":" + os.read(display_pipe, 16).decode().strip()
env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=work)
env.pop("WAYLAND_DISPLAY", None)
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype, x.XDefaultRootWindow.restype = ctypes.c_void_p, ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
connection = ctypes.c_void_p(x.XOpenDisplay(display.encode()))
x.XSelectInput(connection, x.XDefaultRootWindow(connection), 1 << 19)  # SubstructureNotifyMask
event = (ctypes.c_long * 24)()


def mapped_within(seconds):
    """True once a window that is not a pop-up maps (XMapEvent read as longs)."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while x.XPending(connection):
            x.XNextEvent(connection, event)
            if event[0] & 0xFFFFFFFF == 19 and not event[6] & 0xFFFFFFFF:  # MapNotify
                return True
        select.select([x.XConnectionNumber(connection)], [], [], 0.01)
    return False


def start(row):
    """One start of the row: milliseconds to the window, peak MiB."""
    folder = tempfile.mkdtemp(dir=work)
    command = [floor]
    if row != "floor":
        command = [shutil.copy(tintaro, folder)]
        if row != "empty":
            with open(f"{folder}/List.slc", "wb") as memory_file:
                memory_file.write(big_list)
    x.XSync(connection, 1)  # drop the events of earlier starts
    began = time.monotonic()
    program = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    mapped = mapped_within(30)
    milliseconds = (time.monotonic() - began) * 1000
    time.sleep(0.2)  # the first paint and the deferred work after the map
    with open(f"/proc/{program.pid}/status") as status:
        peak = next(int(line.split()[1]) for line in status if line.startswith("VmHWM")) / 1024
    program.send_signal(signal.SIGTERM)
    program.wait(30)
    if not mapped:
        raise SystemExit(f"{row}: no window within 30 s")
    return milliseconds, peak


rows = ["floor", "empty", str(args.entries)]
results = {row: [] for row in rows}
try:
    for run in range(args.runs + 1):  # run 0 warms the caches and is not counted
        for i in range(len(rows)):
            row = rows[(run + i) % len(rows)]
            measured = start(row)
            if run:
                results[row].append(measured)
finally:
    xvfb.terminate()
    shutil.rmtree(work)

median = {row: [statistics.median(m[k] for m in results[row]) for k in (0, 1)] for row in rows}
print(f"{args.runs} runs per row, load average {os.getloadavg()[0]:.1f}; medians (min-max)")
print(f"{'row':16} {'start-up ms':22} peak MiB")
for row in rows:
    times = [m[0] for m in results[row]]
    print(f"{row if row != rows[2] else row + ' entries':16} "
          f"{median[row][0]:6.1f} ({min(times):.1f}-{max(times):.1f}){'':4} {median[row][1]:.1f}")
print(f"start-up, empty list / floor: {median['empty'][0] / median['floor'][0]:.2f}x; "
      f"peak memory {median['empty'][1] - median['floor'][1]:+.1f} MiB; {args.entries} entries add "
      f"{median[rows[2]][0] - median['empty'][0]:+.1f} ms and {median[rows[2]][1] - median['empty'][1]:+.1f} MiB")
