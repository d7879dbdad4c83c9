// The page's modal boxes: the game's (messages, questions, the name prompt,
// the high-score window), whose answers go back to the game, and the page's
// own (the Open box, help, the version box). One box is open at a time; a
// box asked while another is open waits its turn.
'use strict';

window.TavrinDialogs = (function () {
  const $ = (id) => document.getElementById(id);
  // What page.js lends: its call into the wasm, the page's texts, the language.
  let page = null;
  let queue = Promise.resolve();

  // Our own modal box: Enter answers with the first button, Escape with the
  // last. `decorate(row)` adds what a box has beyond its buttons, once it is up.
  function ask(text, buttons, input, kind, decorate) {
    const shown = queue.then(() => new Promise((resolve) => {
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
      if (decorate) decorate(row);
      box.showModal();
      (input === null ? row.firstChild : field).focus();
    }));
    queue = shown.catch(() => {});
    return shown;
  }

  // A box of the game; its answer as the game counts them: 0 OK, 1 yes,
  // 2 no, 3 cancelled, with what an input box held.
  function gameBox(b) {
    const texts = page.texts();
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
    answered.then(([answer, text]) => page.call('tavrin_answer', b.id, answer, text));
  }

  // As on the desktop: OK closes (and counts as OK), ハイスコア登録 and コピー
  // do their part and leave the window open; Escape closes it as its close
  // box does.
  function highScores(b) {
    const view = b.scores;
    const texts = page.texts();
    const lines = view.rows.map((r, i) => (i === view.highlighted ? '▶ ' : '') + r[0] + '  ' + r[1]);
    const note = view.note ? '\n\n' + view.note : '';
    const decorate = (row) => {
      row.lastChild.hidden = true;
      const extra = (label, action, enabled) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = label;
        button.disabled = !enabled;
        button.addEventListener('click', action);
        row.insertBefore(button, row.lastChild);
        return button;
      };
      // Served by tavrin-scores (under /play/): the entry just made can be
      // registered at once, posted as the registration page posts it.
      const served = /^\/play\//.test(location.pathname);
      if (b.register && served) extra(b.register.button, () => register(b.register), true);
      extra(view.copyText || 'Copy', () => page.clipboard(view.clipboard), view.copy);
      // The game's record to the same server, which replays it to rank the score.
      if (view.record && served) {
        const button = extra(view.rankingText, () => { button.disabled = true; rank(view.record, button); }, true);
      }
    };
    return ask(view.caption + '\n\n' + lines.join('\n') + note, [[texts.ok, [0, null]], ['', [3, null]]], null, 'scores',
               decorate);
  }

  // What the server said of the record, in a box over the high-score window.
  async function rank(record, button) {
    let said = null;
    let registered = false;
    try {
      const answer = await fetch('/register', {
        method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(record),
      });
      registered = answer.ok;
      said = (await answer.json()).message;
    } catch (e) {
      said = null;
    }
    button.disabled = registered;
    const texts = page.texts();
    const box = $('box');
    // The high-score window stays: the answer shows in its text for the moment.
    $('box-text').textContent += '\n\n' + (said || texts.rankingFailed);
    box.dataset.ranked = registered ? 'yes' : 'no';
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

  // --- the page's own dialogs ------------------------------------------------------------
  // The bundled files from the easiest up, as list.json has them.
  async function openDialog() {
    const texts = page.texts();
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
    const chosen = await ask(texts.openTitle + '\n' + texts.drop, buttons, null, 'open');
    if (chosen === 'device') {
      $('file-picker').click();
    } else if (chosen) {
      try {
        const answer = await fetch(encodeURI(chosen));
        if (!answer.ok) throw new Error(chosen + ': ' + answer.status);
        page.openBytes(chosen, new Uint8Array(await answer.arrayBuffer()));
      } catch (e) {
        await ask(texts.fetchFailed, [[texts.ok, 0]], null, 'message');
      }
    }
  }

  function help() {
    const texts = page.texts();
    const frame = document.createElement('iframe');
    frame.src = (page.english() ? 'help/en/' : 'help/') + 'index.html';
    frame.title = texts.help;
    const box = $('box');
    // The frame goes in with the box, and out when it closes.
    return ask(texts.desktopOnly, [[texts.close, 0]], null, 'help', () => {
      $('box-text').after(frame);
      const tidy = () => { frame.remove(); box.removeEventListener('close', tidy); };
      box.addEventListener('close', tidy);
    });
  }

  // What the game asks of the page itself.
  function act(action) {
    const texts = page.texts();
    if (action === 'open') openDialog();
    else if (action === 'help') help();
    else if (action === 'about') ask(document.title + '\n\n' + texts.desktopOnly, [[texts.ok, 0]], null, 'about');
  }

  return {
    // `lent`: { call, texts(), english(), clipboard, openBytes }.
    init(lent) { page = lent; },
    gameBox,
    act,
    open: () => $('box').open,
  };
})();
