#!/usr/bin/python3
"""Speed and size of the browser page in headless Chromium against a local
server: navigation to the first board frame, a move handled in the
WebAssembly core (placement to the next piece dealt, the animation timers
left out), and the gzip-compressed size of what a visit transfers.

usage: web_bench.py SITE_FOLDER [LOADS]
"""
import gzip
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
sys.argv += [""] * (3 - len(sys.argv))
import web_page_test as page  # noqa: E402

SITE = os.path.abspath(sys.argv[1])
LOADS = int(sys.argv[2]) if sys.argv[2] else 9


def gzip_size(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), 9))


def sizes():
    groups = {"script and wasm": 0, "page": 0, "pictures": 0, "sounds": 0, "music": 0}
    for name in ("tavrin.js", "tavrin.wasm"):
        groups["script and wasm"] += gzip_size(os.path.join(SITE, name))
    for name in ("index.html", "page.js", "page.css"):
        groups["page"] += gzip_size(os.path.join(SITE, name))
    for folder in ("pictures", "sounds", "music"):
        for name in sorted(n for n in os.listdir(os.path.join(SITE, folder)) if not n.endswith(".gz")):
            groups[folder] += gzip_size(os.path.join(SITE, folder, name))
    return groups


def main():
    server, url = page.serve(SITE)
    first_frames, moves = [], []
    try:
        with tempfile.TemporaryDirectory() as profile:
            driver = page.browser(profile)
            try:
                for load in range(LOADS):
                    driver.execute_script("try { localStorage.clear(); } catch (e) {}")
                    driver.get(url + f"index.html?test&seed={load + 1}&lang=ja")
                    page.wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.firstFrame() > 0")
                    first_frames.append(driver.execute_script("return tavrinTest.firstFrame()"))
                driver.execute_script("tavrinTest.newGame([[9, 0], [46, 1], [60, 2]])")
                page.wait(driver, "tavrinTest.idle()")
                for cell in range(40):
                    took = driver.execute_async_script(
                        "tavrinTest.timeMove(arguments[0]).then(arguments[arguments.length - 1])", cell)
                    if took is not None:
                        moves.append(took)
            finally:
                driver.quit()
    finally:
        server.shutdown()
    groups = sizes()
    print(f"navigation to first board frame: median {statistics.median(first_frames):.0f} ms "
          f"({LOADS} loads, {min(first_frames):.0f}-{max(first_frames):.0f} ms)")
    print(f"move handled in wasm: median {statistics.median(moves):.2f} ms over {len(moves)} moves "
          f"(max {max(moves):.2f} ms)")
    for name, size in groups.items():
        print(f"gzip {name}: {size / 1024:.0f} KiB")
    print(f"gzip total: {sum(groups.values()) / 1024:.0f} KiB")


if __name__ == "__main__":
    main()
