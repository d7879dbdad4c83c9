// The page around the game: menus, toolbar, score frames, canvases, sound
// and storage. The game itself runs in tavrin.wasm (emscripten's runtime for
// it follows this script in page.js); this script only shows
// what it is told and hands every event over. Every number it uses
// (commands, menus, toolbar, shortcuts, surfaces, sounds) comes from the
// game's own tables (TavrinTables, made from the game's C++ at build time).
'use strict';

(function () {
  // The wasm compiles (on the browser's own threads) while the page is built
  // around it; the runtime at the end of this script takes the result. (A
  // browser that cannot compile as the bytes arrive compiles them once all
  // have.)
  const wasm = fetch('tavrin.wasm', { credentials: 'same-origin' });
  const compiled = typeof WebAssembly.compileStreaming === 'function'
    ? WebAssembly.compileStreaming(wasm)
    : wasm.then((response) => response.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes));

  const $ = (id) => document.getElementById(id);
  const params = new URLSearchParams(location.search);
  const STORE = 'Tavrin for Windows/';
  const LANGUAGE_KEY = STORE + 'Options/Language';

  const tables = window.TavrinTables;
  const commands = [];
  let menuEnabled = [true, false, true, true];
  let texts = {};
  let english = false;
  let ready = false;

  function call(name, ...args) {
    return Module.ccall(name, 'number', args.map((a) => (typeof a === 'string' ? 'string' : 'number')), args);
  }

  // --- the one timer --------------------------------------------------------------
  let waking = null;
  function wake(delay) {
    if (waking !== null) clearTimeout(waking);
    waking = null;
    if (delay >= 0) {
      waking = setTimeout(() => { waking = null; call('tavrin_tick'); }, delay);
    }
  }

  // --- what changed on screen -------------------------------------------------------
  function plainCaption(caption) {
    return caption.replace(/\(&(.)\)/, '($1)').replace(/&(.)/, '$1');
  }

  function show(changes) {
    if ('status' in changes) $('status').textContent = changes.status;
    if ('caption' in changes) { $('caption').textContent = changes.caption; document.title = changes.caption; }
    // (Where the menus change too, every command is shown again once, below.)
    if ('commands' in changes) {
      changes.commands.forEach(([command, enabled, checked, visible, caption, toolTip]) => {
        commands[command] = { enabled, checked, visible, caption, toolTip };
        if (!('menus' in changes)) refreshCommand(command);
      });
    }
    if ('menus' in changes) { menuEnabled = changes.menus; refreshMenus(); }
    if ('frames' in changes) {
      changes.frames.forEach(([caption, value, visible], i) => {
        const frame = document.querySelector('.frame[data-label="' + i + '"]');
        frame.querySelector('.frame-caption').textContent = caption;
        $('score' + i).textContent = value;
        frame.hidden = !visible;
      });
    }
    if ('trash' in changes) {
      $('trash').classList.toggle('full', changes.trash > 0);
      $('trash-count').textContent = changes.trash > 0 ? String(changes.trash) : '';
    }
    if ('loopLength' in changes) $('loop-length').textContent = changes.loopLength;
    if ('comment' in changes) { $('comment').textContent = changes.comment[0]; $('comment').hidden = !changes.comment[1]; }
    if ('spinner' in changes) {
      const [maximum, value, visible, label] = changes.spinner;
      $('spinner-value').textContent = value + ' / ' + maximum;
      $('spinner-label').textContent = label;
      $('spinner').hidden = !visible;
    }
    if ('panels' in changes) {
      $('freegame').hidden = !changes.panels.freeGame;
      $('palettebox').hidden = !changes.panels.palette;
    }
    if ('palette' in changes) showPalette(changes.palette);
    if ('hint' in changes) showHint(changes.hint);
    if ('cursor' in changes) showCursor(changes.cursor[0], changes.cursor[1]);
  }

  // --- menus and toolbar -------------------------------------------------------------
  const menuItems = {};
  const toolButtons = {};
  let openMenu = null;

  function buildMenu(list, m) {
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
    if (m === tables.language) {
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
    $('menubar').appendChild(wrap);
  }

  function buildMenus() {
    tables.menus.forEach((list, m) => { if (list.length > 0) buildMenu(list, m); });
    document.addEventListener('click', closeMenus);
    tables.toolbar.forEach((command) => {
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

  // Each command's menu (-1: none) and shortcut key.
  const menuOf = [];
  const shortcutOf = [];
  tables.menus.forEach((list, m) => list.forEach((command) => { menuOf[command] = m; }));
  Object.keys(tables.shortcuts).forEach((key) => { shortcutOf[tables.shortcuts[key]] = key; });

  function refreshCommand(command) {
    const c = commands[command];
    if (!c) return;
    const m = menuOf[command] === undefined ? -1 : menuOf[command];
    const on = c.enabled && (m < 0 || menuEnabled[m]);
    const item = menuItems[command];
    if (item) {
      const shortcut = shortcutOf[command];
      item.textContent = (c.checked ? '✓ ' : '') + plainCaption(c.caption) + (shortcut ? '\u2003' + shortcut : '');
      item.disabled = !on;
      item.setAttribute('aria-checked', c.checked ? 'true' : 'false');
      item.hidden = !c.visible;
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

  function refreshMenuHeads() {
    document.querySelectorAll('.menu-head').forEach((head) => {
      const m = Number(head.dataset.menu);
      head.textContent = plainCaption(texts['menu' + m] || '');
      head.disabled = !menuEnabled[m];
    });
  }

  function refreshMenus() {
    refreshMenuHeads();
    commands.forEach((_, i) => refreshCommand(i));
  }

  function runCommand(command, fromToolbar) {
    if (ready) call('tavrin_command', command, fromToolbar);
  }

  // --- the board -----------------------------------------------------------------------
  const board = $('board');
  const boardContext = board.getContext('2d');
  const offered = $('offered');

  function cellAt(event) {
    const r = board.getBoundingClientRect();
    const x = Math.floor(((event.clientX - r.left) / r.width) * 8);
    const y = Math.floor(((event.clientY - r.top) / r.height) * 8);
    if (x < 0 || x > 7 || y < 0 || y > 7) return -1;
    return y * 8 + x;
  }

  function cellClicked(cell) {
    if (ready && cell >= 0) {
      call('tavrin_cell', cell);
      moveHandled();
    }
  }

  function hovered(cell) {
    if (ready && cell >= 0) call('tavrin_hover', cell);
  }

  function placeMark(element, cell) {
    element.style.left = (cell % 8) * 12.5 + '%';
    element.style.top = Math.floor(cell / 8) * 12.5 + '%';
  }

  function showHint(cell) {
    $('hint').hidden = cell < 0;
    if (cell >= 0) placeMark($('hint'), cell);
  }

  function showCursor(cell, shown) {
    $('cursor').hidden = !shown;
    placeMark($('cursor'), cell);
  }

  board.addEventListener('pointerdown', (e) => {
    // On touch the loop-length label follows the last touched cell.
    if (e.pointerType !== 'mouse') hovered(cellAt(e));
  });
  board.addEventListener('pointerup', (e) => {
    if (e.button !== 0 && e.pointerType === 'mouse') return;
    board.focus({ preventScroll: true });
    cellClicked(cellAt(e));
  });
  let lastPointer = null;
  board.addEventListener('pointermove', (e) => {
    if (e.pointerType !== 'mouse') return;
    // Only a pointer that really moved takes over from the keyboard.
    const at = e.clientX + ',' + e.clientY;
    if (at === lastPointer) return;
    lastPointer = at;
    hovered(cellAt(e));
  });
  board.addEventListener('contextmenu', (e) => e.preventDefault());

  $('trash').addEventListener('click', () => {
    if (!ready) return;
    call('tavrin_trash');
    moveHandled();
  });

  // What the labels showed as a move was taken, before its timers ran.
  let lastMove = null;
  function moveHandled() {
    lastMove = {
      accepted: waking !== null,
      labels: [0, 1, 2, 3].map((i) => $('score' + i).textContent),
    };
  }

  // The tiles the wasm side composed, as R, G, B, A bytes: shown from the
  // wasm's memory as they are.
  function present(surface, index, heap, at, x, y, width, height) {
    const s = tables.surfaces;
    const context = surface === s.board ? boardContext : surface === s.panel ? offered.getContext('2d') : paletteContext(index);
    if (!context || width <= 0 || height <= 0) return;
    const image = new ImageData(new Uint8ClampedArray(heap.buffer, at, width * height * 4), width, height);
    context.putImageData(image, surface === s.board ? x : 0, surface === s.board ? y : 0);
    if (surface === s.board && !boardShown) firstBoard();
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

  // --- the palette: eleven pieces and the eraser --------------------------------------
  const paletteEntries = [];
  function paletteEntry(entry) {
    if (!paletteEntries[entry]) {
      const eraser = entry === 11;
      const element = document.createElement(eraser ? 'div' : 'canvas');
      if (!eraser) { element.width = 32; element.height = 32; }
      element.className = 'palette-entry' + (eraser ? ' eraser' : '');
      element.dataset.entry = String(entry);
      element.addEventListener('pointerup', (e) => {
        const shift = (e.shiftKey ? 1 : 0) + (e.ctrlKey ? 2 : 0) + (e.altKey ? 4 : 0);
        if (ready) call('tavrin_palette', entry, shift);
      });
      paletteEntries[entry] = element;
      for (let e = 0; e < paletteEntries.length; ++e) {
        if (paletteEntries[e]) $('palette').appendChild(paletteEntries[e]);
      }
    }
    return paletteEntries[entry];
  }

  function paletteContext(entry) {
    return entry >= 0 && entry < 11 ? paletteEntry(entry).getContext('2d') : null;
  }

  function showPalette(entries) {
    entries.forEach(([selected, enabled, visible], entry) => {
      const element = paletteEntry(entry);
      element.classList.toggle('selected', selected);
      element.classList.toggle('not-offered', !enabled);
      element.hidden = !visible;
    });
  }

  // --- keyboard: what each key means is the game's ---------------------------------------
  document.addEventListener('keydown', (e) => {
    if (!ready || TavrinDialogs.open()) return;
    if (e.key === 'Escape') { closeMenus(); return; }
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    const inMenus = openMenu !== null || (document.activeElement && document.activeElement.closest('#menubar, #toolbar'));
    if (inMenus && !/^F\d+$/.test(e.key)) return;
    if (call('tavrin_key', e.key)) {
      e.preventDefault();
      if (e.key === 'Delete' || e.key === 'Backspace') moveHandled();
    }
  });

  // --- files ---------------------------------------------------------------------------------
  function openBytes(name, bytes) {
    const at = _malloc(Math.max(bytes.length, 1));
    HEAPU8.set(bytes, at);
    try {
      call('tavrin_open_file', name, at, bytes.length);
    } finally {
      _free(at);
    }
  }

  function openFile(file) {
    file.arrayBuffer().then((buffer) => { if (ready) openBytes(file.name, new Uint8Array(buffer)); });
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

  function clipboard(text) {
    if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
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

  // --- sound and music: played by audio.js, nothing before the first touch ---------------
  const soundUrl = (i) => 'sounds/' + tables.sounds[i];
  const musicUrl = (i) => 'music/' + tables.music[i].replace(/\.mid$/i, '.ogg');

  function firstTouch() {
    TavrinAudio.gesture();
    TavrinOffline.touched();
    wantPicture(GOAL_PICTURE);
  }
  document.addEventListener('pointerdown', firstTouch, { capture: true, once: true });
  document.addEventListener('keydown', firstTouch, { capture: true, once: true });
  tables.sounds.forEach((_, i) => TavrinAudio.prepare(soundUrl(i)));

  function sound(index) {
    TavrinAudio.playSound(soundUrl(index));
  }

  // 0 play from the start, 1 stop, 2 repeat, 3 end at the end.
  function music(piece, action) {
    const url = musicUrl(piece);
    if (action === 0) TavrinAudio.startMusic(url, 0);
    else if (action === 1) TavrinAudio.stopMusic(url);
    else TavrinAudio.repeatMusic(url, action === 2);
  }

  // --- language -----------------------------------------------------------------------------
  function storedLanguage() {
    try {
      return window.localStorage.getItem(LANGUAGE_KEY);
    } catch (e) {
      return null;
    }
  }

  // The language the player chose, else the browser's (Japanese, or English
  // for any other); ?lang=ja|en overrides both.
  function startsInEnglish() {
    const asked = params.get('lang');
    if (asked === 'en' || asked === 'ja') return asked === 'en';
    const stored = storedLanguage();
    return stored === 'en' || (stored !== 'ja' && !/^ja\b/i.test(navigator.language || ''));
  }

  function readPageTexts() {
    texts = JSON.parse(Module.ccall('tavrin_page_texts', 'string', [], []));
    document.documentElement.lang = english ? 'en' : 'ja';
    const language = $('language');
    if (language) language.textContent = texts.language;
    $('trash').setAttribute('aria-label', texts.trash);
    refreshMenuHeads();
  }

  function chooseLanguage(toEnglish) {
    english = toEnglish;
    storageSet(LANGUAGE_KEY, english ? 'en' : 'ja');
    call('tavrin_language', english ? 1 : 0);
    readPageTexts();
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

  // The pictures come decoded from their loader (pictures.js, first in page.js).
  const GOAL_PICTURE = 2;
  const loadPicture = (kind) => TavrinPictures.load(kind);
  const pictureLoads = TavrinPictures.loads;

  // Pixels of a picture to the game; none (0): it draws the picture plainly.
  const givePicture = (kind, at, width, height) =>
    Module.ccall('tavrin_picture', 'number', ['number', 'number', 'number', 'number'], [kind, at, width, height]);

  function handPicture(kind, image) {
    if (image === null) {
      givePicture(kind, 0, 0, 0);
      return;
    }
    const at = _malloc(Math.max(image.data.length, 1));
    HEAPU8.set(image.data, at);
    givePicture(kind, at, image.width, image.height);
    _free(at);
  }

  // A picture the board asks for, or the goal background once the player is
  // here: handed over as it comes, once the game has started.
  let gameStarted;
  const gameReady = new Promise((resolve) => { gameStarted = resolve; });
  function wantPicture(kind) {
    if (pictureLoads[kind]) return;
    Promise.all([loadPicture(kind), gameReady]).then(([image]) => handPicture(kind, image));
  }

  async function started() {
    await built;
    const first = [0, 1, 3];
    (await Promise.all(first.map(loadPicture))).forEach((image, i) => handPicture(first[i], image));
    english = startsInEnglish();
    paletteEntry(11);
    ready = true;
    const [high, low] = seed();
    Module.ccall('tavrin_start', null, ['number', 'number', 'number'], [high, low, english ? 1 : 0]);
    readPageTexts();
    // Fitted to the window once everything shows its text, before the first frame.
    TavrinLayout.start();
    gameStarted();
    document.body.classList.add('ready');
  }

  // The game cannot start (a damaged or cut-off tavrin.wasm): the page is
  // shown as it is, with a word why nothing answers.
  function cannotStart(error) {
    console.error('tavrin.wasm:', error);
    document.body.classList.add('ready');
    notice(startsInEnglish()
      ? 'The game could not start. Please reload the page.'
      : 'ゲームを始められませんでした。ページを読み込み直してください。');
  }

  // The free game is written whenever the tab is hidden or closed.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden' && ready) call('tavrin_save_now');
  });

  TavrinDialogs.init({
    call, clipboard, openBytes: (name, bytes) => { if (ready) openBytes(name, bytes); },
    texts: () => texts, english: () => english,
  });
  window.Module = {
    page: {
      show, present, wake, box: TavrinDialogs.gameBox, act: TavrinDialogs.act, sound, music,
      storageSet, clipboard, notice, wantPicture,
    },
    onRuntimeInitialized: started,
  };
  window.Module.instantiateWasm = (imports, done) => {
    compiled.then((module) => WebAssembly.instantiate(module, imports)).then((instance) => done(instance),
      cannotStart);
    return {};
  };

  // The menus are built while the wasm compiles: after a pause, so that the
  // browser first hands it what has arrived.
  const built = new Promise((resolve) => setTimeout(() => {
    buildMenus();
    resolve();
  }, 0));

  // @hooks
})();
