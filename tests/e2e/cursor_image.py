#!/usr/bin/env python3
"""Prints the X server's current pointer as "WIDTH HEIGHT XHOT YHOT YELLOW"
(YELLOW: how many opaque pixels are pure yellow) and, given a file name,
writes the picture there as a PAM image (RGB_ALPHA)."""
import ctypes
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong))]


x11 = ctypes.CDLL("libX11.so.6")
xfixes = ctypes.CDLL("libXfixes.so.3")
x11.XOpenDisplay.restype = ctypes.c_void_p
xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
image = xfixes.XFixesGetCursorImage(display).contents
pixels = [image.pixels[i] & 0xFFFFFFFF for i in range(image.width * image.height)]
yellow = sum(1 for p in pixels if p == 0xFFFFFF00)
print(image.width, image.height, image.xhot, image.yhot, yellow)
if len(sys.argv) > 1:
    with open(sys.argv[1], "wb") as out:
        out.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
                  % (image.width, image.height))
        out.write(bytes(b for p in pixels for b in ((p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24)))
