// A service worker that keeps the page's files, so that the page, its worker and the tool
// load again without a network: each file is fetched afresh when the network answers, and
// taken from the copy kept when it does not.
const cacheName = 'quorvmesh';
const files = [
  './', 'index.html', 'style.css', 'app.js', 'commandLine.js', 'view.js', 'worker.js',
  'quorvmesh.js', 'quorvmesh.wasm', 'vendor/three.module.js',
  'vendor/addons/controls/OrbitControls.js',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith((async () => {
    const cache = await caches.open(cacheName);
    try {
      const response = await fetch(event.request);
      if (response.ok) await cache.put(event.request, response.clone());
      return response;
    } catch (error) {
      const kept = await cache.match(event.request, { ignoreSearch: true });
      if (kept) return kept;
      throw error;
    }
  })());
});
