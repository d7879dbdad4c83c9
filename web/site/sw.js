// The page's service worker: after one visit the game opens and plays with
// no network. The build writes the site's files and their hash into the three
// lines below; a changed site is a changed worker, which the browser installs
// at the next visit, fetching the new files once.
'use strict';

const VERSION = '';
const FIRST = [];
const REST = [];
const CACHE = 'tavrin-' + VERSION;

// Fetched past the browser's own cache, so that a new version never keeps an
// old file.
function store(cache, names) {
  return Promise.all(names.map((name) =>
    fetch(new Request(name, { cache: 'no-cache' })).then((answer) => {
      if (!answer.ok) throw new Error(name + ': ' + answer.status);
      return cache.put(name, answer);
    })));
}

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => store(cache, FIRST)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('tavrin-') && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The page says when the player first touched it: the rest of the site
// (sounds, music, help, the goal background) is fetched then, what is there
// already is kept.
self.addEventListener('message', (event) => {
  if (event.data !== 'everything') return;
  event.waitUntil(caches.open(CACHE).then(async (cache) => {
    const missing = [];
    for (const name of REST) if (!(await cache.match(name))) missing.push(name);
    return store(cache, missing);
  }).catch(() => {}));
});

function siteName(url) {
  const scope = new URL(self.registration.scope);
  if (url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return null;
  const name = decodeURIComponent(url.pathname.slice(scope.pathname.length));
  return name === '' ? 'index.html' : name;
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const name = siteName(new URL(request.url));
  if (name === null || (!FIRST.includes(name) && !REST.includes(name))) return;
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const kept = await cache.match(name);
    if (kept) return kept;
    const answer = await fetch(request);
    if (answer.ok && answer.status === 200) cache.put(name, answer.clone()).catch(() => {});
    return answer;
  }));
});
