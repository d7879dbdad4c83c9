#!/usr/bin/python3
"""End to end in a real browser: the game's page writer makes Upload3.html
pointing at a running tavrin-scores, headless Chromium opens it, a comment is
typed and ハイスコア登録 pressed; the entry must show on the ranking page. A
page with a forged code must be refused.

browser_e2e.py sqlite|postgresql TAVRIN_SCORES WRITE_SCORE_PAGE"""
import json
import os
import re
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import support  # noqa: E402

NAME = "山田花子"
COMMENT = "ブラウザから登録"


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--no-first-run", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def submit(driver, page, comment):
    driver.get("file://" + page)
    box = driver.find_element(By.NAME, "comment")
    box.send_keys(comment)
    driver.find_element(By.CSS_SELECTOR, "input[type=submit]").click()
    WebDriverWait(driver, 20).until(expected_conditions.presence_of_element_located((By.TAG_NAME, "h1")))
    return driver.find_element(By.TAG_NAME, "body").text


def main():
    kind, server, writer = sys.argv[1:4]
    with tempfile.TemporaryDirectory(prefix="tavrin-e2e-", ignore_cleanup_errors=True) as work:
        run(kind, server, writer, work)
    print(f"browser end to end on {kind}: 1 passed, 0 failed")


def run(kind, server, writer, work):
    with support.database(kind, work) as database:
        with support.score_server(server, database) as (base, _):
            pages = os.path.join(work, "pages")
            os.mkdir(pages)
            page = support.subprocess.run([writer, pages, base, NAME, "4321", "3"], check=True,
                                          capture_output=True, text=True).stdout.strip()
            assert page.endswith("Upload3.html"), page
            driver = browser(os.path.join(work, "profile"))
            try:
                # The registration, through the page as the game wrote it.
                text = submit(driver, page, COMMENT)
                assert "登録しました" in text and "1位" in text, text
                driver.find_element(By.LINK_TEXT, "ランキングを見る").click()
                WebDriverWait(driver, 20).until(expected_conditions.url_contains("/ranking/3"))
                rows = [row.text for row in driver.find_elements(By.CSS_SELECTOR, "tbody tr")]
                assert any(NAME in row and COMMENT in row and "4321" in row for row in rows), rows

                # The same page with its code changed is refused and stores nothing.
                with open(page, "rb") as f:
                    html = f.read()
                forged = re.sub(rb'("passwd" VALUE = ")([^"]+)"', rb'\1AAAA"', html)
                assert forged != html
                forged_page = os.path.join(pages, "Forged3.html")
                with open(forged_page, "wb") as f:
                    f.write(forged)
                text = submit(driver, forged_page, "偽物")
                assert "登録できませんでした" in text and "認証コード" in text, text
            finally:
                driver.quit()
            status, body = support.get(base + "/ranking/3.json")
            entries = json.loads(body)["entries"]
            assert status == 200 and len(entries) == 1, entries
            assert entries[0]["name"] == NAME and entries[0]["comment"] == COMMENT, entries


if __name__ == "__main__":
    main()
