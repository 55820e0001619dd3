# The page's row of the bench: in headless Chromium, a press of Run (a real click) to the next
# painted frame, median of 15 runs after 2 warm-up runs, for B1-B6 as Benchmark.h defines them;
# and the page's start to an answering window, first load and offline reload.
#   python3 bench/web_bench.py PAGE_FOLDER [--runs N]
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from browser import Browser, PageServer  # noqa: E402

SCENARIOS = [("B1", "1", "30", False), ("B2", "1", "100000", False), ("B3", "1", "1000000", False),
             ("B4", "99000000", "99999999", False), ("B5", "0", "40000", True),
             ("B6", "1E9", "1073577990", False)]
# From the click event's time stamp to the frame painted after the handler: a task that runs
# after the next animation frame runs once that frame is drawn.
TIMER = """window.tavimoPress = null;
document.getElementById('cmdJIKKO').addEventListener('click', (event) => {
  const start = event.timeStamp;
  requestAnimationFrame(() => setTimeout(() => { window.tavimoPress = performance.now() - start; }));
}, true);"""

page = sys.argv[1]
runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 15
server = PageServer(page)
browser = Browser(server.url)
try:
    first = browser.open()
    browser.js(TIMER)
    run_centre = browser.js("const r = document.getElementById('cmdJIKKO').getBoundingClientRect();"
                            "return [r.x + r.width / 2, r.y + r.height / 2];")

    def press():
        browser.js("window.tavimoPress = null;")
        # As a hand presses: the button is released after the page has painted what the press
        # itself does (Run's mouse-down empties the boxes), so that the layout left by emptying
        # four full text areas does not fall into the press in some runs and not in others.
        browser.mouse("mouseMoved", *run_centre, "none")
        browser.mouse("mousePressed", *run_centre, "left", 1)
        browser.driver.execute_async_script("requestAnimationFrame(() => setTimeout(arguments[0]));")
        browser.mouse("mouseReleased", *run_centre, "left", 0)
        for _ in range(500):
            took = browser.js("return window.tavimoPress;")
            if took is not None:
                return took
            time.sleep(0.01)
        raise RuntimeError("no answer to a press of Run")

    def answer(lower, upper):
        """A press of Run for the bounds; the time of the press that searched."""
        for name, text in (("txt1", lower), ("txt2", upper)):
            browser.js("const e = document.getElementById(arguments[0]); e.value = arguments[1];"
                       "e.dispatchEvent(new Event('input', {bubbles: true}));", name, text)
        took = press()
        if browser.js("return document.getElementById('txt3').value").startswith("数分"):
            took = press()  # the long-run warning; the second press searches
        return took

    print("| request | press of Run to painted frame, page (median of %d) | lowest–highest |" % runs)
    print("|---|---:|---:|")
    for name, lower, upper, horizontal in SCENARIOS:
        if horizontal:
            browser.click_page(*browser.js("const r = document.getElementById('cmdXY')"
                                           ".getBoundingClientRect(); return [r.x + 5, r.y + 5];"))
        times = []
        for run in range(runs + 2):
            took = answer(lower, upper)
            if run >= 2:
                times.append(took)
        if horizontal:
            browser.click_page(*browser.js("const r = document.getElementById('cmdXY')"
                                           ".getBoundingClientRect(); return [r.x + 5, r.y + 5];"))
        print("| %s %s → %s | %.1f ms | %.1f–%.1f ms |" % (name, lower, upper,
              statistics.median(times), min(times), max(times)))

    # A long answer's box is given its whole text when the user first reaches into it: a click into
    # B6's second box, from the pointer coming over the box (the mouse moved and pressed at once,
    # as the fastest hand) to the frame painted after the click.
    firsts = []
    for run in range(runs + 2):
        answer("1E9", "1073577990")
        browser.driver.execute_async_script(
            "requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(arguments[0])));")
        browser.js("""window.tavimoPress = null;
            const box = document.getElementById('txt4');
            box.addEventListener('pointerover', (over) => {
              box.addEventListener('click', () => {
                requestAnimationFrame(() => setTimeout(() => {
                  window.tavimoPress = performance.now() - over.timeStamp; }));
              }, {capture: true, once: true});
            }, {capture: true, once: true});""")
        box = browser.js("const r = document.getElementById('txt4').getBoundingClientRect();"
                         "return [r.x + r.width / 2, r.y + 40];")
        browser.click_page(*box)
        while browser.js("return window.tavimoPress;") is None:
            time.sleep(0.01)
        if run >= 2:
            firsts.append(browser.js("return window.tavimoPress;"))
    print()
    print("First click into a box of B6's answer, the pointer come over it to painted frame: "
          "%.1f ms (%.1f–%.1f ms)."
          % (statistics.median(firsts), min(firsts), max(firsts)))

    browser.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]());")
    browser.js("location.reload()")
    browser.wait_ready()
    server.stop()
    server = None
    start = time.monotonic()
    browser.js("location.reload()")
    time.sleep(0.02)
    browser.wait_ready()
    offline = time.monotonic() - start
    timing = browser.js("const n = performance.getEntriesByType('navigation')[0];"
                        "return n ? n.duration : null;")
    print()
    print("Start to an answering window: first load %.0f ms, offline reload %.0f ms "
          "(as the driver sees them, its own polling included)." % (first * 1000, offline * 1000))
finally:
    browser.quit()
    if server is not None:
        server.stop()
