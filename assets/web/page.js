// The page around the game: loading bar, what a browser without WebAssembly or WebGL is told,
// the keys a browser would otherwise take, and the page's end of the game. What passes between
// the page and the game is listed in one place: src/app/web_page.h.
"use strict";

(function () {
  const $ = (id) => document.getElementById(id);
  const screen = $("screen");

  function show(panel) {
    for (const id of ["loading", "problem", "ended"]) $(id).hidden = id !== panel;
    screen.style.visibility = panel ? "hidden" : "visible";
  }

  show("loading");

  // Set once the game has ended or stopped on an error: leaving then loses nothing.
  let ended = false;

  function problem(text) {
    ended = true;
    $("problem-text").textContent = text;
    show("problem");
  }

  function webglWorks() {
    try {
      const c = document.createElement("canvas");
      return !!(c.getContext("webgl2") || c.getContext("webgl"));
    } catch (e) {
      return false;
    }
  }

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    problem("Ваш браузер не поддерживает WebAssembly, без которого игра не запускается. " +
            "Откройте её в современном браузере.");
    return;
  }
  if (!webglWorks()) {
    problem("Ваш браузер не поддерживает WebGL (или он выключен), а игра рисует через него. " +
            "Включите WebGL или откройте игру в другом браузере.");
    return;
  }
  if (typeof createQtAppInstance !== "function") {
    problem("Не удалось загрузить игру. Проверьте соединение и обновите страницу.");
    return;
  }

  // The game's file is megabytes: the bar follows it as it arrives. Its size is written into
  // the page when the page is built, since a server that compresses it gives another length.
  const wasmBytes = Number(document.body.dataset.wasmBytes) || 0;
  function progress(received) {
    const part = wasmBytes > 0 ? Math.min(received / wasmBytes, 1) : 0;
    $("fill").style.width = (part * 100).toFixed(1) + "%";
    $("percent").textContent = Math.floor(part * 100) + " %";
  }

  // The game compiles while it downloads; the bytes are counted on their way to the compiler.
  async function instantiateWithProgress(url, imports) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ": " + response.status);
    let received = 0;
    const reader = response.body.getReader();
    const counted = new ReadableStream({
      async pull(controller) {
        const { done, value } = await reader.read();
        if (done) {
          controller.close();
          return;
        }
        received += value.length;
        progress(received);
        controller.enqueue(value);
      },
    });
    const wasm = new Response(counted, { headers: { "Content-Type": "application/wasm" } });
    if (WebAssembly.instantiateStreaming) return WebAssembly.instantiateStreaming(wasm, imports);
    return WebAssembly.instantiate(await wasm.arrayBuffer(), imports);
  }

  // Keys a browser keeps for itself reach the game instead: F1 is the game's help, not the
  // browser's, and Tab moves within the game, never out of the page.
  window.addEventListener("keydown", (e) => {
    if (e.key === "F1" || e.key === "Tab") e.preventDefault();
  }, true);
  window.addEventListener("help", (e) => e.preventDefault());

  $("again").addEventListener("click", () => location.reload());

  // A phone's or a tablet's page fits the game whole: the browser's own zoom of the page, never
  // above 1, with which Qt draws at the device's pixels and places every touch where it lands.
  // A desktop browser keeps the page at its size, as it does not zoom by the viewport.
  // A phone held upright asks to be turned (index.html), in letters of their own size.
  const viewport = document.querySelector('meta[name="viewport"]');
  const upright = matchMedia("(orientation: portrait) and (max-width: 599px) and (pointer: coarse)");
  function fit() {
    const desk = game.vantaroDesk, seen = window.visualViewport;
    if (!desk || !seen) return;
    // The page's size unzoomed, whatever zoom it has now.
    const width = seen.width * seen.scale, height = seen.height * seen.scale;
    // Rounded down, so that the page it gives is no smaller than the game.
    const fitted = Math.floor(Math.min(1, width / desk.width, height / desk.height) * 1000) / 1000;
    const zoom = upright.matches ? "1" : String(fitted);
    // No pinch zoom beyond it either: index.html gives every touch to the game, and the page
    // leaves the reader's zoom as a reader sets it (no maximum).
    const content = "width=device-width, initial-scale=" + zoom + ", minimum-scale=" + zoom;
    if (viewport.content !== content) viewport.content = content;
  }
  window.addEventListener("resize", fit);
  window.addEventListener("orientationchange", fit);
  upright.addEventListener("change", fit);
  // What a finger does on the page is the game's: no menu of the browser's for a long press.
  window.addEventListener("contextmenu", (e) => e.preventDefault());

  // The game's files kept for the next visit with no network (sw.js), once the start screen is
  // up: the first visit downloads them once, and the worker's start does not hold up the game's.
  // A page opened from a file, or a browser that allows no worker, plays online as before.
  function keepForOffline() {
    if (!("serviceWorker" in navigator) || !/^https?:$/.test(location.protocol)) return;
    navigator.serviceWorker.register("sw.js").then((r) => {
      // A worker that cannot keep every file (the browser's storage full, a file missing) is
      // dropped by the browser; the version kept before, if any, goes on serving.
      const watched = new WeakSet();
      const watch = (w) => {
        if (!w || watched.has(w)) return;
        watched.add(w);
        w.addEventListener("statechange", () => {
          if (w.state === "redundant") console.warn("vantaro: the game could not be kept for offline play");
        });
      };
      watch(r.installing);
      r.addEventListener("updatefound", () => watch(r.installing));
      // A visit also looks for a newer version, which the next start then plays. Offline there
      // is none to be had, and the version kept plays on.
      r.update().catch((e) => console.info("vantaro: no newer version looked for: " + e));
    }, (e) => console.warn("vantaro: the game is not kept for offline play: " + e));
  }

  // As closing the desktop game's main screen ends it, so would a slip closing or reloading the
  // tab: once the main screen is up the browser asks first. Not on the start screen, nor once
  // the game has ended or stopped on an error.
  window.addEventListener("beforeunload", (e) => {
    const screens = game.vantaroScreensOnShow || [];
    if (ended || !screens.some((s) => s.name === "Vantaro")) return;
    e.preventDefault();
    e.returnValue = "";
  });

  const game = {
    qtContainerElements: [screen],
    instantiateWasm(imports, done) {
      instantiateWithProgress("vantaro.wasm", imports)
        .then((r) => done(r.instance, r.module))
        .catch((e) => {
          console.error(e);
          problem("Не удалось загрузить игру. Проверьте соединение и обновите страницу.");
        });
      return {};
    },
    onRuntimeInitialized() {
      show(null);
    },
    vantaroDeskKnown: fit,
    vantaroFirstFrameDrawn() {
      keepForOffline();
    },
    onAbort(what) {
      problem("Игра прервалась с ошибкой: " + what + ". Обновите страницу, чтобы начать заново.");
    },
    vantaroGameOver() {
      ended = true;
      show("ended");
      $("again").focus();
    },
  };
  // The game's Module, for the tests and the benchmark to read what it shares with the page.
  window.vantaroGame = game;
  createQtAppInstance(game);
})();
