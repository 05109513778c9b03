#!/usr/bin/env python3
"""Asks the window manager to maximise a window (given by its id): the
_NET_WM_STATE client message a title bar's maximise button sends."""
import ctypes
import sys


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
x11.XFlush.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.send_event = 1
event.xclient.display = display
event.xclient.window = int(sys.argv[1])
event.xclient.message_type = x11.XInternAtom(display, b"_NET_WM_STATE", 0)
event.xclient.format = 32
event.xclient.data[0] = 1  # add
event.xclient.data[1] = x11.XInternAtom(display, b"_NET_WM_STATE_MAXIMIZED_VERT", 0)
event.xclient.data[2] = x11.XInternAtom(display, b"_NET_WM_STATE_MAXIMIZED_HORZ", 0)
event.xclient.data[3] = 1
x11.XSendEvent(display, x11.XDefaultRootWindow(display), 0, (1 << 19) | (1 << 20), ctypes.byref(event))
x11.XFlush(display)
