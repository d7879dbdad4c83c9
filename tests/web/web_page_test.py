#!/usr/bin/python3
"""The browser page in headless Chromium, served from a local server on a free
port: a seeded free game clicked on the canvas against tavrin-cli replay, the
board canvas against tavrin-cli render, resuming after a reload, the language
switch, and a phone-sized touch screen.

usage: web_page_test.py SITE_FOLDER TAVRIN_CLI [CASE ...]
       web_page_test.py SITE_FOLDER TAVRIN_CLI register TAVRIN_SCORES
"""
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cli"))
import render_png  # noqa: E402  the PNG reader of the render test

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

# (Other scripts import this one for its helpers and set these themselves.)
SITE = sys.argv[1] if len(sys.argv) > 1 else ""
CLI = sys.argv[2] if len(sys.argv) > 2 else ""
# The site has the pictures as WebP; the BMP files they were made from lie in
# the native program folder beside tavrin-cli.
PICTURES = os.path.dirname(os.path.abspath(CLI)) if CLI else ""
NAME = "テスト"
FIELDS = ("movesUsed", "maxMovesUsed", "scoreChain", "discardCount", "turnResult", "ecoPoints",
          "loopPoints", "bonus", "total", "offeredPiece", "freeGameActive", "moveBusy")
failures = []


def check(what, expected, actual):
    if expected != actual:
        failures.append(what)
        print(f"FAIL {what}\n  expected: {expected!r}\n  actual:   {actual!r}", flush=True)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def browser(profile, phone=False):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--no-first-run", "--autoplay-policy=no-user-gesture-required", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    if phone:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": 360, "height": 640, "pixelRatio": 2, "touch": True},
            "userAgent": "Mozilla/5.0 (Linux; Android 13) AppleWebKit/537.36 Mobile Safari/537.36"})
    else:
        options.add_argument("--window-size=800,1000")
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def text_of(driver, element):
    """An element's text as the page set it (tabs and line ends kept)."""
    return driver.execute_script(f"return document.getElementById('{element}').textContent")


