  // --- the test build's hooks (web/testing/test_hooks.js) -----------------------------
  // Spliced into page.js by the test build only: what the browser tests drive,
  // the same steps tavrin-cli replay takes.
  function stateNow() {
    return JSON.parse(Module.ccall('tavrin_test_state', 'string', [], []));
  }

  window.tavrinTest = {
    idle: () => ready && !running && queue.length === 0 && !$('box').open,
    state: stateNow,
    offer: (piece) => post(null, () => call('tavrin_test_offer', piece)),
    newGame: (items) => post(null, async () => {
      const at = _malloc(items.length * 8);
      items.forEach(([cell, kind], i) => { HEAP32[(at >> 2) + 2 * i] = cell; HEAP32[(at >> 2) + 2 * i + 1] = kind; });
      try { await call('tavrin_test_new_game', at, items.length); } finally { _free(at); }
    }),
    // Runs the timers at once, as the replay does, until the move is played out.
    settle: () => post(null, async () => {
      for (let guard = 0; guard < 80; ++guard) {
        const busy = intervals[0] !== null ? 0 : intervals[1] !== null ? 1 : -1;
        if (busy < 0) break;
        await call('tavrin_timer', busy);
      }
    }),
    // One placement in the core and its evaluation up to the next piece
    // dealt, the timers run at once: milliseconds, or null when refused.
    timeMove: (cell) => new Promise((resolve) => post(null, async () => {
      const start = performance.now();
      await call('tavrin_cell', cell);
      if (intervals[0] === null) { resolve(null); return; }
      while (intervals[0] !== null) await call('tavrin_timer', 0);
      resolve(performance.now() - start);
    })),
    lastMove: () => lastMove,
  };
