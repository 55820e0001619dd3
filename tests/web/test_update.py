# A new version of the page takes the place of the old one that the service worker keeps: version A
# is served and loaded, answers offline, then version B is published on the same host; after B's
# service worker has taken over, a reload runs B, also offline, and A's copy is gone.
#   python3 test_update.py PAGE_FOLDER SOURCE_ROOT
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from browser import Browser, Checks, PageServer

page, root = sys.argv[1], sys.argv[2]
checks = Checks("test_update.py")
expect = checks.expect


def publish(folder, build):
    """The page's files with a mark of the build in its program, stamped as the build stamps them."""
    shutil.copytree(page, folder, dirs_exist_ok=True)
    with open(os.path.join(folder, "tavimo.js"), "a", encoding="utf-8") as program:
        program.write('\nwindow.tavimoBuild = "%s";\n' % build)
    subprocess.run(["cmake", "-DPAGE=" + folder,
                    "-DTEMPLATE=" + os.path.join(root, "src/platform/web/sw.js.in"),
                    "-P", os.path.join(root, "src/platform/web/Stamp.cmake")], check=True)
    with open(os.path.join(folder, "sw.js"), encoding="utf-8") as worker:
        return re.search(r'const version = "([^"]+)"', worker.read()).group(1)


def kept(browser):
    return sorted(browser.driver.execute_async_script(
        "caches.keys().then(arguments[0], () => arguments[0](null));"))


def offline(browser, cut):
    browser.cdp("Network.emulateNetworkConditions", offline=cut, latency=0, downloadThroughput=-1,
                uploadThroughput=-1)


def reload(browser):
    browser.js("location.reload()")
    time.sleep(0.05)
    browser.wait_ready()


host = tempfile.mkdtemp(prefix="tavimo-host-")
server = PageServer(host)
browser = Browser(server.url)


def runs_online_and_offline(name, version, runs_what, kept_what):
    """After a reload the version runs and its copy alone is kept; it runs offline too."""
    reload(browser)
    expect(runs_what, name, browser.js("return window.tavimoBuild"))
    expect(kept_what, [version], kept(browser))
    offline(browser, True)
    reload(browser)
    expect(name + " runs offline", name, browser.js("return window.tavimoBuild"))
    offline(browser, False)


try:
    browser.cdp("Network.enable")
    version_a = publish(host, "A")
    browser.open()
    browser.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]());")
    runs_online_and_offline("A", version_a, "A runs", "A's copy kept")

    version_b = publish(host, "B")
    expect("B has a stamp of its own", True, version_b != version_a)
    # The reload finds the new service worker; B's worker installs, takes over and drops A's copy.
    reload(browser)
    end = time.monotonic() + 20
    while kept(browser) != [version_b] and time.monotonic() < end:
        time.sleep(0.1)
    runs_online_and_offline("B", version_b, "B runs after its worker took over",
                            "only B's copy kept")
finally:
    browser.quit()
    server.stop()
    shutil.rmtree(host, ignore_errors=True)

checks.finish()