def wait(driver, script, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if driver.execute_script("return " + script):
            return True
        time.sleep(0.02)
    raise AssertionError(f"timed out waiting for {script}")


def answer_boxes(driver, until, keep=None):
    """Answers the page's boxes as the replay's window does (No, or the name)
    until `until` holds; returns the texts of the boxes seen."""
    seen = []
    end = time.time() + 30
    while time.time() < end:
        if driver.execute_script("return document.getElementById('box').open"):
            if keep is not None and driver.execute_script("return document.getElementById('box').dataset.kind") == keep:
                return seen
            seen.append((driver.execute_script("return document.getElementById('box').dataset.kind"),
                         driver.execute_script("return document.getElementById('box-text').textContent")))
            field = driver.find_element(By.ID, "box-input")
            buttons = driver.find_elements(By.CSS_SELECTOR, "#box-buttons button")
            if field.is_displayed():
                field.clear()
                field.send_keys(NAME)
                buttons[0].click()
            else:
                buttons[-1 if len(buttons) == 2 else 0].click()
            time.sleep(0.05)
            continue
        if driver.execute_script("return " + until):
            return seen
        time.sleep(0.02)
    raise AssertionError(f"timed out waiting for {until}")


def start_page(driver, url, query):
    driver.get(url + "index.html?test&" + query)
    wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")


def click_cell(driver, cell, touch=False):
    board = driver.find_element(By.ID, "board")
    size = board.size
    x = (cell % 8 + 0.5) * size["width"] / 8 - size["width"] / 2
    y = (cell // 8 + 0.5) * size["height"] / 8 - size["height"] / 2
    if touch:
        driver.execute_script("""
            const board = arguments[0], r = board.getBoundingClientRect();
            const x = r.left + r.width / 2 + arguments[1], y = r.top + r.height / 2 + arguments[2];
            for (const type of ['pointerdown', 'pointerup']) {
              board.dispatchEvent(new PointerEvent(type, {clientX: x, clientY: y, pointerType: 'touch',
                                                          isPrimary: true, bubbles: true}));
            }""", board, x, y)
    else:
        ActionChains(driver).move_to_element_with_offset(board, int(x), int(y)).click().perform()


def play_move(driver, line, touch=False):
    driver.execute_script("window.tavrinTestMark = tavrinTest.lastMove()")
    if "piece" in line:
        driver.execute_script(f"tavrinTest.offer({line['piece']})")
    if "place" in line:
        click_cell(driver, line["place"], touch)
    elif touch:
        driver.execute_script("""document.getElementById('trash').dispatchEvent(
            new PointerEvent('pointerdown', {pointerType: 'touch', bubbles: true}));
            document.getElementById('trash').click();""")
    else:
        driver.find_element(By.ID, "trash").click()
    seen = answer_boxes(driver, "tavrinTest.lastMove() !== window.tavrinTestMark && tavrinTest.idle()")
    driver.execute_script("tavrinTest.settle()")
    seen += answer_boxes(driver, "tavrinTest.idle()")
    return seen


def replay(lines, seed):
    text = "".join(json.dumps(line) + "\n" for line in lines)
    out = subprocess.run([CLI, "replay", "--seed", str(seed), "--name", NAME], input=text, capture_output=True,
                         text=True, check=True).stdout
    return [json.loads(line) for line in out.splitlines()]


def game_lines():
    """A free game on a fixed layout: dealt pieces, some laid by hand, a refused
    move, discards, and enough moves for loops and chains."""
    lines = [{"new": {"items": [[9, 0], [46, 1], [60, 2]]}}]
    cells = [27, 28, 36, 35, 19, 20, 21, 29, 37, 44, 43, 42, 34, 26, 18, 10, 11, 12, 13, 22]
    for i, cell in enumerate(cells):
        move = {"place": cell}
        if i % 4 == 1:
            move["piece"] = (i * 3) % 11
        lines.append(move)
        if i % 7 == 3:
            lines.append({"discard": True})
    lines.append({"place": 27, "piece": 10})
    lines.append({"place": 27, "piece": 10})
    return lines


def crosses_lines():
    """Crosses laid in cell order: loops and chains grow until the goal is
    reached, and the score earns a place (the name prompt)."""
    return [{"new": {"items": [[0, 0], [1, 1]]}}] + [{"place": c, "piece": 10} for c in range(64)]


def case_replay(url, profile):
    """(a) The same labels, totals, status texts and boxes as tavrin-cli replay."""
    for game, (seed, lines) in enumerate(((20261209, game_lines()), (7, crosses_lines()))):
        expected = replay(lines, seed)
        driver = browser(os.path.join(profile, str(game)))
        try:
            start_page(driver, url, f"seed={seed}&lang=ja")
            items = lines[0]["new"]["items"]
            driver.execute_script(f"tavrinTest.newGame({json.dumps(items)})")
            wait(driver, "tavrinTest.idle()")
            boxes = []
            for number, (line, want) in enumerate(zip(lines[1:], expected), 1):
                seen = play_move(driver, line)
                move = driver.execute_script("return tavrinTest.lastMove()")
                state = driver.execute_script("return tavrinTest.state()")
                what = f"game {game} move {number} {json.dumps(line)}"
                check(f"{what}: accepted", want["accepted"], move["accepted"])
                check(f"{what}: labels", [want["labels"][k] for k in ("ecoPoints", "movesLeft", "loopPoints", "chain")],
                      move["labels"])
                check(f"{what}: status", want["status"], text_of(driver, "status"))
                check(f"{what}: messages", want["messages"], [text for kind, text in seen if kind == "message"])
                boxes += seen
                for field in FIELDS:
                    check(f"{what}: {field}", want[field], state[field])
            check(f"game {game}: moves compared", len(lines) - 1, len(expected))
            if game == 1:
                prompts = [text for kind, text in boxes if kind == "input"]
                tables = [text for kind, text in boxes if kind == "scores"]
                check("the goal earns a place", ["あなたはアイテム 2種類での1位になりました。\n名前を入力してください。"],
                      prompts)
                check("the high-score window shows the entry", True,
                      len(tables) == 1 and f"1: {NAME}" in tables[0] and "6103" in tables[0])
        finally:
            driver.quit()


# Three items in a row, joined by crosses: a game, and its moves.
LINKED_ITEMS = ([[9, 0], [10, 1], [11, 2]], ((9, 10), (10, 10), (11, 10), (12, 10)))


def case_render(url, profile):
    """(b) The board canvas and the offered piece, pixel for pixel, as
    tavrin-cli render composes the same state from the BMP pictures the
    site's WebP files were made from; where the goal background cannot be
    fetched, its cells are drawn plainly (neither left as they were nor
    shown with the normal background) and the rest is as before."""
    probe = subprocess.run([CLI, "render"], capture_output=True, text=True, stdin=subprocess.DEVNULL)
    if "no output file" not in probe.stderr:
        print("SKIP render: this tavrin-cli has no render command", flush=True)
        return
    plain, state = page_board(url, os.path.join(profile, "a"), [[9, 0], [46, 1], [60, 2]],
                              ((27, 10), (28, 3), (36, 5), (35, 10), (9, 4)))
    board, panel = cli_render(state, PICTURES)
    check("render: board canvas", True, board == plain[0])
    check("render: offered piece", True, panel == plain[1])
    check("render: the board is not empty", True, len(set(board)) > 16)
    # Crosses joining the three items: their group shows the goal background.
    linked, state = page_board(url, os.path.join(profile, "c"), *LINKED_ITEMS)
    board, _ = cli_render(state, PICTURES)
    check("render: the goal background", True, board == linked[0])
    with tempfile.TemporaryDirectory() as folder:
        # The normal background as the goal's, and a site without the goal picture.
        os.mkdir(os.path.join(folder, "data"))
        for entry in os.listdir(PICTURES):
            target = "background_normal.bmp" if entry == "background_goal.bmp" else entry
            os.symlink(os.path.join(PICTURES, target), os.path.join(folder, "data", entry))
        normal, _ = cli_render(state, os.path.join(folder, "data"))
        shutil.copytree(SITE, os.path.join(folder, "site"), ignore=shutil.ignore_patterns("background_goal.*"),
                        copy_function=os.symlink)
        bare_server, bare_url = serve(os.path.join(folder, "site"))
        try:
            bare, _ = page_board(bare_url, os.path.join(profile, "b"), *LINKED_ITEMS)
        finally:
            bare_server.shutdown()
    goal = [i for i in range(0, len(board), 4) if board[i:i + 4] != normal[i:i + 4]]
    check("render: the crosses reach the goal background", True, len(goal) > 0)
    check("render without the goal picture: the rest as before", True,
          all(bare[0][i:i + 4] == board[i:i + 4] for i in set(range(0, len(board), 4)) - set(goal)))
    check("render without the goal picture: its cells drawn plainly", True,
          sum(bare[0][i:i + 4] not in (board[i:i + 4], normal[i:i + 4]) for i in goal) > len(goal) // 2)


def page_board(url, profile, items, moves):
    """The board and offered-piece canvases after seeded moves, and the game's state."""
    driver = browser(profile)
    try:
        start_page(driver, url, "seed=3&lang=ja")
        driver.execute_script("tavrinTest.newGame(arguments[0])", items)
        wait(driver, "tavrinTest.idle()")
        for cell, piece in moves:
            play_move(driver, {"place": cell, "piece": piece})
        # The goal background, fetched once the board shows it, has come (or cannot).
        driver.execute_async_script("""const done = arguments[arguments.length - 1];
            (TavrinPictures.loads[2] || Promise.resolve()).then(() => setTimeout(done, 50));""")
        state = driver.execute_script("return tavrinTest.state()")
        pixels = driver.execute_script("""
            const read = (id) => { const c = document.getElementById(id);
              return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data); };
            return [read('board'), read('offered')];""")
    finally:
        driver.quit()
    return pixels, state


def cli_render(state, data):
    """tavrin-cli render's board and offered piece for `state`, from the pictures in `data`."""
    board_text = "".join(" ".join("." if p < 0 else str(p) for p in state["board"][r * 8:r * 8 + 8]) + "\n"
                         for r in range(8))
    items = ",".join(str(cell) for cell, kind in sorted(state["items"], key=lambda item: item[1]))
    with tempfile.TemporaryDirectory() as folder:
        png = os.path.join(folder, "board.png")
        subprocess.run([CLI, "render", "--items", items, "--moves-used", str(state["movesUsed"]),
                        "--offered", str(state["offeredPiece"]), "--data", data, "--out", png],
                       input=board_text, text=True, check=True)
        width, picture = png_rgba(png)
    board = [v for y in range(256) for v in picture[(y * width) * 4:(y * width + 256) * 4]]
    panel = [v for y in range(32) for v in picture[(y * width + width - 32) * 4:(y * width + width) * 4]]
    return board, panel


def png_rgba(path):
    """The RGBA bytes of an 8-bit RGB PNG file as tavrin-cli writes it."""
    width, _, rgb = render_png.read_png(path)
    out = []
    for i in range(0, len(rgb), 3):
        out += [rgb[i], rgb[i + 1], rgb[i + 2], 255]
    return width, out


def case_reload(url, profile):
    """(c) A reload takes the game up where it was; the language switch changes
    the page at once and is kept."""
    driver = browser(profile)
    try:
        start_page(driver, url, "seed=11")
        for line in ({"place": 27, "piece": 10}, {"place": 28}, {"discard": True}, {"place": 36}):
            play_move(driver, line)
        before = driver.execute_script("return tavrinTest.state()")
        labels = [text_of(driver, f"score{i}") for i in range(4)]
        driver.refresh()
        wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
        after = driver.execute_script("return tavrinTest.state()")
        for field in ("board", "items", "movesUsed", "discardCount", "total", "offeredPiece"):
            check(f"reload: {field}", before[field], after[field])
        check("reload: labels", labels, [text_of(driver, f"score{i}") for i in range(4)])

        # Headless Chromium speaks English: the first visit follows it.
        caption = ".frame[data-label='0'] .frame-caption"
        check("language: the browser's first", "Eco points", driver.find_element(By.CSS_SELECTOR, caption).text)
        driver.find_element(By.CSS_SELECTOR, ".menu-head[data-menu='2']").click()
        driver.find_element(By.ID, "language").click()
        wait(driver, "tavrinTest.idle()")
        check("language: frame caption", "エコ点", driver.find_element(By.CSS_SELECTOR, caption).text)
        check("language: menu", "ｹﾞｰﾑ(G)", driver.find_element(By.CSS_SELECTOR, ".menu-head[data-menu='0']").text)
        # The Game menu as the desktop's, less what only the desktop has; its
        # exit item stays hidden in the free game, where it would do nothing.
        items = driver.execute_script(
            "return [...document.querySelectorAll('.menu-drop')[0].children].map(b => [b.dataset.command, b.hidden])")
        check("language: the Game menu's commands", [["0", False], ["37", False], ["1", False], ["5", False], ["6", False],
                                                     ["33", False], ["34", False], ["35", False], ["8", True]], items)
        driver.refresh()
        wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
        check("language: the player's choice kept", "エコ点", driver.find_element(By.CSS_SELECTOR, caption).text)
    finally:
        driver.quit()


def case_phone(url, profile):
    """(d) 360 x 640 with touch: the page fits, a tap places, the trash discards."""
    driver = browser(profile, phone=True)
    try:
        start_page(driver, url, "seed=5&lang=ja")
        check("phone: no sideways scrolling", True,
              driver.execute_script("return document.documentElement.scrollWidth <= 360"))
        left, right = driver.execute_script(
            "const r = document.getElementById('boardbox').getBoundingClientRect(); return [r.left, r.right]")
        check("phone: board fits, at least as large as its pictures", True, left >= 0 and right <= 360 and right - left >= 256)
        driver.execute_script("tavrinTest.newGame([[9, 0], [46, 1], [60, 2]])")
        wait(driver, "tavrinTest.idle()")
        play_move(driver, {"place": 27, "piece": 10}, touch=True)
        state = driver.execute_script("return tavrinTest.state()")
        check("phone: tap placed", 10, state["board"][27])
        check("phone: loop-length label follows the touch", True,
              driver.find_element(By.ID, "loop-length").text != "")
        play_move(driver, {"discard": True}, touch=True)
        state = driver.execute_script("return tavrinTest.state()")
        check("phone: discard", 1, state["discardCount"])
        check("phone: trash count", "1", driver.find_element(By.ID, "trash-count").text)
    finally:
        driver.quit()


def case_storage(url, profile):
    """A damaged kept game is set aside with the desktop's note; when the
    browser refuses to store, play goes on and the page says so once."""
    import base64
    key = "Tavrin for Windows/free-game.sav"
    driver = browser(os.path.join(profile, "damaged"))
    try:
        start_page(driver, url, "seed=9&lang=ja")
        play_move(driver, {"place": 27, "piece": 10})
        kept = base64.b64decode(driver.execute_script(f"return localStorage.getItem('{key}')"))
        damaged = bytearray(kept)
        damaged[30] ^= 0x55
        damaged = base64.b64encode(bytes(damaged)).decode()
        # Damaged while the game is not open (closing the game writes it).
        driver.get(url + "help/index.html")
        driver.execute_script(f"localStorage.setItem('{key}', arguments[0])", damaged)
        driver.get(url + "index.html?test&seed=9&lang=ja")
        wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
        check("damaged: the desktop's note", "前回のゲームの保存ファイルが壊れています。新しいゲームを始めます。",
              text_of(driver, "status"))
        check("damaged: a new game", 0, driver.execute_script("return tavrinTest.state()")["movesUsed"])
        check("damaged: set aside", damaged, driver.execute_script(f"return localStorage.getItem('{key}.refused')"))
    finally:
        driver.quit()

    driver = browser(os.path.join(profile, "refused"))
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            Storage.prototype.setItem = function () { throw new DOMException('full', 'QuotaExceededError'); };"""})
        start_page(driver, url, "seed=9&lang=ja")
        for line in ({"place": 27, "piece": 10}, {"place": 28, "piece": 10}):
            play_move(driver, line)
        check("refused: play goes on", 2, driver.execute_script("return tavrinTest.state()")["movesUsed"])
        check("refused: said once", "このブラウザーには保存できないため、ハイスコアとゲームは残りません。このまま遊ぶことはできます。",
              text_of(driver, "notice"))
        check("refused: no box", False, driver.execute_script("return document.getElementById('box').open"))
    finally:
        driver.quit()


def drop_file(driver, name, data):
    driver.execute_script("""
        const transfer = new DataTransfer();
        transfer.items.add(new File([new Uint8Array(arguments[1])], arguments[0]));
        document.getElementById('board').dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true}));
        """, name, list(data))


def case_series(url, profile):
    """A bundled puzzle file from the Open box is played as a series, with its
    own high-score table; a foreign file dropped on the page gets the
    desktop's message and changes nothing."""
    driver = browser(profile)
    try:
        start_page(driver, url, "seed=4&lang=ja")
        driver.find_element(By.CSS_SELECTOR, ".tool[data-command='1']").click()
        wait(driver, "document.getElementById('box').open && document.getElementById('box').dataset.kind === 'open'")
        labels = [b.text for b in driver.find_elements(By.CSS_SELECTOR, "#box-buttons button")]
        check("open: the bundled files from the easiest up", ["入門", "中級", "上級"], labels[:3])
        driver.find_element(By.XPATH, "//div[@id='box-buttons']/button[text()='入門']").click()
        wait(driver, "tavrinTest.idle() && tavrinTest.state().puzzleSeries")
        check("series: caption", "入門 - Tavrin for Windows[実行]", text_of(driver, "caption"))
        check("series: palette shown", True, driver.find_element(By.ID, "palettebox").is_displayed())
        # The selected shape is marked as on the desktop.
        before = driver.execute_script("return tavrinTest.state()")
        selected = driver.execute_script(
            "return [...document.querySelectorAll('.palette-entry.selected')].map(e => Number(e.dataset.entry))")
        check("series: the selected shape marked", [before["selectedShape"]], selected)

        drop_file(driver, "junk.kem", b"not a puzzle file at all")
        seen = answer_boxes(driver, "tavrinTest.idle()")
        check("foreign file: the desktop's message",
              [("message", "Tavrinの問題ファイルのファイル形式ではありません。")], seen)
        check("foreign file: the series goes on", before, driver.execute_script("return tavrinTest.state()"))

        driver.find_element(By.CSS_SELECTOR, ".tool[data-command='5']").click()
        wait(driver, "document.getElementById('box').open")
        check("series: its high-score table", "scores",
              driver.execute_script("return document.getElementById('box').dataset.kind"))
        check("series: the table's caption", True, "入門" in text_of(driver, "box-text"))
        driver.find_element(By.CSS_SELECTOR, "#box-buttons button").click()
        wait(driver, "tavrinTest.idle()")
    finally:
        driver.quit()


