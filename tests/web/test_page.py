# The page's own checks in headless Chromium, beyond those of tests/e2e: the input limit with paste
# and an input method's composition, the accessible tree's names, no request after the load, the
# page again from the service worker's copy with the server gone, and the window on a phone; the
# program's texts in the page's own face.
#   python3 test_page.py PAGE_FOLDER [SCREENSHOT_FOLDER]
import hashlib
import os
import re
import sys
import tempfile
import time

from browser import Browser, Checks, PageServer

page = sys.argv[1]
shots = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp()
checks = Checks("test_page.py")
expect = checks.expect


def value(browser, name):
    return browser.js("return document.getElementById(arguments[0]).value", name)


def rect(browser, name):
    return browser.js("return document.getElementById(arguments[0]).getBoundingClientRect().toJSON()",
                      name)


def centre(browser, name):
    r = rect(browser, name)
    return r["x"] + r["width"] / 2, r["y"] + r["height"] / 2


def settle(browser):
    """Until no box has scrolled for five frames (the browser scrolls smoothly), and the lines below
    each sheet's view have followed (a box a frame)."""
    browser.driver.execute_async_script("""let quiet = 0, last = null;
        const frame = () => {
            const now = [...document.querySelectorAll('.result')].map((e) => e.scrollTop).join();
            quiet = now === last ? quiet + 1 : 0;
            last = now;
            if (quiet < 5) { requestAnimationFrame(frame); } else { setTimeout(arguments[0]); }
        };
        requestAnimationFrame(frame);""")


def empty(browser, name):
    browser.click_page(*centre(browser, name))
    browser.key("ctrl+a")
    browser.key("BackSpace")


