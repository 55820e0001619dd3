# Headless Chromium (Debian's chromium and chromedriver, through python3-selenium) with the page
# served on 127.0.0.1: real key and mouse events and the clipboard over the DevTools protocol.
# Used by the end-to-end driver (driver.py), the page's own checks (test_page.py) and the bench.
import functools
import http.server
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common import utils


class LoopbackService(Service):
    """chromedriver reached at 127.0.0.1: a minimal root has no /etc/hosts naming localhost,
    which Debian 12's selenium asks for."""

    @property
    def service_url(self):
        return "http://127.0.0.1:%d" % self.port

    def is_connectable(self):
        return utils.is_connectable(self.port, "127.0.0.1")

# This machine's closed network refuses Chromium's own connections: none is made.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-features=Translate,MediaRouter", "--lang=ja", "--font-render-hinting=none",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    served = []  # the paths asked for, in order: what left the page

    def log_message(self, *args):
        pass

    def do_GET(self):
        QuietHandler.served.append(self.path)
        super().do_GET()


class PageServer:
    """A static host of the page's folder on 127.0.0.1, on a free port; stop() takes it away."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        socketserver.TCPServer.allow_reuse_address = True
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


# xdotool's key names and what the DevTools protocol needs for each.
KEYS = {
    "Return": ("Enter", "Enter", 13, "\r"),
    "BackSpace": ("Backspace", "Backspace", 8, ""),
    "End": ("End", "End", 35, ""),
    "Insert": ("Insert", "Insert", 45, ""),
    "Home": ("Home", "Home", 36, ""),
    "Tab": ("Tab", "Tab", 9, ""),
    "space": (" ", "Space", 32, " "),
    "Escape": ("Escape", "Escape", 27, ""),
}
MODIFIERS = {"alt": 1, "ctrl": 2, "meta": 4, "shift": 8}


class Browser:
    def __init__(self, url, width=1700, height=1100, profile=None):
        self.profile = profile or tempfile.mkdtemp(prefix="tavimo-chromium-")
        self.own_profile = profile is None
        # Chromium is started here and its driver attaches to it at 127.0.0.1: a driver that starts
        # the browser itself reaches it at "localhost", which a minimal system's /etc/hosts may
        # not name.
        stale = os.path.join(self.profile, "DevToolsActivePort")
        if os.path.exists(stale):
            os.remove(stale)
        self.chromium = subprocess.Popen(
            ["/usr/bin/chromium"] + CHROMIUM_FLAGS +
            ["--window-size=%d,%d" % (width, height), "--user-data-dir=" + self.profile,
             "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        options = webdriver.ChromeOptions()
        options.debugger_address = "127.0.0.1:%d" % self.debugging_port()
        self.driver = webdriver.Chrome(service=LoopbackService("/usr/bin/chromedriver"),
                                       options=options)
        self.driver.set_script_timeout(30)
        self.url = url
        self.set_viewport(width, height)
        self.cdp("Browser.grantPermissions", origin=url.rstrip("/"),
                 permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])

    def debugging_port(self, timeout=30):
        """The port that Chromium writes into its profile once it listens."""
        path = os.path.join(self.profile, "DevToolsActivePort")
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if os.path.exists(path):
                with open(path, encoding="ascii") as port_file:
                    port = port_file.readline().strip()
                if port:
                    return int(port)
            if self.chromium.poll() is not None:
                break
            time.sleep(0.05)
        raise RuntimeError("Chromium did not start its debugging port")

    def set_viewport(self, width, height, mobile=False):
        """The page's size in CSS pixels at scale 1, whatever the browser's own window keeps."""
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=1, mobile=mobile)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open(self, timeout=20):
        """Loads the page and waits until the window answers; the seconds that took."""
        start = time.monotonic()
        self.driver.get(self.url)
        self.wait_ready(timeout)
        return time.monotonic() - start

    def wait_ready(self, timeout=20):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if self.js("return document.body && document.body.dataset.tavimo") == "ready":
                return
            time.sleep(0.02)
        raise RuntimeError("the page's window did not answer: %s" % self.driver.get_log("browser"))

    def window_open(self):
        return bool(self.js("return document.getElementById('frmMain') !== null"))

    def client_origin(self):
        """The client area's corner in the page and the window's scale."""
        return self.js("""const c = document.getElementById('client');
            const r = c.getBoundingClientRect();
            return [r.left, r.top, r.width / c.offsetWidth || 1];""")

    def window_size(self):
        return self.js("""const w = document.getElementById('frmMain');
            return w ? [w.offsetWidth, w.offsetHeight] : [0, 0];""")

    def mouse(self, kind, x, y, button="left", buttons=0, clicks=1):
        self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, buttons=buttons,
                 clickCount=clicks)

    def click_page(self, x, y, button="left"):
        flag = {"left": 1, "right": 2, "middle": 4, "back": 8, "forward": 16}[button]
        self.mouse("mouseMoved", x, y, "none")
        self.mouse("mousePressed", x, y, button, flag)
        self.mouse("mouseReleased", x, y, button, 0)

    def click_client(self, x, y, button="left"):
        left, top, scale = self.client_origin()
        self.click_page(left + (x + 0.5) * scale, top + (y + 0.5) * scale, button)

    def drag_page(self, x0, y0, x1, y1):
        self.mouse("mouseMoved", x0, y0, "none")
        self.mouse("mousePressed", x0, y0, "left", 1)
        steps = 4
        for step in range(1, steps + 1):
            self.mouse("mouseMoved", x0 + (x1 - x0) * step / steps,
                       y0 + (y1 - y0) * step / steps, "left", 1)
        self.mouse("mouseReleased", x1, y1, "left", 0)

    def resize(self, width, height):
        """Drags the window's handle until the window's outer size is width x height."""
        w, h = self.window_size()
        r = self.js("return document.getElementById('grip').getBoundingClientRect().toJSON()")
        x0, y0 = r["x"] + r["width"] / 2, r["y"] + r["height"] / 2
        left, top, scale = self.client_origin()
        self.drag_page(x0, y0, x0 + (width - w) * scale, y0 + (height - h) * scale)

    def key(self, combo):
        """A key as xdotool names it: "Return", "ctrl+a", "End"."""
        *mods, name = combo.split("+")
        modifiers = sum(MODIFIERS[m] for m in mods)
        if name in KEYS:
            key, code, vk, text = KEYS[name]
        else:
            key, code, vk, text = name, "Key" + name.upper(), ord(name.upper()), name
        if modifiers & (MODIFIERS["ctrl"] | MODIFIERS["alt"] | MODIFIERS["meta"]):
            text = ""
        common = dict(modifiers=modifiers, key=key, code=code, windowsVirtualKeyCode=vk,
                      nativeVirtualKeyCode=vk)
        self.cdp("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", text=text,
                 unmodifiedText=text, **common)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", **common)

    def type(self, text):
        """Types each character as one key press."""
        for char in text:
            ascii_ = char.isascii() and char.isalnum()
            common = dict(key=char, text=char, unmodifiedText=char)
            if ascii_:
                common.update(code=("Digit" if char.isdigit() else "Key") + char.upper(),
                              windowsVirtualKeyCode=ord(char.upper()))
            self.cdp("Input.dispatchKeyEvent", type="keyDown", **common)
            self.cdp("Input.dispatchKeyEvent", type="keyUp", key=char)

    def screenshot(self, path):
        """The client area, pixel for pixel at scale 1."""
        left, top, scale = self.client_origin()
        w, h = self.js("const c = document.getElementById('client'); "
                       "return [c.offsetWidth, c.offsetHeight];")
        import base64
        data = self.cdp("Page.captureScreenshot", format="png",
                        clip=dict(x=left, y=top, width=w * scale, height=h * scale, scale=1))
        with open(path, "wb") as out:
            out.write(base64.b64decode(data["data"]))

    def page_screenshot(self, path):
        self.driver.save_screenshot(path)

    def set_clipboard(self, text):
        self.driver.execute_async_script(
            "navigator.clipboard.writeText(arguments[0]).then(arguments[1], arguments[1]);", text)

    def clipboard(self):
        return self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0], () => arguments[0](null));")

    def quit_behind(self):
        """Ends the browser and its driver from a process of their own, and returns at once. (A fork
        of this process, whose server and driver run threads, can wait for ever on a lock that
        one of them held.)"""
        profile = self.profile if self.own_profile else ""
        pids = [str(self.chromium.pid), str(self.driver.service.process.pid)]
        subprocess.Popen(["/bin/sh", "-c", 'p=$1; shift; kill -9 "$@"; sleep 1; [ -z "$p" ] || rm -rf "$p"',
                          "quit", profile] + pids, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, start_new_session=True)

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.chromium.kill()
            self.chromium.wait()
            if self.own_profile:
                shutil.rmtree(self.profile, ignore_errors=True)


class Checks:
    """The checks of one script: a failed check is printed at once, and the end says how many
    failed and sets the exit status."""

    def __init__(self, script):
        self.script = script
        self.failures = []

    def expect(self, what, expected, actual):
        if expected != actual:
            self.failures.append(what)
            print("FAIL: %s: expected [%r], got [%r]" % (what, expected, actual))

    def finish(self):
        print("%s: %s" % (self.script, "all checks passed" if not self.failures else
                          "%d check(s) failed" % len(self.failures)))
        sys.exit(1 if self.failures else 0)
