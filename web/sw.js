// Keeps every file of the game for playing offline: answered from this
// build's cache first, the network only for what it does not hold. The build
// (make_page.py) names the cache for what it holds and lists the files.
'use strict';
const Cache = '@@CACHE@@';
const Files = ['@@FILES@@'];

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches
      .open(Cache)
      .then((cache) => cache.addAll(Files))
      .then(() => self.skipWaiting()),
  );
});

// Older builds' caches go once this one is in charge (only the game's own:
// the site may share its origin with others).
self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => names.filter((name) => name.startsWith('bluffwick-') && name !== Cache))
      .then((old) => Promise.all(old.map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches
      .open(Cache)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((kept) => kept || fetch(event.request)),
  );
});
