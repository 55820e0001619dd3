# Asks the window manager to maximise (1) or restore (0) a window, as its title bar button does:
# python3 maximise.py WINDOW 1|0. An EWMH _NET_WM_STATE message through libX11.
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
x.XFlush.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
atom = lambda name: x.XInternAtom(d, name, 0)
e = Event()
e.client.type = 33  # ClientMessage
e.client.window = int(sys.argv[1])
e.client.message_type = atom(b"_NET_WM_STATE")
e.client.format = 32
e.client.data[0] = int(sys.argv[2])  # 1 add, 0 remove
e.client.data[1] = atom(b"_NET_WM_STATE_MAXIMIZED_VERT")
e.client.data[2] = atom(b"_NET_WM_STATE_MAXIMIZED_HORZ")
e.client.data[3] = 1
x.XSendEvent(d, x.XDefaultRootWindow(d), 0, (1 << 20) | (1 << 19), ctypes.byref(e))
x.XFlush(d)
