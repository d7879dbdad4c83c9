#!/usr/bin/python3
"""The browser page against a blank page with one canvas, both served gzip
by one local server and loaded in headless Chromium, interleaved: navigation
to the first painted board (cold: a fresh profile; warm: the same profile
again), the bytes of a first visit before any touch, the browser's CPU while
the page sits idle for 10 s; then the gzip size of script and wasm, and a move
handled in the WebAssembly core (the test build, its timers run at once).

usage: web_bench.py SITE [TEST_SITE] [RUNS]
"""
import functools
import gzip
import http.server
import os
import statistics
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
import web_page_test as page  # noqa: E402

SITE = os.path.abspath(sys.argv[1])
TEST_SITE = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[2] else ""
RUNS = int(sys.argv[3]) if len(sys.argv) > 3 else 9
IDLE_SECONDS = 10
BLANK = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>blank</title></head>
<body><canvas id="board" width="256" height="256"></canvas><script>
const c = document.getElementById('board').getContext('2d');
c.fillStyle = '#8a6d45'; c.fillRect(0, 0, 256, 256);
requestAnimationFrame(() => performance.mark('tavrin-board'));
</script></body></html>
"""


class Counting(http.server.SimpleHTTPRequestHandler):
    """Sends NAME.gz for NAME where there is one, as tavrin-scores does, and
    counts the bytes of every answer."""
    sent = []
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_head(self):
        path = self.translate_path(self.path)
        if "gzip" in self.headers.get("Accept-Encoding", "") and os.path.isfile(path + ".gz"):
            info = os.stat(path + ".gz")
            tag = f'"{info.st_size:x}-{info.st_mtime_ns:x}"'
            if self.headers.get("If-None-Match") == tag:
                self.send_response(304)
                self.send_header("ETag", tag)
                self.end_headers()
                return None
            with open(path + ".gz", "rb") as f:
                body = f.read()
            self.send_response(200)
            self.send_header("ETag", tag)
            self.send_header("Content-Type", self.guess_type(path))
            self.send_header("Content-Encoding", "gzip")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            Counting.sent.append((self.path, len(body)))
            return None
        f = super().send_head()
        if f is not None:
            Counting.sent.append((self.path, os.fstat(f.fileno()).st_size))
        return f

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


def serve(root):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Counting, directory=root))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def board_time(driver, url):
    driver.get(url)
    page.wait(driver, "performance.getEntriesByName('tavrin-board').length > 0", 60)
    return driver.execute_script("return performance.getEntriesByName('tavrin-board')[0].startTime")


def quiet(seconds=1.5, limit=20):
    """Waits until the server has answered nothing for `seconds`."""
    end = time.time() + limit
    count = -1
    while time.time() < end:
        if len(Counting.sent) == count:
            return
        count = len(Counting.sent)
        time.sleep(seconds)


def browser_cpu(driver):
    """CPU seconds used so far by the browser's processes."""
    children = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            children.setdefault(int(fields[1]), []).append((int(pid), int(fields[11]) + int(fields[12])))
        except (OSError, IndexError, ValueError):
            continue
    total, todo = 0, [driver.service.process.pid]
    while todo:
        for pid, ticks in children.get(todo.pop(), []):
            total += ticks
            todo.append(pid)
    return total / os.sysconf("SC_CLK_TCK")


def one_run(url, label, results):
    with tempfile.TemporaryDirectory() as profile:
        driver = page.browser(profile)
        try:
            before = len(Counting.sent)
            results[label, "cold"].append(board_time(driver, url))
            if label == "page":
                page.wait(driver, "navigator.serviceWorker.controller !== null", 30)
            quiet()
            results[label, "bytes"].append(sum(size for _, size in Counting.sent[before:]))
            if os.environ.get("TAVRIN_BENCH_LIST"):
                print(label, Counting.sent[before:])
            results[label, "music"].append(sum(1 for p, _ in Counting.sent[before:] if "/music/" in p))
            results[label, "warm"].append(board_time(driver, url))
            quiet()
            start = browser_cpu(driver)
            time.sleep(IDLE_SECONDS)
            results[label, "cpu"].append(100 * (browser_cpu(driver) - start) / IDLE_SECONDS)
        finally:
            driver.quit()


def moves():
    """Milliseconds of a placement up to the next piece dealt (test build)."""
    server, url = page.serve(TEST_SITE)
    took = []
    try:
        with tempfile.TemporaryDirectory() as profile:
            driver = page.browser(profile)
            try:
                page.start_page(driver, url, "seed=1&lang=ja")
                driver.execute_script("tavrinTest.newGame([[9, 0], [46, 1], [60, 2]])")
                page.wait(driver, "tavrinTest.idle()")
                for cell in range(40):
                    t = driver.execute_script("return tavrinTest.timeMove(arguments[0])", cell)
                    if t is not None:
                        took.append(t)
            finally:
                driver.quit()
    finally:
        server.shutdown()
    return took


def gzip_size(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), 9))


def main():
    with tempfile.TemporaryDirectory() as root:
        os.symlink(SITE, os.path.join(root, "site"))
        os.mkdir(os.path.join(root, "blank"))
        with open(os.path.join(root, "blank", "index.html"), "w") as f:
            f.write(BLANK)
        server, url = serve(root)
        load = [os.getloadavg()[0]]
        results = {(label, what): [] for label in ("page", "blank") for what in ("cold", "warm", "bytes", "music", "cpu")}
        try:
            for _ in range(RUNS):
                one_run(url + "site/index.html", "page", results)
                one_run(url + "blank/index.html", "blank", results)
                load.append(os.getloadavg()[0])
        finally:
            server.shutdown()
    med = {key: statistics.median(values) for key, values in results.items()}
    print(f"{RUNS} interleaved runs each, load average {min(load):.1f}-{max(load):.1f} "
          f"(median {statistics.median(load):.1f}) on {os.cpu_count()} cores")
    for what, name, goal in (("cold", "first board, cold (fresh profile)", 3), ("warm", "first board, warm", 3)):
        print(f"{name}: page {med['page', what]:.0f} ms, blank {med['blank', what]:.0f} ms, "
              f"ratio {med['page', what] / med['blank', what]:.2f} (goal <= {goal})")
    print(f"first visit before any touch, as sent: page {med['page', 'bytes'] / 1024:.0f} KiB "
          f"(music requests: {max(results['page', 'music'])}), blank {med['blank', 'bytes'] / 1024:.1f} KiB "
          f"(goal <= 250 KB)")
    print(f"browser CPU idle {IDLE_SECONDS} s: page {med['page', 'cpu']:.2f} %, blank {med['blank', 'cpu']:.2f} % "
          f"of a core, ratio {med['page', 'cpu'] / max(med['blank', 'cpu'], 0.01):.2f} (goal <= 1.5)")
    sizes = {name: gzip_size(os.path.join(SITE, name)) for name in ("page.js", "tavrin.wasm")}
    print(f"scripts + wasm, gzip -9: {sum(sizes.values()) / 1000:.1f} KB ("
          + ", ".join(f"{name} {size / 1000:.1f}" for name, size in sizes.items())
          + f"; tavrin.wasm {os.path.getsize(os.path.join(SITE, 'tavrin.wasm')) / 1000:.1f} KB raw; goal <= 100 KB)")
    if TEST_SITE:
        took = moves()
        print(f"move handled in wasm: median {statistics.median(took):.2f} ms over {len(took)} moves "
              f"(max {max(took):.2f} ms)")


if __name__ == "__main__":
    main()
