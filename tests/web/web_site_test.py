#!/usr/bin/python3
"""The page as a site in headless Chromium: it fits every screen without
scrolling, fetches no sound before the player's first touch, plays offline
after one visit and updates itself, shows its help when served by
tavrin-scores, says so when its wasm is damaged, and the site players get
exports no test hook.

usage: web_site_test.py TEST_SITE SITE TAVRIN_CLI CASE [TAVRIN_SCORES]
"""
import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import web_page_test as page  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402

TEST_SITE, SITE, CLI, CASE = sys.argv[1:5]
EXTRA = sys.argv[5:]
page.SITE, page.CLI = TEST_SITE, CLI
check = page.check
ASSEMBLE = os.path.join(HERE, "..", "..", "web", "assemble_site.py")
SCREENS = ((320, 480, 2), (360, 640, 2), (640, 360, 2), (1280, 720, 1), (1280, 900, 1), (1920, 1080, 1))


class Site:
    """A static server on a free port that remembers what was asked of it
    and can be stopped and started again on the same port."""

    def __init__(self, folder):
        self.folder, self.asked, self.port, self.server = folder, [], 0, None
        self.start()

    def start(self):
        site = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                site.asked.append(self.path)
                super().do_GET()

        handler = functools.partial(Handler, directory=self.folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/"


def inside_screen(driver, ids, what):
    """Every element named lies inside the window, and the page does not scroll."""
    found = driver.execute_script("""
        const w = document.documentElement.clientWidth, h = document.documentElement.clientHeight;
        const out = [];
        for (const selector of arguments[0]) {
          const all = document.querySelectorAll(selector);
          if (all.length === 0) out.push(selector + ' missing');
          all.forEach((e) => { const r = e.getBoundingClientRect();
            if (r.width === 0 || r.left < 0 || r.top < 0 || r.right > w + 0.01 || r.bottom > h + 0.01)
              out.push(selector + ' at ' + [r.left, r.top, r.right, r.bottom].map(Math.round)); });
        }
        const d = document.documentElement;
        if (d.scrollWidth > d.clientWidth || d.scrollHeight > d.clientHeight) out.push('the page scrolls');
        window.scrollTo(0, 100);
        if (window.scrollY !== 0) out.push('the page moved');
        return out;""", ids)
    check(what, [], found)


def board_size(driver):
    return driver.execute_script("""const r = document.getElementById('board').getBoundingClientRect();
        return [r.width, r.width * devicePixelRatio, Math.min(innerWidth, innerHeight)];""")


def case_layout(url, profile):
    """Each screen size: the board, offered piece, trash, frames and status bar
    in the free game, the palette in series play, all inside the window;
    the board large (cells on whole device pixels) without scrolling."""
    driver = page.browser(profile)
    kem = open(os.path.join(os.path.dirname(os.path.abspath(CLI)), "mondai", "入門.kem"), "rb").read()
    try:
        for width, height, ratio in SCREENS:
            screen = f"{width}x{height}"
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": ratio > 1})
            page.start_page(driver, url, "seed=5&lang=ja")
            page.play_move(driver, {"place": 27, "piece": 10})
            inside_screen(driver, ["#boardbox", "#offered", "#trash", ".frame", "#status"], f"{screen} free game")
            css, device, room = board_size(driver)
            check(f"{screen}: cells on whole device pixels", 0, round(device) % 8)
            check(f"{screen}: the board fills the screen", True, css >= 0.6 * room)
            page.drop_file(driver, "入門.kem", kem)
            page.wait(driver, "tavrinTest.idle() && tavrinTest.state().puzzleSeries")
            time.sleep(0.1)  # the fit follows the panel change in the next frame
            inside_screen(driver, ["#boardbox", ".frame", "#status", ".palette-entry", "#comment"], f"{screen} series")
        # Turned on its side: the board follows.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 640, "height": 360, "deviceScaleFactor": 2, "mobile": True})
        time.sleep(0.3)
        inside_screen(driver, ["#boardbox", ".frame", "#status", ".palette-entry"], "turned sideways")
    finally:
        driver.quit()


def cached_everything(driver):
    """Whether the service worker holds every file its list names."""
    return driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        (async () => {
          const text = await (await fetch('sw.js')).text();
          const list = (name) => JSON.parse(text.match(new RegExp('const ' + name + ' = (\\\\[.*\\\\]);'))[1]);
          const names = list('FIRST').concat(list('REST'));
          const keys = (await caches.keys()).filter((k) => k.startsWith('tavrin-'));
          if (keys.length !== 1) return false;
          const cache = await caches.open(keys[0]);
          for (const n of names) if (!(await cache.match(n))) return false;
          return true;
        })().then(done, () => done(false));""")


def wait_for(driver, script, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        if script():
            return True
        time.sleep(0.2)
    raise AssertionError("timed out")


def case_offline(url, profile):
    """One visit, the server gone: the page opens, plays a move and every kind
    of series; a changed site is taken up after its next visit. The browser
    finds it installable; before the first touch nothing of the sounds, the
    music or the goal background is fetched."""
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "site")
        shutil.copytree(TEST_SITE, copy)
        site = Site(copy)
        driver = page.browser(profile)
        try:
            page.start_page(driver, site.url, "seed=3&lang=ja")
            page.wait(driver, "navigator.serviceWorker.controller !== null", 30)
            check("offline: installable", [], driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"])
            time.sleep(1)
            early = [p for p in site.asked if re.match(r"/(music|sounds)/|/pictures/background_goal", p)]
            check("offline: nothing of sound or the goal before a touch", [], early)
            page.play_move(driver, {"place": 27, "piece": 10})
            wait_for(driver, lambda: cached_everything(driver))
            site.stop()
            driver.refresh()
            page.wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
            page.play_move(driver, {"place": 35, "piece": 10})
            check("offline: a move", 10, driver.execute_script("return tavrinTest.state()")["board"][35])
            # Each kind of series from the free game, which a reload brings back.
            for command, what in ((34, "おまかせ"), (35, "今日の問題")):
                driver.refresh()
                page.wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
                driver.find_element(By.CSS_SELECTOR, ".menu-head[data-menu='0']").click()
                driver.find_element(By.CSS_SELECTOR, f".menu-item[data-command='{command}']").click()
                page.answer_boxes(driver, "tavrinTest.idle() && tavrinTest.state().puzzleSeries")
                check(f"offline: {what}", True, driver.execute_script("return tavrinTest.state().puzzleSeries"))
            driver.refresh()
            page.wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
            driver.find_element(By.CSS_SELECTOR, ".tool[data-command='1']").click()
            page.wait(driver, "document.getElementById('box').open")
            driver.find_element(By.XPATH, "//div[@id='box-buttons']/button[text()='入門']").click()
            page.answer_boxes(driver, "tavrinTest.idle() && document.title.startsWith('入門')")
            check("offline: a bundled series", "入門 - Tavrin for Windows[実行]", page.text_of(driver, "caption"))

            # The site changes: the next visit installs it, the one after plays it.
            with open(os.path.join(copy, "page.css"), "a") as f:
                f.write("/* changed */\n")
            subprocess.run([sys.executable, ASSEMBLE, "worker", copy, os.path.join(HERE, "..", "..", "web", "site", "sw.js")],
                           check=True)
            site.start()
            driver.refresh()
            page.wait(driver, "window.tavrinTest && tavrinTest.idle()")

            def changed():
                return driver.execute_async_script("""const done = arguments[arguments.length - 1];
                    fetch('page.css').then((r) => r.text()).then((t) => done(t.includes('changed')), () => done(false));""")
            wait_for(driver, changed)
            driver.refresh()
            page.wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
            check("offline: the changed site taken up", True, changed())
        finally:
            driver.quit()
            site.stop()


def case_help(url, profile):
    """Served by tavrin-scores, the help box shows the help's pages."""
    servers = [a for a in EXTRA if a.endswith("tavrin-scores")]
    if not servers:
        raise AssertionError("help needs the path of tavrin-scores")
    sys.path.insert(0, os.path.join(HERE, "..", "scoreserver", "e2e"))
    import support
    with support.score_server(servers[0], os.path.join(profile, "scores.sqlite"), ["--site", TEST_SITE]) as (base, _):
        driver = page.browser(os.path.join(profile, "browser"))
        try:
            page.start_page(driver, base + "/play/", "seed=2&lang=ja")
            driver.find_element(By.CSS_SELECTOR, ".tool[data-command='23']").click()
            page.wait(driver, "document.querySelector('#box iframe') !== null")
            driver.switch_to.frame(driver.find_element(By.CSS_SELECTOR, "#box iframe"))
            page.wait(driver, "document.readyState === 'complete' && document.querySelector('h1') !== null")
            check("help: its first page", "Tavrin ヘルプ", driver.find_element(By.TAG_NAME, "h1").text)
            driver.find_element(By.CSS_SELECTOR, "a[href='keys.html']").click()
            page.wait(driver, "location.pathname.endsWith('keys.html') && document.querySelector('h1') !== null")
            check("help: a link inside it", "/play/help/keys.html", driver.execute_script("return location.pathname"))
        finally:
            driver.quit()


def wasm_exports(path):
    """The names in a WebAssembly module's export section."""
    with open(path, "rb") as f:
        data = f.read()

    def number(at):
        value, shift = 0, 0
        while True:
            byte = data[at]
            at += 1
            value |= (byte & 0x7F) << shift
            shift += 7
            if byte < 0x80:
                return value, at

    at, names = 8, []
    while at < len(data):
        kind = data[at]
        size, at = number(at + 1)
        if kind == 7:
            count, inner = number(at)
            for _ in range(count):
                length, inner = number(inner)
                names.append(data[inner:inner + length].decode())
                _, inner = number(inner + length + 1)
        at += size
    return names


def case_exports(url, profile):
    """The site players get has no test hook: not in the wasm's exports, not
    in its scripts, not on the page's window; the test build has them."""
    # The wasm's export names are shortened; the runtime in page.js names what each is.
    def named(folder):
        with open(os.path.join(folder, "page.js"), encoding="utf-8") as f:
            # Minified: Module._tavrin_start=function(){return(…=Module._tavrin_start=Module.asm.z)…
            glue = dict(re.findall(r'Module\._(\w+)=function\(\)\{return\(\w+=Module\._\w+=Module\.asm\.(\w+)\)',
                                   f.read()))
        exports = wasm_exports(os.path.join(folder, "tavrin.wasm"))
        check(f"exports: {os.path.basename(folder)}'s script names only what its wasm exports", [],
              [n for n, short in glue.items() if short not in exports])
        return glue, exports

    production, production_exports = named(SITE)
    test_build, test_exports = named(TEST_SITE)
    check("exports: the game's entry points", True, "tavrin_start" in production and "tavrin_cell" in production)
    check("exports: none for tests", [], [n for n in production if "test" in n.lower()])
    hooks = ["tavrin_test_new_game", "tavrin_test_offer", "tavrin_test_seeded_game", "tavrin_test_settle",
             "tavrin_test_state"]
    check("exports: the test build's hooks", hooks, sorted(n for n in test_build if "test" in n))
    check("exports: the test build's hooks and nothing more", len(hooks), len(test_exports) - len(production_exports))
    for name in sorted(n for n in os.listdir(SITE) if n.endswith(".js")):
        with open(os.path.join(SITE, name), encoding="utf-8") as f:
            text = f.read()
        check(f"exports: {name} without hooks", [], re.findall(r"tavrin_?test\w*|params\.has\('test'\)", text, re.I))
    site = Site(SITE)
    driver = page.browser(profile)
    try:
        driver.get(site.url + "index.html?test")
        page.wait(driver, "document.body.classList.contains('ready')")
        check("exports: nothing on the window", [], driver.execute_script(
            "return Object.keys(window).concat(Object.keys(Module)).filter((k) => /test/i.test(k))"))
    finally:
        driver.quit()
        site.stop()


def case_damaged(url, profile):
    """A wasm that cannot be compiled leaves the page shown, with a word why
    nothing answers, rather than an empty window; also in a browser that
    compiles only whole downloads, where the intact game still starts."""
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "site")
        shutil.copytree(SITE, copy, ignore=shutil.ignore_patterns("*.gz"))
        with open(os.path.join(copy, "tavrin.wasm"), "r+b") as f:
            f.truncate(os.path.getsize(f.name) // 2)
        site = Site(copy)
        try:
            for streaming in (True, False):
                with tempfile.TemporaryDirectory() as fresh:
                    driver = page.browser(fresh)
                    try:
                        if not streaming:
                            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                   {"source": "delete WebAssembly.compileStreaming;"})
                            page.start_page(driver, url, "seed=1&lang=ja")
                            check("whole-download compile: the game starts", True,
                                  driver.execute_script("return document.getElementById('notice').hidden"))
                        driver.get(site.url + "index.html")
                        page.wait(driver, "document.body.classList.contains('ready')")
                        check(f"damaged (streaming {streaming}): the notice says the game could not start", True,
                              driver.execute_script(
                                  "const n = document.getElementById('notice');"
                                  "return !n.hidden && n.offsetParent !== null && /reload|読み込み直/.test(n.textContent)"))
                    finally:
                        driver.quit()
        finally:
            site.stop()


CASES = {"damaged": case_damaged, "layout": case_layout, "offline": case_offline, "help": case_help, "exports": case_exports}


def main():
    server, url = page.serve(TEST_SITE)
    try:
        with tempfile.TemporaryDirectory() as profile:
            CASES[CASE](url, profile)
    finally:
        server.shutdown()
    if page.failures:
        print(f"{len(page.failures)} failure(s)")
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