def case_keys(url, profile):
    """Keyboard play as on the desktop: the first arrow shows the cursor,
    arrows move it, Space places, Delete discards, F3 asks for the hint."""
    from selenium.webdriver.common.keys import Keys
    driver = browser(profile)
    try:
        start_page(driver, url, "seed=6&lang=ja")
        driver.execute_script("tavrinTest.newGame([[9, 0], [46, 1], [60, 2]])")
        wait(driver, "tavrinTest.idle()")
        driver.execute_script("tavrinTest.offer(10)")
        wait(driver, "tavrinTest.idle()")
        keys = ActionChains(driver)
        keys.send_keys(Keys.ARROW_RIGHT).send_keys(Keys.ARROW_RIGHT).send_keys(Keys.ARROW_DOWN).perform()
        check("keys: the cursor shown", True, driver.find_element(By.ID, "cursor").is_displayed())
        ActionChains(driver).send_keys(Keys.SPACE).perform()
        wait(driver, "tavrinTest.idle() && tavrinTest.state().movesUsed === 1 && !tavrinTest.state().moveBusy")
        # The cursor starts at cell 0, as on the desktop: the first arrow shows it,
        # right and down lead to 9.
        check("keys: Space placed on the cursor cell", 10, driver.execute_script("return tavrinTest.state()")["board"][9])
        ActionChains(driver).send_keys(Keys.DELETE).perform()
        wait(driver, "tavrinTest.idle() && tavrinTest.state().discardCount === 1 && !tavrinTest.state().moveBusy")
        ActionChains(driver).send_keys(Keys.F3).perform()
        wait(driver, "tavrinTest.idle()")
        check("keys: F3 marks the hint", True, driver.find_element(By.ID, "hint").is_displayed())
        check("keys: the hint in the status bar", True, text_of(driver, "status").startswith("ヒント："))
    finally:
        driver.quit()


