  // --- the test build's hooks (web/testing/test_hooks.js) -----------------------------
  // Spliced into page.js by the test build only: what the browser tests drive,
  // the same steps tavrin-cli replay takes.
  window.tavrinTest = {
    idle: () => ready && !TavrinDialogs.open(),
    state: () => JSON.parse(Module.ccall('tavrin_test_state', 'string', [], [])),
    offer: (piece) => call('tavrin_test_offer', piece),
    newGame: (items) => {
      const at = _malloc(items.length * 8);
      items.forEach(([cell, kind], i) => { HEAP32[(at >> 2) + 2 * i] = cell; HEAP32[(at >> 2) + 2 * i + 1] = kind; });
      try { call('tavrin_test_new_game', at, items.length); } finally { _free(at); }
    },
    // The free game of a record's seed (a decimal string).
    seededGame: (seed) => {
      const n = BigInt(seed);
      call('tavrin_test_seeded_game', Number((n >> 32n) & 0xffffffffn), Number(n & 0xffffffffn));
    },
    // Runs the timers at once, as the replay does, until the move is played out.
    settle: () => call('tavrin_test_settle'),
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
