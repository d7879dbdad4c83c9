// Sound effects and music for the page. Nothing is fetched and no audio
// device is opened before the player first touches the page (browsers let
// nothing play before that anyway); sounds are fetched then, a music piece
// when it is first asked to play. The device is suspended whenever nothing
// plays, so a silent page costs no audio thread.
'use strict';

window.TavrinAudio = (function () {
  const SUSPEND_AFTER_MS = 1500;
  let context = null;
  let allowed = false;
  const clips = new Map(); // url -> { promise, buffer, failed }
  const sounds = new Set(); // urls fetched once allowed
  const sources = new Set(); // what plays now
  const pieces = new Map(); // url -> { wanted, from, source, startedAt }
  let suspendTimer = null;

  function audioContext() {
    if (!context) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return null;
      context = new Context();
    }
    return context;
  }

  function clip(url) {
    let c = clips.get(url);
    if (c) return c;
    c = { buffer: null, failed: false, promise: null };
    clips.set(url, c);
    const audio = audioContext();
    if (!audio) {
      c.failed = true;
      c.promise = Promise.resolve(c);
      return c;
    }
    c.promise = fetch(url)
      .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error(url + ': ' + r.status))))
      .then((data) => audio.decodeAudioData(data))
      .then((buffer) => { c.buffer = buffer; return c; })
      .catch(() => { c.failed = true; return c; });
    return c;
  }

  // Running while something plays; suspended a moment after the last sound ends.
  function busy() {
    if (suspendTimer !== null) { clearTimeout(suspendTimer); suspendTimer = null; }
    if (context && context.state === 'suspended') context.resume().catch(() => {});
  }

  function maybeIdle() {
    if (sources.size > 0 || !context || suspendTimer !== null) return;
    suspendTimer = setTimeout(() => {
      suspendTimer = null;
      if (sources.size === 0 && context.state === 'running') context.suspend().catch(() => {});
    }, SUSPEND_AFTER_MS);
  }

  function begin(buffer, loop, offsetSeconds) {
    busy();
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.loop = loop;
    source.connect(context.destination);
    source.onended = () => { sources.delete(source); maybeIdle(); };
    sources.add(source);
    source.start(0, offsetSeconds);
    return source;
  }

  function halt(source) {
    if (!source) return;
    sources.delete(source);
    try { source.stop(); } catch (e) { /* never started */ }
    maybeIdle();
  }

  function piece(url) {
    if (!pieces.has(url)) pieces.set(url, { wanted: false, repeat: false, from: 0, source: null, startedAt: 0 });
    return pieces.get(url);
  }

  function playPiece(url) {
    const p = piece(url);
    if (!p.wanted || !allowed) return;
    const c = clip(url);
    if (!c.buffer) {
      c.promise.then(() => { if (c.buffer && p.wanted && !p.source) playPiece(url); });
      return;
    }
    halt(p.source);
    const offset = Math.min(p.from / 1000, c.buffer.duration);
    p.source = begin(c.buffer, p.repeat, offset);
    p.startedAt = context.currentTime - offset;
  }

  return {
    // The player touched the page: from now on sounds may be fetched and played.
    gesture() {
      if (allowed) return;
      allowed = true;
      if (!audioContext()) return;
      sounds.forEach((url) => clip(url));
      pieces.forEach((p, url) => { if (p.wanted) playPiece(url); });
      maybeIdle();
    },
    // A sound effect the game will play; fetched once allowed.
    prepare(url) {
      sounds.add(url);
      if (allowed) clip(url);
    },
    playSound(url) {
      if (!allowed) return;
      const c = clip(url);
      if (c.buffer) begin(c.buffer, false, 0);
    },
    // A music piece plays from `fromMs`, round and round while it repeats,
    // until stopped.
    startMusic(url, fromMs) {
      const p = piece(url);
      p.from = fromMs;
      p.wanted = true;
      playPiece(url);
    },
    stopMusic(url) {
      const p = piece(url);
      if (p.wanted && p.source) p.from = this.musicPosition(url);
      p.wanted = false;
      halt(p.source);
      p.source = null;
    },
    seekMusic(url, fromMs) { piece(url).from = fromMs; },
    // Whether the piece goes on from its start when it ends.
    repeatMusic(url, repeat) {
      const p = piece(url);
      p.repeat = repeat;
      if (p.source) p.source.loop = repeat;
    },
    musicPlaying(url) { return pieces.has(url) && pieces.get(url).wanted; },
    // Length in milliseconds, 0 until the piece is in.
    length(url) {
      const c = clips.get(url);
      return c && c.buffer ? Math.round(c.buffer.duration * 1000) : 0;
    },
    musicPosition(url) {
      const p = piece(url);
      const length = this.length(url);
      if (!p.wanted || !p.source || !length) return p.from;
      return Math.round(((context.currentTime - p.startedAt) * 1000) % length);
    },
    failed(url) {
      const c = clips.get(url);
      return !!(c && c.failed);
    },
  };
})();
