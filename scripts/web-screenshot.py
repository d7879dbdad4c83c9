#!/usr/bin/python3
"""Takes docs/screenshot-phone.png: the browser page on a phone-sized screen
(360 x 640 CSS pixels at a pixel ratio of 2) in headless Chromium, after a few
moves of a seeded game. It steers the game through the test build's hooks.

usage: web-screenshot.py TEST_SITE_FOLDER OUT.png   (build-wasm/site-test)
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
site, out = sys.argv[1], sys.argv[2]
sys.argv[1:] = [site, "tavrin-cli"]
import web_page_test as page  # noqa: E402


def main():
    server, url = page.serve(site)
    try:
        with tempfile.TemporaryDirectory() as profile:
            driver = page.browser(profile, phone=True)
            try:
                page.start_page(driver, url, "seed=12&lang=ja")
                driver.execute_script("tavrinTest.newGame([[9, 0], [46, 1], [60, 2]])")
                page.wait(driver, "tavrinTest.idle()")
                for cell, piece in ((27, 10), (28, 2), (36, 1), (35, 10), (26, 3), (19, 6), (20, 10)):
                    page.play_move(driver, {"place": cell, "piece": piece}, touch=True)
                driver.save_screenshot(out)
            finally:
                driver.quit()
    finally:
        server.shutdown()


if __name__ == "__main__":
    main()
