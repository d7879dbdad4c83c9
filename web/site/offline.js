// Keeps the site for play without a network (sw.js). The worker is
// registered once the first board is on screen, so that it never competes
// with the start; the rest of the site is stored once the player first
// touches the page. A new version of the site is fetched in the background
// and played from the next start on.
'use strict';

window.TavrinOffline = (function () {
  const supported = 'serviceWorker' in navigator && window.isSecureContext;
  let registration = null;
  let touched = false;

  function askForEverything() {
    if (!touched || !registration) return;
    const worker = registration.active || registration.waiting || registration.installing;
    if (!worker) return;
    if (worker.state === 'activated') {
      worker.postMessage('everything');
    } else {
      worker.addEventListener('statechange', () => { if (worker.state === 'activated') worker.postMessage('everything'); });
    }
  }

  return {
    start() {
      if (!supported || registration) return;
      navigator.serviceWorker.register('sw.js').then((r) => {
        registration = r;
        askForEverything();
        r.addEventListener('updatefound', askForEverything);
        // A changed site is a changed sw.js: asked for at every start (the
        // browser's own checks may wait a day), installed for the next one.
        if (r.active) r.update().catch(() => { /* offline */ });
      }).catch(() => { /* plays on without offline copies */ });
    },
    touched() {
      if (touched) return;
      touched = true;
      askForEverything();
    },
  };
})();
