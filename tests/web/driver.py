# The end-to-end checks' driver of the page (tests/e2e/lib.sh, driver "web"): it serves the page,
# opens it in headless Chromium and takes lib.sh's steps as lines on a FIFO, one reply line each
# (payloads in a file). It stands for the program's process: it ends, with status 0, once the
# page's window has closed (終了).
#   python3 driver.py PAGE_FOLDER WORK_FOLDER
import os
import signal
import sys

from browser import Browser, PageServer

page, work = sys.argv[1], sys.argv[2]
server = PageServer(page)
browser = Browser(server.url)


def close():
    try:
        browser.quit()
    finally:
        server.stop()


# Ended by the test (its cleanup): the browser goes with the driver.
signal.signal(signal.SIGTERM, lambda *_: (close(), os._exit(1)))
browser.open()
requests, replies, payload = (os.path.join(work, name) for name in ("web.in", "web.out", "web.data"))


def answer(reply, data=None):
    if data is not None:
        with open(payload, "wb") as out:
            out.write(data.encode("utf-8"))
    replies_file.write(reply + "\n")
    replies_file.flush()


with open(requests, "r", encoding="utf-8") as requests_file, \
        open(replies, "w", encoding="utf-8") as replies_file:
    answer("ready")
    for line in requests_file:
        command, *args = line.rstrip("\n").split("\t")
        try:
            if command == "size":
                answer("%d %d" % tuple(browser.window_size()))
            elif command == "resize":
                browser.resize(int(args[0]), int(args[1]))
                answer("ok")
            elif command == "click":
                # xdotool's button numbers: 1 left, 2 middle, 3 right, 8 back, 9 forward.
                button = {"1": "left", "2": "middle", "3": "right", "8": "back", "9": "forward"}
                browser.click_client(int(args[0]), int(args[1]), button[(args[2:] or ["1"])[0]])
                answer("ok")
            elif command == "key":
                for combo in args:
                    browser.key(combo)
                answer("ok")
            elif command == "type":
                browser.type(args[0])
                answer("ok")
            elif command == "screenshot":
                browser.screenshot(args[0])
                answer("ok")
            elif command == "set_clipboard":
                with open(args[0], encoding="utf-8", newline="") as text:
                    browser.set_clipboard(text.read())
                answer("ok")
            elif command == "clipboard":
                text = browser.clipboard()
                answer("ok", text if text is not None else "")
            else:
                answer("unknown command " + command)
        except Exception as error:  # a failed step is the test's failure, not the driver's end
            answer("error " + (str(error).splitlines() or [""])[0])
        if not browser.window_open():
            # The program has ended, as a desktop program's process ends with its window: at once,
            # the browser ended behind it.
            browser.quit_behind()
            os._exit(0)
close()
