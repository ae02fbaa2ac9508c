// Keeps every file of the game in a cache named by the files' content, so that after one visit
// the game starts with no network and any rebuild reaches the player, its version number bumped
// or not. A new build fills a cache of its own while the old one still serves, and takes over
// only once no page of the old one is open; then the old cache goes, whole. A page never gets a
// mix of two builds' files. The build writes in the version and each file's SHA-256.
"use strict";

const VERSION = "@VERSION@";
const FILES = @FILES@;
// Named by the folder too: two copies of the game on one host keep their own caches.
const PREFIX = "vantaro " + self.registration.scope + " ";
const CACHE = PREFIX + VERSION + " @CONTENT@";

// Each file as its list says it is: straight from the host, past the browser's own HTTP cache
// (which may still hold an older build's file), and failing the whole install when it does not
// match, as from a host part-way through a deploy; the build kept before then plays on.
async function keep(cache, file) {
  const response = await fetch(new Request(file, { cache: "reload", integrity: FILES[file] }));
  if (!response.ok) throw new Error(file + ": " + response.status);
  // A host that answers with a redirect ("pretty" addresses) gives a response that a page's own
  // request may not be answered with: kept as the bytes it brought.
  const kept = response.redirected
    ? new Response(await response.blob(), { headers: response.headers })
    : response;
  await cache.put(file, kept);
}

self.addEventListener("install", (event) => {
  // Kept whole or not at all: what a failed install kept goes with it.
  event.waitUntil(caches.open(CACHE)
    .then((cache) => Promise.all(Object.keys(FILES).map((file) => keep(cache, file))))
    .catch((e) => caches.delete(CACHE).then(() => { throw e; })));
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
