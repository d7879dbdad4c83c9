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

  // Everything of the game lies inside the play area, and the page itself
  // does not scroll.
  function fits(play) {
    const box = play.getBoundingClientRect();
    const style = getComputedStyle(play);
    const inset = (side) => parseFloat(style['padding' + side]) || 0;
    const room = { left: box.left + inset('Left'), top: box.top + inset('Top'),
                   right: box.right - inset('Right'), bottom: box.bottom - inset('Bottom') };
    for (const child of play.children) {
      if (child.hidden || child.offsetParent === null) continue;
      const r = child.getBoundingClientRect();
      if (r.left < room.left - 0.5 || r.top < room.top - 0.5 || r.right > room.right + 0.5 || r.bottom > room.bottom + 0.5) {
        return false;
      }
    }
    const page = document.documentElement;
    return page.scrollHeight <= page.clientHeight && page.scrollWidth <= page.clientWidth;
  }

  function useSize(devicePixels, ratio) {
    const css = devicePixels / ratio;
    const style = document.documentElement.style;
    style.setProperty('--board', css + 'px');
    style.setProperty('--tile', css / 8 + 'px');
  }

  // The largest board (device pixels, a multiple of 8 so that every cell
  // starts on a whole pixel) with which everything fits.
  function largest(play, ratio) {
    const page = document.documentElement;
    let low = 8 * 8;
    let high = Math.floor((Math.min(page.clientWidth, page.clientHeight) * ratio) / 8) * 8;
    useSize(low, ratio);
    if (!fits(play)) return low;
    while (high - low > 8) {
      const middle = Math.floor((low + high) / 16) * 8;
      useSize(middle, ratio);
      if (fits(play)) low = middle; else high = middle;
    }
    useSize(high, ratio);
    return fits(play) ? high : low;
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
    let best = null;
    for (const arrangement of ['below', 'beside', 'under']) {
      play.dataset.arrangement = arrangement;
      const size = largest(play, ratio);
      if (best === null || size > best.size) best = { arrangement, size };
    }
    play.dataset.arrangement = best.arrangement;
    const whole = Math.floor(best.size / BOARD) * BOARD;
    const size = whole >= BOARD && whole >= CRISP_SHARE * best.size ? whole : best.size;
    useSize(size, ratio);
    document.documentElement.dataset.crisp = size % BOARD === 0 ? 'yes' : 'no';
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