def case_cleared(url, profile):
    """A series cleared in the page earns a place; the table is kept across a
    reload. The file has one puzzle that one straight piece solves: a loop
    with a gap in its top row."""
    cells = [-1] * 64
    cells[0:4] = [4, 0, -1, 5]
    cells[8:12] = [3, 0, 0, 2]
    with tempfile.TemporaryDirectory() as folder:
        source, made = os.path.join(folder, "one.json"), os.path.join(folder, "one.kem")
        with open(source, "w") as f:
            json.dump({"puzzles": [{"mode": 0, "comment": "test", "cells": cells}]}, f)
        subprocess.run([CLI, "kem", "make", source, made], check=True)
        with open(made, "rb") as f:
            kem = f.read()
    driver = browser(profile)
    try:
        start_page(driver, url, "seed=4&lang=ja")
        drop_file(driver, "one.kem", kem)
        wait(driver, "tavrinTest.idle() && tavrinTest.state().puzzleSeries")
        ActionChains(driver).send_keys("0").perform()
        wait(driver, "tavrinTest.idle()")
        click_cell(driver, 2)
        seen = answer_boxes(driver, "tavrinTest.idle() && !tavrinTest.state().puzzleSeries")
        check("cleared: the name prompt", [("input", 'あなたは"one"での1位になりました。\n名前を入力してください。')],
              [box for box in seen if box[0] == "input"])
        check("cleared: the table", True, any(kind == "scores" and f"1: {NAME}  0" in text for kind, text in seen))

        driver.refresh()
        wait(driver, "window.tavrinTest && tavrinTest.idle() && tavrinTest.state().freeGameActive")
        drop_file(driver, "one.kem", kem)
        wait(driver, "tavrinTest.idle() && tavrinTest.state().puzzleSeries")
        driver.find_element(By.CSS_SELECTOR, ".tool[data-command='5']").click()
        wait(driver, "document.getElementById('box').open")
        check("cleared: the place kept", True, f"1: {NAME}  0" in text_of(driver, "box-text"))
        driver.find_element(By.CSS_SELECTOR, "#box-buttons button").click()
    finally:
        driver.quit()


