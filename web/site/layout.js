// Fits the game to the window: the board as large as the window allows,
// crisp where it can be (whole device pixels per picture pixel), the score
// frames and the side panel below the board on an upright screen (the frames
// beside the offered piece on a short one) and beside it on a wide one, so
// that nothing of the game needs scrolling.
'use strict';

window.TavrinLayout = (function () {
  const BOARD = 256; // picture pixels a side
  const CRISP_SHARE = 0.75; // a crisp board at least this share of the largest one
  const $ = (id) => document.getElementById(id);
  let pending = false;

  // How far the play area's content reaches beyond its room (CSS pixels; 0 or
  // less when it fits), right and down.
  function overflow(play) {
    const box = play.getBoundingClientRect();
    const style = getComputedStyle(play);
    const inset = (side) => parseFloat(style['padding' + side]) || 0;
    let right = -Infinity;
    let bottom = -Infinity;
    let left = Infinity;
    let top = Infinity;
    for (const child of play.children) {
      if (child.hidden || child.offsetParent === null) continue;
      const r = child.getBoundingClientRect();
      left = Math.min(left, r.left);
      top = Math.min(top, r.top);
      right = Math.max(right, r.right);
      bottom = Math.max(bottom, r.bottom);
    }
    const page = document.documentElement;
    const width = right - left - (box.width - inset('Left') - inset('Right'));
    const height = bottom - top - (box.height - inset('Top') - inset('Bottom'));
    // (The page itself scrolls only when something outside the play area is too big.)
    const sideways = page.scrollWidth - page.clientWidth;
    const down = page.scrollHeight - page.clientHeight;
    return { width: sideways > 0 ? Math.max(width, sideways) : width, height: down > 0 ? Math.max(height, down) : height };
  }

  function fits(o) {
    return o.width <= 0.5 && o.height <= 0.5;
  }

  function useSize(devicePixels, ratio) {
    const css = devicePixels / ratio;
    const style = document.documentElement.style;
    style.setProperty('--board', css + 'px');
    style.setProperty('--tile', css / 8 + 'px');
    return devicePixels;
  }

  const floor8 = (n) => Math.floor(n / 8) * 8;
  const SMALLEST = 64;

  // Where the overflow along `key` reaches 0, on the line through two layouts.
  function reach(one, two, key) {
    const slope = (two.o[key] - one.o[key]) / (two.size - one.size);
    return slope > 0 ? two.size - two.o[key] / slope : Infinity;
  }
  function reachBoth(one, two) {
    return Math.min(reach(one, two, 'width'), reach(one, two, 'height'));
  }

  function tryLayout(play, size, ratio) {
    useSize(size, ratio);
    return { size, o: overflow(play) };
  }

  // The board (device pixels, a multiple of 8 so that every cell starts on a
  // whole pixel) with which everything should fit in the arrangement shown.
  // The rest of the play area grows about linearly with the board: two trial
  // layouts give the estimate.
  function estimate(play, ratio) {
    const page = document.documentElement;
    const most = floor8(Math.min(page.clientWidth, page.clientHeight) * ratio);
    const one = tryLayout(play, floor8(128 * ratio), ratio);
    const two = tryLayout(play, floor8(256 * ratio), ratio);
    const across = reach(one, two, 'width');
    const down = reach(one, two, 'height');
    return { size: Math.max(SMALLEST, floor8(Math.min(across, down, most))), last: two, byWidth: across <= down };
  }

  // The largest board up to the estimate that fits: where text or the
  // palette wraps the play area is not linear, and the line through the last
  // two layouts corrects the estimate (each layout costs the first frame
  // time); if that does not settle it, halving the way down does.
  function settle(play, ratio, guess) {
    let size = guess.size;
    let last = guess.last;
    for (let tries = 0; tries < 3; ++tries) {
      const now = tryLayout(play, size, ratio);
      if (fits(now.o)) return size;
      if (size <= SMALLEST) return SMALLEST;
      const next = reachBoth(last, now);
      last = now;
      size = Math.max(SMALLEST, Math.min(size - 8, floor8(next)));
    }
    let high = last.size;
    let low = SMALLEST;
    while (high - low > 8) {
      const middle = floor8((low + high) / 2);
      if (fits(tryLayout(play, middle, ratio).o)) low = middle; else high = middle;
    }
    return low;
  }

  // The last few fits are kept: a window of the same size showing the same
  // panels takes its fit after one check instead of trial layouts.
  const KEPT = 'tavrin-page-fit'; // beside the game's own keys, never among them
  const KEPT_FITS = 8;
  function keptFits() {
    try {
      const list = JSON.parse(window.localStorage.getItem(KEPT) || '[]');
      return Array.isArray(list) ? list.filter((f) => f && typeof f.key === 'string' && typeof f.size === 'number') : [];
    } catch (e) {
      return [];
    }
  }
  function kept(key) {
    return keptFits().find((f) => f.key === key) || null;
  }
  function keep(value) {
    const list = [value].concat(keptFits().filter((f) => f.key !== value.key)).slice(0, KEPT_FITS);
    try {
      window.localStorage.setItem(KEPT, JSON.stringify(list));
    } catch (e) { /* storage refused: the fit is made anew next time */ }
  }

  function fit() {
    pending = false;
    const app = $('app');
    const play = $('play');
    const ratio = window.devicePixelRatio || 1;
    const page = document.documentElement;
    // Short screens put the caption beside the menus, and the toolbar there
    // too when there is room (a phone held sideways).
    app.classList.toggle('compact', page.clientHeight < 560);
    app.classList.toggle('narrow', page.clientWidth < 560);
    const shown = ['notice', 'freegame', 'palettebox', 'spinner', 'comment'].filter((id) => !$(id).hidden);
    const key = page.clientWidth + 'x' + page.clientHeight + '@' + ratio + ':' + shown.join(',');
    const last = kept(key);
    if (last) {
      play.dataset.arrangement = last.arrangement;
      useSize(last.size, ratio);
      if (fits(overflow(play))) return;
    }
    // Beside the board on a wide window, below it (two ways) on an upright
    // one. The second way gives room only along one side (more height
    // upright, more width wide): where the first is held by the other side,
    // it cannot give a larger board and is not tried.
    const wide = page.clientWidth > page.clientHeight;
    const arrangements = wide ? ['beside', 'below'] : ['below', 'under'];
    const guesses = [];
    for (const arrangement of arrangements) {
      play.dataset.arrangement = arrangement;
      const guess = estimate(play, ratio);
      guesses.push({ arrangement, guess });
      if (guess.byWidth !== wide) break;
    }
    // The better estimate checked, and the other only when the check falls
    // below its estimate.
    guesses.sort((x, y) => y.guess.size - x.guess.size);
    let best = null;
    for (const { arrangement, guess } of guesses) {
      if (best !== null && best.size >= guess.size) break;
      play.dataset.arrangement = arrangement;
      const size = settle(play, ratio, guess);
      if (best === null || size > best.size) best = { arrangement, size };
    }
    play.dataset.arrangement = best.arrangement;
    const whole = Math.floor(best.size / BOARD) * BOARD;
    const size = whole >= BOARD && whole >= CRISP_SHARE * best.size ? whole : best.size;
    useSize(size, ratio);
    keep({ key, arrangement: best.arrangement, size });
  }

  function later() {
    if (pending) return;
    pending = true;
    requestAnimationFrame(fit);
  }

  return {
    // Fits now and again whenever the window or what the play area shows changes.
    start() {
      fit();
      window.addEventListener('resize', later);
      if (window.visualViewport) window.visualViewport.addEventListener('resize', later);
      const watch = new MutationObserver(later);
      for (const id of ['notice', 'freegame', 'palettebox', 'spinner', 'comment']) {
        watch.observe($(id), { attributes: true, attributeFilter: ['hidden'] });
      }
      if (window.matchMedia) {
        // A move to a screen of another pixel density.
        const density = () => {
          const query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
          query.addEventListener('change', () => { later(); density(); }, { once: true });
        };
        density();
      }
    },
    fit,
  };
})();
