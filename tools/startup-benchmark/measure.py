"""Starts each program in turn on the current X display and measures, per run, the time from the
start of the process until its first top-level window is mapped and painted (no longer the black
root showing through), the processor time its threads had used by then (which a loaded machine
disturbs far less than the wall-clock time), and the process's resident memory a moment later.

Usage: measure.py RUNS BARE PROGRAM
"""

import ctypes
import ctypes.util
import os
import signal
import statistics
import subprocess
import sys
import time

import numpy as np

X = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
X.XOpenDisplay.restype = ctypes.c_void_p
X.XOpenDisplay.argtypes = [ctypes.c_char_p]
X.XDefaultRootWindow.restype = ctypes.c_ulong
X.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
X.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
X.XPending.argtypes = [ctypes.c_void_p]
X.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
X.XGetImage.restype = ctypes.c_void_p
X.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
X.XDestroyImage = None
X.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
X.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]

SUBSTRUCTURE_NOTIFY = 1 << 19
MAP_NOTIFY = 19
Z_PIXMAP = 2
ALL_PLANES = ~0 & 0xFFFFFFFFFFFFFFFF
TIMEOUT = 20.0
SETTLE = 1.0


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("rest", ctypes.c_byte * 256)]


def painted(display, window):
    """Whether the window is drawn: almost none of it is the black root any more."""
    attrs = Attributes()
    if not X.XGetWindowAttributes(display, window, ctypes.byref(attrs)):
        return False
    ptr = X.XGetImage(display, window, 0, 0, attrs.width, attrs.height, ALL_PLANES, Z_PIXMAP)
    if not ptr:
        return False
    image = ctypes.cast(ptr, ctypes.POINTER(XImage)).contents
    size = image.bytes_per_line * image.height
    data = np.ctypeslib.as_array(image.data, shape=(size,)).reshape(image.height, -1)
    pixels = data[:, :image.width * 4].reshape(image.height, image.width, 4)[..., :3]
    black = float((pixels.max(axis=2) < 8).mean())
    X.XFree(ptr)
    return black < 0.02


def cpu_seconds(pid):
    """Processor time of all the process's threads so far (/proc/PID/task/*/schedstat)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total / 1e9


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def measure(display, command):
    root = X.XDefaultRootWindow(display)
    X.XSelectInput(display, root, SUBSTRUCTURE_NOTIFY)
    X.XSync(display, 1)  # forget earlier events
    event = (ctypes.c_byte * 192)()
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = None
    try:
        while time.perf_counter() - start < TIMEOUT:
            while window is None and X.XPending(display):
                X.XNextEvent(display, event)
                e = ctypes.cast(event, ctypes.POINTER(MapEvent)).contents
                if e.type == MAP_NOTIFY and not e.override_redirect:
                    window = e.window
            if window is not None and painted(display, window):
                elapsed = time.perf_counter() - start
                cpu = cpu_seconds(process.pid)
                time.sleep(SETTLE)
                return elapsed, cpu, resident_kib(process.pid)
            time.sleep(0.0005)
        raise SystemExit(f"{command[0]}: no painted window within {TIMEOUT} s")
    finally:
        process.send_signal(signal.SIGTERM)
        process.wait()
        X.XSelectInput(display, root, 0)


def main():
    runs, bare, program = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    display = X.XOpenDisplay(None)
    if not display:
        raise SystemExit("no X display")
    results = {bare: [], program: []}
    measure(display, [bare])  # warm the file cache
    measure(display, [program])
    for _ in range(runs):
        for command in (bare, program):
            results[command].append(measure(display, [command]))
    medians = {}
    for command, rows in results.items():
        t = statistics.median(r[0] for r in rows) * 1000
        c = statistics.median(r[1] for r in rows) * 1000
        m = statistics.median(r[2] for r in rows) / 1024
        medians[command] = (t, c, m)
        print(f"{os.path.basename(command):20s} start-up {t:6.1f} ms   processor {c:6.1f} ms"
              f"   resident {m:6.1f} MiB")
    (bt, bc, bm), (pt, pc, pm) = medians[bare], medians[program]
    print(f"ratio                start-up {pt / bt:6.2f}      processor {pc / bc:6.2f}"
          f"      resident {pm / bm:6.2f}")


if __name__ == "__main__":
    main()
