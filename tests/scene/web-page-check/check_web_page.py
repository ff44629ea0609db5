#!/usr/bin/env python3
"""Opens a web page export in headless Chromium and checks that it shows the crystal.

    check_web_page.py PAGE.html SCREENSHOT.png

Chromium runs with networking disabled (no proxy reachable, no host resolves, no
background services) and a fresh profile; the DevTools protocol, spoken over a
pipe, loads the file from disk, waits for the page to report its scene loaded and
takes a screenshot. The check fails on any console error or uncaught exception,
on any request that leaves the file (other than data: and blob: URLs), and when
the canvas region of the screenshot holds three distinct shades or fewer (an
empty or unshaded canvas).
"""
import base64
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image

WIDTH, HEIGHT = 800, 900
MIN_PIXELS = 40  # a shade counts when this many canvas pixels have it


class Browser:
    def __init__(self, profile):
        to_child = os.pipe()
        from_child = os.pipe()

        os.set_inheritable(to_child[0], True)
        os.set_inheritable(from_child[1], True)

        def pipes():
            os.dup2(to_child[0], 3)
            os.dup2(from_child[1], 4)

        chromium = os.environ.get("CHROMIUM", "chromium")
        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-extensions", "--disable-default-apps",
             "--user-data-dir=" + profile, "--remote-debugging-pipe",
             # WebGL on the CPU: SwiftShader, which headless Chromium no longer falls back to
             # on its own.
             "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
             # No network: every host unknown, every proxy unreachable.
             "--host-resolver-rules=MAP * ~NOTFOUND", "--proxy-server=127.0.0.1:9",
             "--proxy-bypass-list=<-loopback>",
             "--window-size=%d,%d" % (WIDTH, HEIGHT), "about:blank"],
            preexec_fn=pipes, close_fds=False, stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(profile, "chromium.log"), "wb"))
        os.close(to_child[0])
        os.close(from_child[1])
        self.out = os.fdopen(to_child[1], "wb", buffering=0)
        self.inp = os.fdopen(from_child[0], "rb", buffering=0)
        self.buffer = b""
        self.next_id = 0
        self.events = []

    def read_message(self):
        while b"\0" not in self.buffer:
            chunk = self.inp.read(65536)
            if not chunk:
                raise RuntimeError("Chromium closed the DevTools pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=None):
        self.next_id += 1
        request = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            request["sessionId"] = session
        self.out.write(json.dumps(request).encode() + b"\0")
        while True:
            message = self.read_message()
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self.events.append(message)

    def close(self):
        try:
            self.call("Browser.close")
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()


def problems_in(events, page_url):
    problems = []
    for event in events:
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params["args"])
            problems.append("console error: " + text)
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            problems.append("uncaught: " + details.get("exception", {}).get(
                "description", details.get("text", "")))
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            problems.append("console error: " + params["entry"]["text"])
        elif method == "Network.requestWillBeSent":
            url = params["request"]["url"]
            if not (url == page_url or url.startswith("data:") or url.startswith("blob:")):
                problems.append("request: " + url)
    return problems


def main():
    page = os.path.abspath(sys.argv[1])
    screenshot = sys.argv[2]
    page_url = "file://" + page
    profile = tempfile.mkdtemp(prefix="habitopia-chromium-")
    browser = Browser(profile)
    try:
        target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = browser.call("Target.attachToTarget",
                               {"targetId": target, "flatten": True})["sessionId"]
        for domain in ("Runtime", "Log", "Page", "Network"):
            browser.call(domain + ".enable", session=session)
        browser.call("Emulation.setDeviceMetricsOverride",
                     {"width": WIDTH, "height": HEIGHT, "deviceScaleFactor": 1, "mobile": False},
                     session=session)
        browser.call("Page.navigate", {"url": page_url}, session=session)
        state, deadline = "", time.time() + 60
        while time.time() < deadline and state not in ("loaded", "failed"):
            time.sleep(0.25)
            state = browser.call("Runtime.evaluate",
                                 {"expression": "document.body ? document.body.dataset.scene || '' : ''",
                                  "returnByValue": True}, session=session)["result"].get("value", "")
        time.sleep(2)  # a few frames after the load
        rect = browser.call("Runtime.evaluate", {
            "expression": "JSON.stringify(document.getElementById('crystal').getBoundingClientRect())",
            "returnByValue": True}, session=session)["result"]["value"]
        shot = browser.call("Page.captureScreenshot", {"format": "png"}, session=session)
        with open(screenshot, "wb") as out:
            out.write(base64.b64decode(shot["data"]))
        problems = problems_in(browser.events, page_url)
    finally:
        browser.close()
        if os.environ.get("KEEP_PROFILE"):
            print("profile kept in " + profile)
        else:
            shutil.rmtree(profile, ignore_errors=True)

    if state != "loaded":
        problems.append("the page did not report its scene loaded (state %r)" % state)
    box = json.loads(rect)
    image = Image.open(screenshot).convert("RGB")
    region = image.crop((int(box["left"]) + 2, int(box["top"]) + 2,
                         int(box["right"]) - 2, int(box["bottom"]) - 2))
    counts = {}
    for colour in region.getdata():
        counts[colour] = counts.get(colour, 0) + 1
    shades = sorted((n for n in counts.values() if n >= MIN_PIXELS), reverse=True)
    print("canvas %dx%d at (%d, %d): %d shades with at least %d pixels each (%d colours in all)"
          % (region.width, region.height, box["left"], box["top"], len(shades), MIN_PIXELS,
             len(counts)))
    if len(shades) <= 3:
        problems.append("the canvas shows %d shades: no shaded crystal" % len(shades))
    for problem in problems:
        print("FAILED: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
