// The page around the game: menus, toolbar, score frames, canvases, boxes,
// sound and storage. The game itself runs in tavrin.wasm; this script only
// shows what it is told and hands every event over, one at a time.
'use strict';

(function () {
  const $ = (id) => document.getElementById(id);
  const params = new URLSearchParams(location.search);
  const STORE = 'Tavrin for Windows/';
  const LANGUAGE_KEY = STORE + 'Options/Language';

  // Command numbers (game/window.h).
  const C = {
    NewGame: 0, Open: 1, HighScores: 5, ClearHighScores: 6, Exit: 8,
    SoundOn: 14, SoundOff: 15, EcoMode: 16, FullConnection: 17, BigLoop: 18,
    HelpTopics: 23, About: 24, Hint: 33, FreshSeries: 34, DailySeries: 35,
  };
  // What the page offers of the desktop's menus: the editor and the eco
  // themes stay on the desktop.
  const MENUS = [
    [C.NewGame, C.Open, C.HighScores, C.ClearHighScores, C.Hint, C.FreshSeries, C.DailySeries, C.Exit],
    [],
    [C.SoundOn, C.SoundOff, C.EcoMode, C.FullConnection, C.BigLoop],
    [C.HelpTopics, C.About],
  ];
  const TOOLBAR = [C.NewGame, C.Open, C.EcoMode, C.FullConnection, C.BigLoop, C.HighScores, C.HelpTopics, C.Hint];
  const SHORTCUTS = { F1: C.HelpTopics, F2: C.NewGame, F3: C.Hint };

  const commands = [];
  const menuEnabled = [true, true, true, true];
  let texts = {};
  let english = false;

  // --- one event at a time -------------------------------------------------------
  // A box suspends the game until it is answered; whatever arrives meanwhile
  // waits here, as behind a modal box on the desktop. Repeated timer ticks and
  // hover moves are kept once.
  const queue = [];
  let running = false;
  let ready = false;

  function post(key, fn) {
    if (key !== null && queue.some((e) => e.key === key)) return;
    queue.push({ key, fn });
    pump();
  }

  async function pump() {
    if (running || !ready) return;
    running = true;
    try {
      while (queue.length > 0) {
        const event = queue.shift();
        try {
          await event.fn();
        } catch (error) {
          console.error(error);
        }
      }
    } finally {
      running = false;
    }
  }

  function call(name, ...args) {
    return Module.ccall(name, null, args.map(() => 'number'), args, { async: true });
  }

  // --- timers ----------------------------------------------------------------------
  const intervals = [null, null, null, null];
  function setTimer(timer, interval) {
    if (intervals[timer] !== null) clearInterval(intervals[timer]);
    intervals[timer] = null;
    if (interval >= 0) {
      intervals[timer] = setInterval(() => post('timer' + timer, () => call('tavrin_timer', timer)), Math.max(interval, 1));
    }
  }

  // --- texts and switches -------------------------------------------------------------
  function plainCaption(caption) {
    return caption.replace(/\(&(.)\)/, '($1)').replace(/&(.)/, '$1');
  }

  function setText(slot, index, text) {
    switch (slot) {
      case 0: $('status').textContent = text; break;
      case 1: $('caption').textContent = text; document.title = text; break;
      case 2: $('loop-length').textContent = text; break;
      case 3: $('score' + index).textContent = text; break;
      case 4: document.querySelector('.frame[data-label="' + index + '"] .frame-caption').textContent = text; break;
      case 5: $('spinner-label').textContent = text; break;
      case 6: $('comment').textContent = text; break;
    }
  }

  let trashCount = 0;
  let spinnerMax = 0;
  function setFlag(slot, index, value) {
    switch (slot) {
      case 0: document.querySelector('.frame[data-label="' + index + '"]').hidden = !value; break;
      case 1:
        trashCount = value;
        $('trash').classList.toggle('full', value > 0);
        $('trash-count').textContent = value > 0 ? String(value) : '';
        break;
      case 2:
        if (index === 0) $('freegame').hidden = !value;
        if (index === 1) $('palettebox').hidden = !value;
        break;
      case 3: $('spinner').hidden = !value; break;
      case 4: spinnerMax = index; $('spinner-value').textContent = value + ' / ' + spinnerMax; break;
      case 5: menuEnabled[index] = !!value; refreshMenus(); break;
      case 6: showHint(value); break;
      case 7: $('comment').hidden = !value; break;
    }
  }

  function setCommand(command, enabled, checked, visible, caption, toolTip) {
    commands[command] = { enabled: !!enabled, checked: !!checked, visible: !!visible, caption, toolTip };
    refreshCommand(command);
  }

  // --- menus and toolbar -------------------------------------------------------------
  const menuItems = {};
  const toolButtons = {};
  let openMenu = null;

  function buildMenus() {
    const bar = $('menubar');
    MENUS.forEach((list, m) => {
      if (list.length === 0) return;
      const wrap = document.createElement('div');
      wrap.className = 'menu';
      const head = document.createElement('button');
      head.type = 'button';
      head.className = 'menu-head';
      head.dataset.menu = String(m);
      head.setAttribute('aria-haspopup', 'true');
      const drop = document.createElement('div');
      drop.className = 'menu-drop';
      drop.hidden = true;
      drop.setAttribute('role', 'menu');
      list.forEach((command) => {
        const item = document.createElement('button');
        item.type = 'button';
        item.className = 'menu-item';
        item.dataset.command = String(command);
        item.setAttribute('role', 'menuitem');
        item.addEventListener('click', () => { closeMenus(); runCommand(command, 0); });
        drop.appendChild(item);
        menuItems[command] = item;
      });
      if (m === 2) {
        const language = document.createElement('button');
        language.type = 'button';
        language.className = 'menu-item';
        language.id = 'language';
        language.setAttribute('role', 'menuitem');
        language.addEventListener('click', () => { closeMenus(); chooseLanguage(!english); });
        drop.appendChild(language);
      }
      head.addEventListener('click', (e) => {
        e.stopPropagation();
        const wasOpen = openMenu === drop;
        closeMenus();
        if (!wasOpen) { drop.hidden = false; openMenu = drop; const first = drop.querySelector('button:not([disabled])'); if (first) first.focus(); }
      });
      wrap.appendChild(head);
      wrap.appendChild(drop);
      bar.appendChild(wrap);
    });
    document.addEventListener('click', closeMenus);
    TOOLBAR.forEach((command) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.className = 'tool';
      b.dataset.command = String(command);
      b.addEventListener('click', () => runCommand(command, 1));
      $('toolbar').appendChild(b);
      toolButtons[command] = b;
    });
  }

  function closeMenus() {
    document.querySelectorAll('.menu-drop').forEach((d) => { d.hidden = true; });
    openMenu = null;
  }

  const initialCaptions = {};
  function refreshCommand(command) {
    const c = commands[command];
    if (!c) return;
    if (initialCaptions[command] === undefined) initialCaptions[command] = c.caption;
    const menuOf = MENUS.findIndex((l) => l.includes(command));
    const on = c.enabled && (menuOf < 0 || menuEnabled[menuOf]);
    const item = menuItems[command];
    if (item) {
      const shortcut = Object.keys(SHORTCUTS).find((k) => SHORTCUTS[k] === command);
      item.textContent = (c.checked ? '✓ ' : '') + plainCaption(c.caption) + (shortcut ? '\u2003' + shortcut : '');
      item.disabled = !on;
      item.setAttribute('aria-checked', c.checked ? 'true' : 'false');
      // The exit item only ends a series here: a page is closed by its tab.
      item.hidden = !c.visible || (command === C.Exit && c.caption === initialCaptions[command]);
    }
    const button = toolButtons[command];
    if (button) {
      button.textContent = c.toolTip || plainCaption(c.caption);
      button.title = c.toolTip;
      button.disabled = !on;
      button.classList.toggle('checked', c.checked);
      button.setAttribute('aria-pressed', c.checked ? 'true' : 'false');
      button.hidden = !c.visible;
    }
  }

  function refreshMenus() {
    document.querySelectorAll('.menu-head').forEach((head) => {
      const m = Number(head.dataset.menu);
      head.textContent = plainCaption(texts['menu' + m] || '');
      head.disabled = !menuEnabled[m];
    });
    commands.forEach((_, i) => refreshCommand(i));
  }

  function runCommand(command, fromToolbar) {
    unlockAudio();
    post(null, () => call('tavrin_command', command, fromToolbar));
  }

  // --- the board -----------------------------------------------------------------------
  const board = $('board');
  const boardContext = board.getContext('2d');
  const offered = $('offered');
  let cursorCell = 27;
  let cursorShown = false;

  function cellAt(event) {
    const r = board.getBoundingClientRect();
    const x = Math.floor(((event.clientX - r.left) / r.width) * 8);
    const y = Math.floor(((event.clientY - r.top) / r.height) * 8);
    if (x < 0 || x > 7 || y < 0 || y > 7) return -1;
    return y * 8 + x;
  }

  function cellClicked(cell) {
    unlockAudio();
    if (cell >= 0) post(null, () => call('tavrin_cell', cell).then(moveHandled));
  }

  function hovered(cell) {
    if (cell >= 0) post('hover', () => call('tavrin_hover', cell));
  }

  function placeMark(element, cell) {
    element.style.left = (cell % 8) * 12.5 + '%';
    element.style.top = Math.floor(cell / 8) * 12.5 + '%';
  }

  function showHint(cell) {
    $('hint').hidden = cell < 0;
    if (cell >= 0) placeMark($('hint'), cell);
  }

  function showCursor() {
    $('cursor').hidden = !cursorShown;
    placeMark($('cursor'), cursorCell);
  }

  let touched = false;
  board.addEventListener('pointerdown', (e) => {
    if (e.pointerType !== 'mouse') {
      // On touch the loop-length label follows the last touched cell.
      touched = true;
      hovered(cellAt(e));
    }
  });
  board.addEventListener('pointerup', (e) => {
    if (e.button !== 0 && e.pointerType === 'mouse') return;
    const cell = cellAt(e);
    cursorShown = false;
    if (cell >= 0) cursorCell = cell;
    showCursor();
    board.focus({ preventScroll: true });
    cellClicked(cell);
  });
  board.addEventListener('pointermove', (e) => {
    if (e.pointerType !== 'mouse') return;
    const cell = cellAt(e);
    if (cursorShown) { cursorShown = false; showCursor(); }
    if (cell >= 0) { cursorCell = cell; hovered(cell); }
  });
  board.addEventListener('contextmenu', (e) => e.preventDefault());

  $('trash').addEventListener('click', () => {
    unlockAudio();
    post(null, () => call('tavrin_trash').then(moveHandled));
  });

  // What the labels showed as a move was taken, before its timers ran.
  let lastMove = null;
  function moveHandled() {
    lastMove = {
      accepted: intervals[0] !== null || intervals[1] !== null,
      labels: [0, 1, 2, 3].map((i) => $('score' + i).textContent),
    };
  }

  // The tiles the wasm side composed: rows of 0xAARRGGBB (bytes B, G, R, A).
  function present(surface, index, heap, at, stride, x, y, width, height) {
    const context = surface === 0 ? boardContext : surface === 1 ? offered.getContext('2d') : paletteContext(index);
    if (!context || width <= 0 || height <= 0) return;
    const image = context.createImageData(width, height);
    const out = image.data;
    for (let row = 0; row < height; ++row) {
      let from = at + ((y + row) * stride + x) * 4;
      let to = row * width * 4;
      for (let col = 0; col < width; ++col, from += 4, to += 4) {
        out[to] = heap[from + 2];
        out[to + 1] = heap[from + 1];
        out[to + 2] = heap[from];
        out[to + 3] = 255;
      }
    }
    context.putImageData(image, surface === 0 ? x : 0, surface === 0 ? y : 0);
    if (surface === 0 && !boardShown) firstBoard();
  }

  // The first board on screen: marked for the browser's performance tools,
  // and the time to fetch what the first frame did not need.
  let boardShown = false;
  function firstBoard() {
    boardShown = true;
    requestAnimationFrame(() => {
      performance.mark('tavrin-board');
      TavrinOffline.start();
    });
  }

  const paletteCanvases = [];
  function paletteContext(entry) {
    if (!paletteCanvases[entry]) {
      const c = document.createElement('canvas');
      c.width = 32;
      c.height = 32;
      c.className = 'palette-entry';
      c.addEventListener('pointerup', (e) => {
        const shift = (e.shiftKey ? 1 : 0) + (e.ctrlKey ? 2 : 0) + (e.altKey ? 4 : 0);
        post(null, () => call('tavrin_palette', entry, shift));
      });
      $('palette').appendChild(c);
      paletteCanvases[entry] = c;
    }
    return paletteCanvases[entry].getContext('2d');
  }

  // --- keyboard ------------------------------------------------------------------------
  document.addEventListener('keydown', (e) => {
    if ($('box').open) return;
    if (SHORTCUTS[e.key] !== undefined && !e.ctrlKey && !e.altKey) {
      e.preventDefault();
      runCommand(SHORTCUTS[e.key], 0);
      return;
    }
    if (e.key === 'Escape') { closeMenus(); return; }
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    if (openMenu !== null || (document.activeElement && document.activeElement.closest('#menubar, #toolbar'))) return;
    const moves = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
    if (moves[e.key]) {
      e.preventDefault();
      if (cursorShown) {
        const [dx, dy] = moves[e.key];
        const x = Math.min(7, Math.max(0, (cursorCell % 8) + dx));
        const y = Math.min(7, Math.max(0, Math.floor(cursorCell / 8) + dy));
        cursorCell = y * 8 + x;
      }
      cursorShown = true;
      showCursor();
      hovered(cursorCell);
    } else if (e.key === ' ' || e.key === 'Enter') {
      e.preventDefault();
      if (cursorShown) cellClicked(cursorCell);
      cursorShown = true;
      showCursor();
    } else if (e.key === 'Delete' || e.key === 'Backspace') {
      e.preventDefault();
      unlockAudio();
      post(null, () => call('tavrin_trash').then(moveHandled));
    } else {
      const entry = '0123456789'.indexOf(e.key);
      const extra = { '-': 10, '=': 11, '^': 11 }[e.key];
      const pick = entry >= 0 ? entry : extra;
      if (pick !== undefined && !$('palettebox').hidden) post(null, () => call('tavrin_palette', pick, 0));
    }
  });

  // --- boxes ---------------------------------------------------------------------------
  // Our own modal box: Enter answers with the first button, Escape with the last.
  function ask(text, buttons, input) {
    return new Promise((resolve) => {
      const box = $('box');
      $('box-text').textContent = text;
      const field = $('box-input');
      field.hidden = input === null;
      field.value = input === null ? '' : input;
      const row = $('box-buttons');
      row.textContent = '';
      let answered = false;
      const finish = (value) => {
        if (answered) return;
        answered = true;
        box.close();
        resolve(value);
      };
      buttons.forEach(([label, value], i) => {
        const b = document.createElement('button');
        b.type = 'button';
        b.textContent = label;
        b.value = String(i);
        b.addEventListener('click', () => finish(typeof value === 'function' ? value() : value));
        row.appendChild(b);
      });
      box.oncancel = (e) => { e.preventDefault(); const last = buttons[buttons.length - 1][1]; finish(typeof last === 'function' ? last() : last); };
      box.onkeydown = (e) => {
        if (e.key === 'Enter' && (input === null || e.target === field)) {
          e.preventDefault();
          const first = buttons[0][1];
          finish(typeof first === 'function' ? first() : first);
        }
      };
      box.showModal();
      (input === null ? row.firstChild : field).focus();
    });
  }

  function messageBox(text, title, yesNo, icon) {
    const buttons = yesNo ? [[texts.yes, 1], [texts.no, 0]] : [[texts.ok, 0]];
    $('box').dataset.icon = String(icon);
    $('box').dataset.kind = 'message';
    $('box').setAttribute('aria-label', title || document.title);
    return ask(text, buttons, null);
  }

  function inputBox(prompt, title, defaultText) {
    $('box').dataset.icon = '0';
    $('box').dataset.kind = 'input';
    $('box').setAttribute('aria-label', title || document.title);
    return ask(prompt, [[texts.ok, () => $('box-input').value], [texts.cancel, null]], defaultText);
  }

  // As on the desktop: OK closes (and counts as OK), ハイスコア登録 and コピー
  // do their part and leave the window open; Escape closes it as its close
  // box does.
  function highScores(view) {
    const lines = view.rows.map((r, i) => (i === view.highlighted ? '▶ ' : '') + r[0] + '  ' + r[1]);
    $('box').dataset.icon = 'scores';
    $('box').dataset.kind = 'scores';
    const answer = ask(view.caption + '\n\n' + lines.join('\n'), [[texts.ok, 1], ['', 0]], null);
    const row = $('box-buttons');
    row.lastChild.hidden = true;
    const extra = (label, action, enabled) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = label;
      b.disabled = !enabled;
      b.addEventListener('click', action);
      row.insertBefore(b, row.lastChild);
    };
    // Served by tavrin-scores (under /play/): the entry just made can be
    // registered at once, posted as the registration page posts it.
    if (view.register && /^\/play\//.test(location.pathname)) extra(view.register.button, () => register(view.register), true);
    extra(view.copyText || 'Copy', () => clipboard(view.clipboard), view.copy);
    return answer;
  }

  function register(entry) {
    const form = document.createElement('form');
    form.method = 'POST';
    form.action = entry.action;
    form.acceptCharset = 'Shift_JIS';
    form.target = '_blank';
    entry.fields.forEach(([name, value]) => {
      const input = document.createElement('input');
      input.type = 'hidden';
      input.name = name;
      input.value = value;
      form.appendChild(input);
    });
    document.body.appendChild(form);
    form.submit();
    form.remove();
  }

  function clipboard(text) {
    if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
  }

  // --- the page's own dialogs ------------------------------------------------------------
  // The bundled files from the easiest up, as list.json has them.
  async function openDialog() {
    let names = [];
    try {
      names = await (await fetch('mondai/list.json')).json();
      if (!Array.isArray(names)) names = [];
    } catch (e) {
      names = [];
    }
    const buttons = names.filter((name) => typeof name === 'string')
      .map((name) => [name.replace(/\.kem$/i, ''), 'mondai/' + name]);
    buttons.push([texts.openDevice, 'device']);
    buttons.push([texts.cancel, null]);
    $('box').dataset.kind = 'open';
    const chosen = await ask(texts.openTitle + '\n' + texts.drop, buttons, null);
    if (chosen === 'device') {
      $('file-picker').click();
    } else if (chosen) {
      try {
        const answer = await fetch(encodeURI(chosen));
        if (!answer.ok) throw new Error(chosen + ': ' + answer.status);
        openBytes(chosen, new Uint8Array(await answer.arrayBuffer()));
      } catch (e) {
        $('box').dataset.kind = 'message';
        await ask(texts.fetchFailed, [[texts.ok, 0]], null);
      }
    }
  }

  function openBytes(name, bytes) {
    post(null, async () => {
      const size = Math.max(bytes.length, 1);
      const at = _malloc(size);
      HEAPU8.set(bytes, at);
      const nameSize = lengthBytesUTF8(name) + 1;
      const nameAt = _malloc(nameSize);
      stringToUTF8(name, nameAt, nameSize);
      try {
        await call('tavrin_open_file', nameAt, at, bytes.length);
      } finally {
        _free(at);
        _free(nameAt);
      }
    });
  }

  function openFile(file) {
    file.arrayBuffer().then((buffer) => openBytes(file.name, new Uint8Array(buffer)));
  }

  $('file-picker').addEventListener('change', () => {
    const file = $('file-picker').files[0];
    if (file) openFile(file);
    $('file-picker').value = '';
  });
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    const file = e.dataTransfer && e.dataTransfer.files[0];
    if (file) openFile(file);
  });

  function help() {
    const folder = english ? 'help/en/' : 'help/';
    const frame = document.createElement('iframe');
    frame.src = folder + 'index.html';
    frame.title = texts.help;
    const box = $('box');
    box.dataset.kind = 'help';
    ask(texts.desktopOnly, [[texts.close, 0]], null);
    $('box-text').after(frame);
    const tidy = () => { frame.remove(); box.removeEventListener('close', tidy); };
    box.addEventListener('close', tidy);
  }

  function platformCommand(command) {
    if (command === C.Open) openDialog();
    else if (command === C.HelpTopics) help();
    else if (command === C.About) ($('box').dataset.kind = 'about', ask(document.title + '\n\n' + texts.desktopOnly, [[texts.ok, 0]], null));
  }

  function notice(text) {
    $('notice').textContent = text;
    $('notice').hidden = false;
  }

  function storageSet(key, value) {
    try {
      window.localStorage.setItem(key, value);
      return true;
    } catch (e) {
      return false;
    }
  }

  // --- sound and music ---------------------------------------------------------------------
  // The game's devices, played by audio.js: nothing is fetched or played
  // before the player first touches the page.
  const devices = [];

  function firstTouch() {
    TavrinAudio.gesture();
    TavrinOffline.touched();
    wantPicture(GOAL_PICTURE);
  }
  document.addEventListener('pointerdown', firstTouch, { capture: true, once: true });
  document.addEventListener('keydown', firstTouch, { capture: true, once: true });
  const unlockAudio = firstTouch;

  function media(device, action, from, to, file) {
    const d = devices[device];
    switch (action) {
      case 0: {
        const music = from === 1;
        devices[device] = { music, url: music ? 'music/' + file.replace(/\.mid$/i, '.ogg') : 'sounds/' + file };
        if (!music) TavrinAudio.prepare(devices[device].url);
        break;
      }
      case 1: if (d && d.music) TavrinAudio.stopMusic(d.url); devices[device] = null; break;
      case 2:
        if (!d) break;
        if (d.music) TavrinAudio.startMusic(d.url, from); else TavrinAudio.playSound(d.url);
        break;
      case 3: if (d) TavrinAudio.playSound(d.url); break;
      case 4: if (d && d.music) TavrinAudio.stopMusic(d.url); break;
      case 5: if (d && d.music) TavrinAudio.seekMusic(d.url, from); break;
    }
  }

  function mediaQuery(device, what) {
    const d = devices[device];
    if (!d) return what === 2 ? 2 : 0;
    switch (what) {
      case 0: return TavrinAudio.length(d.url);
      case 1: return d.music ? TavrinAudio.musicPosition(d.url) : 0;
      case 2: return d.music && TavrinAudio.musicPlaying(d.url) ? 1 : 0;
      case 3: return TavrinAudio.failed(d.url) ? 0 : 1;
    }
    return 0;
  }

  // --- language -----------------------------------------------------------------------------
  function storedLanguage() {
    try {
      return window.localStorage.getItem(LANGUAGE_KEY);
    } catch (e) {
      return null;
    }
  }

  function readPageTexts() {
    texts = JSON.parse(Module.ccall('tavrin_page_texts', 'string', [], []));
    document.documentElement.lang = english ? 'en' : 'ja';
    const language = $('language');
    if (language) language.textContent = texts.language;
    $('trash').setAttribute('aria-label', texts.trash);
    refreshMenus();
  }

  function chooseLanguage(toEnglish) {
    english = toEnglish;
    storageSet(LANGUAGE_KEY, english ? 'en' : 'ja');
    post(null, async () => {
      await call('tavrin_language', english ? 1 : 0);
      readPageTexts();
    });
  }

  // --- start ---------------------------------------------------------------------------------
  function seed() {
    const fixed = params.get('seed');
    if (fixed !== null && /^\d+$/.test(fixed)) {
      const n = BigInt(fixed);
      return [Number((n >> 32n) & 0xffffffffn), Number(n & 0xffffffffn)];
    }
    const words = new Uint32Array(2);
    crypto.getRandomValues(words);
    return [words[0], words[1]];
  }

  // The bundled pictures, decoded by the browser. The first frame's three are
  // fetched while the script and the wasm load; the goal background when the
  // board first needs it or the player first touches the page.
  const PICTURES = ['hyperroad.webp', 'background_normal.webp', 'background_goal.webp', 'items.webp'];
  const GOAL_PICTURE = 2;
  const MAX_PICTURE_SIDE = 2048;
  const pictureLoads = [];

  function loadPicture(kind) {
    if (!pictureLoads[kind]) {
      pictureLoads[kind] = fetch('pictures/' + PICTURES[kind])
        .then((r) => (r.ok ? r.blob() : Promise.reject(new Error(PICTURES[kind]))))
        .then((blob) => createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' }))
        .then((bitmap) => {
          // (The game checks each picture's size; this only keeps a broken file from costing memory.)
          if (bitmap.width > MAX_PICTURE_SIDE || bitmap.height > MAX_PICTURE_SIDE) throw new Error(PICTURES[kind]);
          const canvas = document.createElement('canvas');
          canvas.width = bitmap.width;
          canvas.height = bitmap.height;
          const context = canvas.getContext('2d', { willReadFrequently: true });
          context.drawImage(bitmap, 0, 0);
          bitmap.close();
          return context.getImageData(0, 0, canvas.width, canvas.height);
        })
        .catch(() => null); // the game keeps its plain drawn picture
    }
    return pictureLoads[kind];
  }
  [0, 1, 3].forEach(loadPicture);

  function handPicture(kind, image) {
    if (image === null) return;
    const at = _malloc(Math.max(image.data.length, 1));
    HEAPU8.set(image.data, at);
    Module.ccall('tavrin_picture', 'number', ['number', 'number', 'number', 'number'],
      [kind, at, image.width, image.height]);
    _free(at);
  }

  function wantPicture(kind) {
    if (pictureLoads[kind]) return;
    loadPicture(kind).then((image) => post(null, () => handPicture(kind, image)));
  }

  async function started() {
    const first = [0, 1, 3];
    (await Promise.all(first.map(loadPicture))).forEach((image, i) => handPicture(first[i], image));
    const stored = storedLanguage();
    english = stored === 'en' || (stored !== 'ja' && !/^ja\b/i.test(navigator.language || ''));
    if (params.get('lang') === 'en' || params.get('lang') === 'ja') english = params.get('lang') === 'en';
    const [high, low] = seed();
    Module.ccall('tavrin_start', null, ['number', 'number', 'number'], [high, low, english ? 1 : 0]);
    readPageTexts();
    ready = true;
    pump();
    document.body.classList.add('ready');
  }

  // The free game is written whenever the tab is hidden or closed.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden' && ready && !running) Module.ccall('tavrin_save_now', null, [], []);
  });

  window.Module = {
    page: {
      setText, setFlag, setCommand, setTimer, present, messageBox, inputBox, highScores,
      platformCommand, media, mediaQuery, storageSet, clipboard, notice, wantPicture,
    },
    onRuntimeInitialized: started,
  };

  // The page around the board is built and fitted to the window while the
  // wasm and the pictures load.
  buildMenus();
  TavrinLayout.start();

  // @hooks
})();
