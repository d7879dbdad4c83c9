// The page around the game: menus, toolbar, score frames, canvases, boxes,
// sound and storage. The game itself runs in tavrin.wasm; this script only
// shows what it is told and hands every event over. Every number it uses
// (commands, menus, toolbar, shortcuts, surfaces, sounds) comes from the
// game's own tables (tavrin_tables).
'use strict';

(function () {
  const $ = (id) => document.getElementById(id);
  const params = new URLSearchParams(location.search);
  const STORE = 'Tavrin for Windows/';
  const LANGUAGE_KEY = STORE + 'Options/Language';

  let tables = null;
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
    if ('commands' in changes) {
      changes.commands.forEach(([command, enabled, checked, visible, caption, toolTip]) => {
        commands[command] = { enabled, checked, visible, caption, toolTip };
        refreshCommand(command);
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

  function buildMenus() {
    const bar = $('menubar');
    tables.menus.forEach((list, m) => {
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
      bar.appendChild(wrap);
    });
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

  function menuOf(command) {
    return tables.menus.findIndex((list) => list.includes(command));
  }

  function refreshCommand(command) {
    const c = commands[command];
    if (!c) return;
    const m = menuOf(command);
    const on = c.enabled && (m < 0 || menuEnabled[m]);
    const item = menuItems[command];
    if (item) {
      const shortcut = Object.keys(tables.shortcuts).find((k) => tables.shortcuts[k] === command);
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
    call('tavrin_command', command, fromToolbar);
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
    unlockAudio();
    if (cell >= 0) {
      call('tavrin_cell', cell);
      moveHandled();
    }
  }

  function hovered(cell) {
    if (cell >= 0) call('tavrin_hover', cell);
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

  function discard() {
    unlockAudio();
    call('tavrin_trash');
    moveHandled();
  }
  $('trash').addEventListener('click', discard);

  // What the labels showed as a move was taken, before its timers ran.
  let lastMove = null;
  function moveHandled() {
    lastMove = {
      accepted: waking !== null,
      labels: [0, 1, 2, 3].map((i) => $('score' + i).textContent),
    };
  }

  // The tiles the wasm side composed: rows of 0xAARRGGBB (bytes B, G, R, A).
  function present(surface, index, heap, at, stride, x, y, width, height) {
    const s = tables.surfaces;
    const context = surface === s.board ? boardContext : surface === s.panel ? offered.getContext('2d') : paletteContext(index);
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
    context.putImageData(image, surface === s.board ? x : 0, surface === s.board ? y : 0);
    if (surface === s.board && !firstFrame) firstFrame = performance.now();
  }
  let firstFrame = 0;

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
        call('tavrin_palette', entry, shift);
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

  // Crisp tiles: the canvases grow by whole device pixels per picture pixel.
  function fitBoard() {
    const ratio = window.devicePixelRatio || 1;
    const room = Math.min(document.documentElement.clientWidth - 16, 512);
    const scale = Math.max(1, Math.floor((room * ratio) / 256));
    const css = (256 * scale) / ratio;
    $('boardbox').style.width = css + 'px';
    $('boardbox').style.height = css + 'px';
    offered.style.width = offered.style.height = (32 * scale) / ratio + 'px';
    document.documentElement.style.setProperty('--tile', (32 * scale) / ratio + 'px');
  }
  window.addEventListener('resize', fitBoard);

  // --- keyboard: what each key means is the game's ---------------------------------------
  document.addEventListener('keydown', (e) => {
    if (!ready || $('box').open) return;
    if (e.key === 'Escape') { closeMenus(); return; }
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    const inMenus = openMenu !== null || (document.activeElement && document.activeElement.closest('#menubar, #toolbar'));
    if (inMenus && !/^F\d+$/.test(e.key)) return;
    unlockAudio();
    if (call('tavrin_key', e.key)) {
      e.preventDefault();
      if (e.key === 'Delete' || e.key === 'Backspace') moveHandled();
    }
  });

  // --- boxes ---------------------------------------------------------------------------
  // Our own modal box: Enter answers with the first button, Escape with the
  // last. One at a time: a box asked while another is open waits its turn.
  let boxes = Promise.resolve();
  function ask(text, buttons, input, kind) {
    const shown = boxes.then(() => new Promise((resolve) => {
      const box = $('box');
      box.dataset.kind = kind;
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
      const pick = (value) => (typeof value === 'function' ? value() : value);
      buttons.forEach(([label, value], i) => {
        const b = document.createElement('button');
        b.type = 'button';
        b.textContent = label;
        b.value = String(i);
        b.addEventListener('click', () => finish(pick(value)));
        row.appendChild(b);
      });
      box.oncancel = (e) => { e.preventDefault(); finish(pick(buttons[buttons.length - 1][1])); };
      box.onkeydown = (e) => {
        if (e.key === 'Enter' && (input === null || e.target === field)) {
          e.preventDefault();
          finish(pick(buttons[0][1]));
        }
      };
      box.showModal();
      (input === null ? row.firstChild : field).focus();
    }));
    boxes = shown.catch(() => {});
    return shown;
  }

  // Answers as the game counts them: 0 OK, 1 yes, 2 no, 3 cancelled.
  function box(b) {
    $('box').dataset.icon = b.kind === 'scores' ? 'scores' : String(b.icon);
    $('box').setAttribute('aria-label', b.title || document.title);
    let answered;
    if (b.kind === 'input') {
      answered = ask(b.text, [[texts.ok, () => [0, $('box-input').value]], [texts.cancel, [3, null]]], b.default, 'input');
    } else if (b.kind === 'scores') {
      answered = highScores(b);
    } else {
      const buttons = b.yesNo ? [[texts.yes, [1, null]], [texts.no, [2, null]]] : [[texts.ok, [0, null]]];
      answered = ask(b.text, buttons, null, 'message');
    }
    answered.then(([answer, text]) => call('tavrin_answer', b.id, answer, text));
  }

  function highScores(b) {
    const view = b.scores;
    const lines = view.rows.map((r, i) => (i === view.highlighted ? '▶ ' : '') + r[0] + '  ' + r[1]);
    const buttons = [[texts.ok, [0, null]]];
    if (view.copy) buttons.push([view.copyText || 'Copy', () => { clipboard(view.clipboard); return [3, null]; }]);
    // Served by tavrin-scores (under /play/): the entry just made can be
    // registered at once, posted as the registration page posts it.
    if (b.register && /^\/play\//.test(location.pathname)) {
      buttons.push([b.register.button, () => { register(b.register); return [0, null]; }]);
    }
    buttons.push([texts.close, [3, null]]);
    const note = view.note ? '\n\n' + view.note : '';
    return ask(view.caption + '\n\n' + lines.join('\n') + note, buttons, null, 'scores');
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
  async function openDialog() {
    let names = [];
    try {
      names = await (await fetch('mondai/list.json')).json();
    } catch (e) {
      names = [];
    }
    const buttons = names.map((name) => [name.replace(/\.kem$/i, ''), 'mondai/' + name]);
    buttons.push([texts.openDevice, 'device']);
    buttons.push([texts.cancel, null]);
    const chosen = await ask(texts.openTitle + '\n' + texts.drop, buttons, null, 'open');
    if (chosen === 'device') {
      $('file-picker').click();
    } else if (chosen) {
      const bytes = new Uint8Array(await (await fetch(encodeURI(chosen))).arrayBuffer());
      openBytes(chosen, bytes);
    }
  }

  function openBytes(name, bytes) {
    const size = Math.max(bytes.length, 1);
    const at = _malloc(size);
    HEAPU8.set(bytes, at);
    try {
      call('tavrin_open_file', name, at, bytes.length);
    } finally {
      _free(at);
    }
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
    const shown = ask(texts.desktopOnly, [[texts.close, 0]], null, 'help');
    // The frame goes in once the box is up, and out when it closes.
    requestAnimationFrame(() => {
      $('box-text').after(frame);
      const tidy = () => { frame.remove(); box.removeEventListener('close', tidy); };
      box.addEventListener('close', tidy);
    });
    return shown;
  }

  function act(action) {
    if (action === 'open') openDialog();
    else if (action === 'help') help();
    else if (action === 'about') ask(document.title + '\n\n' + texts.desktopOnly, [[texts.ok, 0]], null, 'about');
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
  // Nothing plays before the player first touches the page; the music then
  // loops without a gap from its decoded buffer.
  let audio = null;
  let unlocked = false;
  const sounds = [];
  const pieces = [];

  function unlockAudio() {
    if (unlocked) return;
    unlocked = true;
    if (audio) audio.resume().then(() => pieces.forEach((p, i) => { if (p && p.wanted) startMusic(i); }));
  }
  document.addEventListener('pointerdown', unlockAudio, { capture: true });
  document.addEventListener('keydown', unlockAudio, { capture: true });

  function audioContext() {
    if (!audio) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return null;
      audio = new Context();
    }
    return audio;
  }

  function load(url, into) {
    const context = audioContext();
    if (!context) return;
    fetch(url)
      .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error(url))))
      .then((data) => context.decodeAudioData(data))
      .then((buffer) => { into.buffer = buffer; if (into.wanted) startMusic(pieces.indexOf(into)); })
      .catch(() => { into.failed = true; });
  }

  function openSounds() {
    tables.sounds.forEach((file, i) => { sounds[i] = { buffer: null }; load('sounds/' + file, sounds[i]); });
    tables.music.forEach((file, i) => {
      pieces[i] = { buffer: null, source: null, wanted: false, repeat: false };
      load('music/' + file.replace(/\.mid$/i, '.ogg'), pieces[i]);
    });
  }

  function stopSource(p) {
    if (p && p.source) {
      try { p.source.stop(); } catch (e) {}
      p.source = null;
    }
  }

  function startMusic(piece) {
    const p = pieces[piece];
    if (!p || !p.buffer || !unlocked || !audio) return;
    stopSource(p);
    const source = audio.createBufferSource();
    source.buffer = p.buffer;
    source.loop = p.repeat;
    source.connect(audio.destination);
    source.onended = () => { if (p.source === source) { p.source = null; p.wanted = false; } };
    source.start(0, 0);
    p.source = source;
  }

  // 0 play from the start, 1 stop, 2 repeat, 3 end at the end.
  function music(piece, action) {
    const p = pieces[piece];
    if (!p) return;
    if (action === 0) { p.wanted = true; startMusic(piece); }
    else if (action === 1) { p.wanted = false; stopSource(p); }
    else { p.repeat = action === 2; if (p.source) p.source.loop = p.repeat; }
  }

  function sound(index) {
    const s = sounds[index];
    if (!s || !s.buffer || !unlocked || !audio) return;
    const source = audio.createBufferSource();
    source.buffer = s.buffer;
    source.connect(audio.destination);
    source.start();
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

  // The bundled pictures, fetched while the script and the wasm load.
  const PICTURES = ['hyperroad.bmp', 'background_normal.bmp', 'background_goal.bmp', 'items.bmp'];
  const pictures = PICTURES.map((name) =>
    fetch('pictures/' + name).then((r) => (r.ok ? r.arrayBuffer() : null)).catch(() => null));

  async function started() {
    const loaded = await Promise.all(pictures);
    loaded.forEach((buffer, kind) => {
      if (buffer === null) return;
      const bytes = new Uint8Array(buffer);
      const at = _malloc(Math.max(bytes.length, 1));
      HEAPU8.set(bytes, at);
      Module.ccall('tavrin_picture', 'number', ['number', 'number', 'number'], [kind, at, bytes.length]);
      _free(at);
    });
    tables = JSON.parse(Module.ccall('tavrin_tables', 'string', [], []));
    const stored = storedLanguage();
    english = stored === 'en' || (stored !== 'ja' && !/^ja\b/i.test(navigator.language || ''));
    if (params.get('lang') === 'en' || params.get('lang') === 'ja') english = params.get('lang') === 'en';
    buildMenus();
    paletteEntry(11);
    fitBoard();
    openSounds();
    ready = true;
    const [high, low] = seed();
    Module.ccall('tavrin_start', null, ['number', 'number', 'number'], [high, low, english ? 1 : 0]);
    readPageTexts();
    document.body.classList.add('ready');
  }

  // The free game is written whenever the tab is hidden or closed.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden' && ready) call('tavrin_save_now');
  });

  window.Module = {
    page: { show, present, wake, box, sound, music, act, storageSet, clipboard, notice },
    onRuntimeInitialized: started,
  };

  // What the browser tests drive: the same steps tavrin-cli replay takes.
  if (params.has('test')) {
    window.tavrinTest = {
      idle: () => ready && !$('box').open,
      state: () => JSON.parse(Module.ccall('tavrin_test_state', 'string', [], [])),
      offer: (piece) => call('tavrin_test_offer', piece),
      newGame: (items) => {
        const at = _malloc(items.length * 8);
        items.forEach(([cell, kind], i) => { HEAP32[(at >> 2) + 2 * i] = cell; HEAP32[(at >> 2) + 2 * i + 1] = kind; });
        try { call('tavrin_test_new_game', at, items.length); } finally { _free(at); }
      },
      // Runs the timers at once, as the replay does, until the move is played out.
      settle: () => call('tavrin_test_settle'),
      firstFrame: () => firstFrame,
      // One placement in the core and its evaluation up to the next piece
      // dealt, the timers run at once: milliseconds, or null when refused.
      timeMove: (cell) => {
        const start = performance.now();
        call('tavrin_cell', cell);
        if (waking === null) return null;
        call('tavrin_test_settle');
        return performance.now() - start;
      },
      lastMove: () => lastMove,
    };
  }
})();