def case_register(url, profile):
    """Served by tavrin-scores under /play/: a free-game high score registered
    from the high-score window appears on the server's ranking."""
    servers = [a for a in sys.argv[3:] if a.endswith("tavrin-scores")]
    if not servers:
        raise AssertionError("register needs the path of tavrin-scores after the case name")
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scoreserver", "e2e"))
    import support
    server = servers[0]
    database = os.path.join(profile, "scores.sqlite")
    with support.score_server(server, database, ["--site", SITE]) as (base, _):
        driver = browser(os.path.join(profile, "browser"))
        try:
            start_page(driver, base + "/play/", "seed=8&lang=ja")
            driver.execute_script("tavrinTest.newGame([[0, 0], [1, 1], [2, 2]])")
            wait(driver, "tavrinTest.idle()")
            game = driver.current_window_handle
            for cell in range(63):
                play_move(driver, {"place": cell, "piece": 10})
            driver.execute_script("tavrinTest.offer(10)")
            wait(driver, "tavrinTest.idle()")
            click_cell(driver, 63)
            answer_boxes(driver, "false", keep="scores")
            buttons = driver.find_elements(By.CSS_SELECTOR, "#box-buttons button")
            register = [b for b in buttons if b.text == "ハイスコア登録"]
            check("register: the button", 1, len(register))
            register[0].click()
            wait(driver, "true")
            end = time.time() + 20
            while len(driver.window_handles) < 2 and time.time() < end:
                time.sleep(0.05)
            driver.switch_to.window([h for h in driver.window_handles if h != game][0])
            wait(driver, "document.readyState === 'complete' && document.body && document.body.innerText.length > 0")
            check("register: the server's answer", True,
                  "登録しました" in driver.execute_script("return document.body.innerText"))
            status, body = support.get(base + "/ranking/3.json")
            entries = json.loads(body)["entries"]
            check("register: on the ranking", [(NAME, 6101)],
                  [(e["name"], e["score"]) for e in entries])
        finally:
            driver.quit()