server = PageServer(page)
profile = tempfile.mkdtemp(prefix="tavimo-profile-")
browser = Browser(server.url, profile=profile)
try:
    browser.open()

    # Eight characters, counted as characters: a pasted text is cut to what fits, a character
    # beyond the Basic Multilingual Plane (two UTF-16 units) counts once, and a composition that
    # an input method commits is cut once committed.
    empty(browser, "txt1")
    browser.type("123456")
    browser.set_clipboard("7890")
    browser.key("ctrl+v")
    expect("paste cut to the limit", "12345678", value(browser, "txt1"))
    empty(browser, "txt1")
    browser.set_clipboard("𠀋𠀋𠀋𠀋𠀋𠀋𠀋𠀋𠀋")
    browser.key("ctrl+v")
    expect("eight characters of two units each", "𠀋" * 8, value(browser, "txt1"))
    empty(browser, "txt1")
    browser.type("12345")
    browser.cdp("Input.imeSetComposition", text="ななな", selectionStart=3, selectionEnd=3)
    browser.cdp("Input.insertText", text="七七七七")
    expect("a committed composition cut to the limit", "12345七七七", value(browser, "txt1"))

    # Enter runs a search from an input; the count is shown.
    empty(browser, "txt1")
    browser.type("1")
    empty(browser, "txt2")
    browser.type("30")
    browser.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]());")
    time.sleep(0.5)
    from browser import QuietHandler
    before = list(QuietHandler.served)
    browser.key("Return")
    time.sleep(0.3)
    expect("count after 1 to 30", "10", browser.js("return document.getElementById('lbl2').textContent"))
    # Nothing leaves the page after its load: a search, a copy and a beep fetch nothing.
    browser.click_page(*centre(browser, "cmdOTO"))
    browser.key("Return")
    browser.click_page(*centre(browser, "cmdCOPY3"))
    time.sleep(0.3)
    expect("requests after the load", [], QuietHandler.served[len(before):])

    # The accessible tree: the names of the shared table, the buttons' captions.
    nodes = browser.cdp("Accessibility.getFullAXTree")["nodes"]
    named = {(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in nodes}
    for role, name in [("textbox", "開始の数"), ("textbox", "終了の数"), ("textbox", "結果1"),
                       ("button", "実行"), ("button", "音有"), ("group", "操作"),
                       ("group", "コピーボタン"), ("region", "Tavimo")]:
        expect("accessible %s %s" % (role, name), True, (role, name) in named)

    # Four boxes, as a user sees them on a desktop's page.
    empty(browser, "txt1")
    browser.type("1")
    empty(browser, "txt2")
    browser.type("1000000")
    browser.key("Return")
    time.sleep(0.5)
    browser.page_screenshot(os.path.join(shots, "web-four-boxes.png"))
    expect("window after four boxes", [527, 270], browser.window_size())

    # A long answer is drawn first by sheets over the text areas: each box looks as it does with
    # its whole text laid out, scroll bar and all (ten-digit primes take two lines each there), and
    # whatever a user does to a box meets the whole text, as on a box set whole.
    boxes = ["txt3", "txt4", "txt5", "txt6"]
    for name, text in (("txt1", "1E9"), ("txt2", "1.07E9")):
        empty(browser, name)
        browser.type(text)
    run = centre(browser, "cmdJIKKO")

    def answer():
        browser.click_page(*run)
        expect("a sheet over each box", 4, browser.js("return document.querySelectorAll('.sheet').length"))

    def look(name):
        r = rect(browser, name)
        clip = dict(x=r["x"], y=r["y"], width=r["width"], height=r["height"], scale=1)
        shot = browser.cdp("Page.captureScreenshot", format="png", clip=clip)["data"]
        return hashlib.sha1(shot.encode("ascii")).hexdigest()

    def whole(name):
        # The wheel turned by nothing over the box sets its whole text and scrolls nothing.
        r = rect(browser, name)
        browser.cdp("Input.dispatchMouseEvent", type="mouseWheel", x=r["x"] + 20, y=r["y"] + 20,
                    deltaX=0, deltaY=0)
        settle(browser)

    def state(name):
        return browser.js("""const e = document.getElementById(arguments[0]);
            return [e.value.length, e.selectionStart, e.selectionEnd, e.scrollTop,
                    document.activeElement.id];""", name)

    answer()
    # The window made taller by its handle: the sheets are drawn anew, the boxes still waiting.
    width, height = browser.window_size()
    browser.resize(width, height + 60)
    settle(browser)
    expect("sheets after a resize", 4, browser.js("return document.querySelectorAll('.sheet').length"))
    looks = [look(name) for name in boxes]
    heights = browser.js("return arguments[0].map((n) => document.getElementById(n).scrollHeight)", boxes)
    for name in boxes:
        whole(name)
    expect("boxes look as when whole", looks, [look(name) for name in boxes])
    expect("scroll heights as when whole", heights, browser.js(
        "return arguments[0].map((n) => document.getElementById(n).scrollHeight)", boxes))
    # The browser's search finds a line far below the view, though the page has not laid it out.
    answer()
    settle(browser)
    last = browser.js("return [...document.getElementById('txt6').nextElementSibling.children]"
                      ".map((part) => part.textContent).join('\\n')").split("\n")[-3]
    found = browser.js("return window.find(arguments[0])", last)
    whole("txt6")
    expect("the last prime found while its box waits", (True, value(browser, "txt6").split("\n")[-3]),
           (found, last))
    box = rect(browser, "txt4")
    x, y = box["x"] + box["width"] / 2 - 20, box["y"] + 40
    bar, bottom = box["x"] + box["width"] - 8, box["y"] + box["height"]
    actions = {
        "click": lambda: browser.click_page(x, y),
        "drag": lambda: browser.drag_page(x, y, x + 10, y + 70),
        "double click": lambda: [browser.mouse(kind, x, y, "left", down, clicks)
                                 for clicks in (1, 2) for kind, down in
                                 (("mousePressed", 1), ("mouseReleased", 0))],
        "right button": lambda: browser.click_page(x, y, "right"),
        "wheel": lambda: browser.cdp("Input.dispatchMouseEvent", type="mouseWheel", x=x, y=y,
                                     deltaX=0, deltaY=300),
        "scroll bar arrow": lambda: browser.click_page(bar, bottom - 8),
        "scroll bar thumb dragged": lambda: browser.drag_page(bar, box["y"] + 20, bar, box["y"] + 120),
        "Tab, ctrl+End": lambda: [browser.key(key) for key in ("Tab", "Tab", "Tab", "ctrl+End")],
        "typing": lambda: (browser.click_page(x, y), browser.type("7"), browser.key("BackSpace"),
                           browser.type("77")),
    }
    for action, act in actions.items():
        states = []
        for waiting in (True, False):
            answer()
            if not waiting:
                whole("txt4")
            act()
            settle(browser)
            states.append(state("txt4"))
        expect(action + " on a waiting box", states[1], states[0])
    # A pointer that rests over a box as the answer comes does not come over it again: its press
    # alone, as a finger's, gives the box its text.
    states = []
    for waiting in (True, False):
        browser.mouse("mouseMoved", x, y, "none")
        for lower in ("1.001E9", "1E9"):  # a text other than the last one, then the same again
            browser.js("const e = document.getElementById('txt1'); e.value = arguments[0];"
                       "e.dispatchEvent(new Event('input', {bubbles: true})); e.focus();", lower)
            browser.key("Return")
        if not waiting:
            whole("txt4")
        browser.mouse("mousePressed", x, y, "left", 1)
        browser.mouse("mouseReleased", x, y, "left", 0)
        settle(browser)
        states.append(state("txt4"))
    expect("a press under a resting pointer", states[1], states[0])
    # A press on the scroll bar's track pages as far, but for a pixel that Chromium rounds
    # differently there (bench/README.md).
    pages = []
    for waiting in (True, False):
        answer()
        if not waiting:
            whole("txt4")
        browser.click_page(bar, bottom - 40)
        settle(browser)
        pages.append(state("txt4")[3])
    expect("a press on the track pages", True, abs(pages[0] - pages[1]) <= 1 and pages[1] > 100)

    # The program's texts are drawn in the page's own face, every character of them: a character
    # that the face lacks would be drawn from a system face, as on no other computer.
    browser.cdp("DOM.enable")
    browser.cdp("CSS.enable")
    document = browser.cdp("DOM.getDocument")["root"]["nodeId"]
    for selector in (".label", ".button", ".caption .title"):
        for node in browser.cdp("DOM.querySelectorAll", nodeId=document, selector=selector)["nodeIds"]:
            fonts = browser.cdp("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]
            html = browser.cdp("DOM.getOuterHTML", nodeId=node)["outerHTML"]
            expect("faces of %s" % re.sub("<[^>]*>", "", html) or html[:40], ["Tavimo Gothic"],
                   sorted({font["familyName"] for font in fonts}) or ["Tavimo Gothic"])

    # On a phone 390 pixels wide the window is scaled to fit. The phone's scroll bars take no room
    # beside the lines, which may then wrap otherwise: the waiting boxes take their whole texts.
    sheets = browser.js("return document.querySelectorAll('.sheet').length")
    browser.set_viewport(390, 844, mobile=True)
    time.sleep(0.3)
    expect("sheets once the page's scroll bars take no room", (3, 0),
           (sheets, browser.js("return document.querySelectorAll('.sheet').length")))
    width = browser.js("return document.getElementById('frmMain').getBoundingClientRect().width")
    expect("the window fits 390 pixels", True, width <= 390 - 16 + 0.5)
    browser.page_screenshot(os.path.join(shots, "web-phone.png"))
    browser.set_viewport(1700, 1100)

    # Installable: Chromium finds no fault with the page as an app, and reads its manifest.
    expect("installability errors", [], browser.cdp("Page.getInstallabilityErrors")["installabilityErrors"])
    manifest = browser.cdp("Page.getAppManifest")
    expect("manifest read without errors", [], manifest["errors"])
    expect("manifest at the page", server.url + "manifest.webmanifest", manifest["url"])
    expect("manifest's name and start", ("Tavimo", server.url),
           (manifest.get("manifest", {}).get("name"), manifest.get("manifest", {}).get("startUrl")))

    # The service worker keeps the program: with the server gone, the page opens and answers.
    browser.driver.execute_async_script(
        "navigator.serviceWorker.ready.then(() => arguments[0]());")
    browser.js("location.reload()")
    browser.wait_ready()
    expect("controlled by the service worker", True,
           browser.js("return navigator.serviceWorker.controller !== null"))
    server.stop()
    server = None
    start = time.monotonic()
    browser.js("location.reload()")
    time.sleep(0.05)
    browser.wait_ready(10)
    print("offline reload to an answering window: %.0f ms" % ((time.monotonic() - start) * 1000))
    empty(browser, "txt1")
    browser.type("1")
    empty(browser, "txt2")
    browser.type("30")
    browser.key("Return")
    time.sleep(0.3)
    expect("count after 1 to 30 offline", "10",
           browser.js("return document.getElementById('lbl2').textContent"))
    expect("the page's face offline", ["loaded"],
           browser.js("return [...document.fonts].filter((f) => f.family.includes('Tavimo Gothic'))"
                      ".map((f) => f.status)"))
    # ... from the worker's copy, not from the browser's cache, which may let it go at any time.
    expect("the face in the worker's copy", True, browser.driver.execute_async_script(
        "caches.match('tavimo-gothic.woff2').then((r) => arguments[0](r !== undefined));"))
finally:
    browser.quit()
    if server is not None:
        server.stop()

checks.finish()
