# The page's own checks in headless Chromium, beyond those of tests/e2e: the input limit with paste
# and an input method's composition, the accessible tree's names, no request after the load, the
# page again from the service worker's copy with the server gone, and the window on a phone; the
# program's texts in the page's own face.
#   python3 test_page.py PAGE_FOLDER [SCREENSHOT_FOLDER]
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


def centre(browser, name):
    r = browser.js("return document.getElementById(arguments[0]).getBoundingClientRect().toJSON()",
                   name)
    return r["x"] + r["width"] / 2, r["y"] + r["height"] / 2


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

    # On a phone 390 pixels wide the window is scaled to fit.
    browser.set_viewport(390, 844, mobile=True)
    time.sleep(0.3)
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