def case_ranked(url, profile):
    """Served by tavrin-scores under /play/: a real finished game, played in
    the page from its seed, is registered with its record and ranked as
    verified; the same game from the desktop's code gives the same record."""
    servers = [a for a in sys.argv[3:] if a.endswith("tavrin-scores")]
    if not servers:
        raise AssertionError("ranked needs the path of tavrin-scores after the case name")
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scoreserver", "e2e"))
    import support
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "records", "finished.txt")) as f:
        score, kinds, seed, text = next(line.split() for line in f if line.strip() and not line.startswith("#"))
    moves = bytes.fromhex(text)[20:-4]
    database = os.path.join(profile, "scores.sqlite")
    with support.score_server(servers[0], database, ["--site", SITE]) as (base, _):
        driver = browser(os.path.join(profile, "browser"))
        try:
            start_page(driver, base + "/play/", "seed=8&lang=ja")
            check("ranked: the record's kinds", "3", kinds)
            driver.execute_script(f"tavrinTest.seededGame('{seed}')")
            for move in moves[:-1]:
                play_move(driver, {"discard": True} if move == 64 else {"place": move})
            click_cell(driver, moves[-1])
            answer_boxes(driver, "false", keep="scores")
            ranking = [b for b in driver.find_elements(By.CSS_SELECTOR, "#box-buttons button") if b.text == "ランキングに登録"]
            check("ranked: the button", 1, len(ranking))
            ranking[0].click()
            wait(driver, "document.getElementById('box').dataset.ranked === 'yes'")
            check("ranked: the server's answer", True, "ランキングに登録しました" in text_of(driver, "box-text"))
            status, body = support.get(base + "/ranking/3.json")
            check("ranked: verified on the ranking", [(NAME, int(score))],
                  [(e["name"], e["score"]) for e in json.loads(body)["verified"]])
        finally:
            driver.quit()


CASES = {"replay": case_replay, "render": case_render, "reload": case_reload, "phone": case_phone,
         "storage": case_storage, "series": case_series,
         "keys": case_keys, "cleared": case_cleared,
         "register": case_register, "ranked": case_ranked}


def main():
    server, url = serve(SITE)
    try:
        names = [a for a in sys.argv[3:] if a in CASES] or [n for n in CASES if n not in ("register", "ranked")]
        for name in names:
            print(f"case {name}", flush=True)
            with tempfile.TemporaryDirectory() as profile:
                CASES[name](url, profile)
    finally:
        server.shutdown()
    if failures:
        print(f"{len(failures)} failure(s)")
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
