// Keeps every file of the game in a cache named by its version, so that after one visit the game
// starts with no network. A new version fills a cache of its own while the old one still serves,
// and takes over only once no page of the old one is open; then the old cache goes, whole. A
// page never gets a mix of two versions' files. The build writes the version and the list.
"use strict";

const VERSION = "@VERSION@";
const FILES = @FILES@;
// Named by the folder too: two copies of the game on one host keep their own caches.
const PREFIX = "vantaro " + self.registration.scope + " ";
const CACHE = PREFIX + VERSION;

self.addEventListener("install", (event) => {
  // Past the browser's own HTTP cache, which may still hold an older version's file.
  event.waitUntil(caches.open(CACHE).then((cache) =>
    cache.addAll(FILES.map((file) => new Request(file, { cache: "no-cache" })))));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith(PREFIX) && name !== CACHE)
    .map((name) => caches.delete(name)))));
});

// The cache first; what it lacks from the network. A file that cannot be fetched fails as it
// would without the worker, and the game plays on without it.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
