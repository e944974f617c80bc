#!/usr/bin/env python3
"""Samples two strips of the screen as fast as the X server answers and reports
every moment their contents change (a flip, or a picture or line arriving), with
the program's resident memory, for a number of seconds.

usage: flicker_sampler.py SECONDS PID X,Y,W,H [X,Y,W,H ...]
Prints one line per change ("change <seconds>") and per memory reading
("rss <seconds> <kB>"); reads the display from $DISPLAY.
"""
import ctypes
import sys
import time


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


def main():
    seconds, pid = float(sys.argv[1]), int(sys.argv[2])
    rects = [tuple(int(v) for v in r.split(",")) for r in sys.argv[3:]]
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XFree.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    root = x11.XDefaultRootWindow(display)

    def grab():
        parts = []
        for x, y, w, h in rects:
            image = x11.XGetImage(display, root, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
            if not image:
                sys.exit("XGetImage failed")
            img = image.contents
            parts.append(ctypes.string_at(img.data, img.bytes_per_line * img.height))
            x11.XFree(img.data)
            x11.XFree(image)
        return hash(tuple(parts))

    start = time.monotonic()
    last = grab()
    next_rss = 0.0
    while True:
        now = time.monotonic() - start
        if now >= seconds:
            break
        state = grab()
        if state != last:
            print(f"change {now:.4f}")
            last = state
        if now >= next_rss:
            try:
                with open(f"/proc/{pid}/status") as status:
                    for line in status:
                        if line.startswith("VmRSS:"):
                            print(f"rss {now:.2f} {line.split()[1]}")
            except OSError:
                print(f"gone {now:.2f}")
                break
            next_rss = now + 0.25
    sys.stdout.flush()


main()
