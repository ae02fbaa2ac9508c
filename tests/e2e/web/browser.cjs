// Debian's Chromium, headless, driven through playwright-core for the browser game's scripts.
// It reads one command a line on its standard input and answers each with one line, "ok ..." or
// "error ...", so that a shell script can play the page between its own steps (recording what
// is heard, comparing pictures). Everything it prints besides answers starts with "page: ".
//
//   open URL                  a new page at URL, in place of the one before
//   wait [SECONDS] EXPRESSION until the expression is true in the page (30 s by default)
//   eval EXPRESSION           its value, as JSON
//   key KEY [DELAY_MS]        a key press and release (Playwright's names: Tab, Shift+Tab, F1)
//   type TEXT [DELAY_MS]      each character as a trusted key event, as a Russian layout sends it
//   click X Y                 a mouse click at page pixels
//   drag X0 Y0 X1 Y1          the left button held from one point to the other
//   shot FILE                 a screenshot of the page
//   reload                    "dialog TYPE" when the page asked before leaving (the player
//                             stays), else "reloaded"
//   close                     the page closed, as a player closes its tab
//   offline on|off            the network taken away or given back
//   hidden on|off             the page as a tab in the background, or seen again (emulated:
//                             headless Chromium shows every page as seen)
//   clearcache                the browser's own HTTP cache emptied
//   installable               what keeps the page from being installed, as JSON (the manifest's
//                             errors, then Chromium's installability errors)
//   tap X Y                   a finger's tap at page pixels (a phone's or tablet's, see --device)
//   swipe X0 Y0 X1 Y1         a finger held down from one point to the other
//   press X Y                 a finger held down a second, and the long-press menu asked for
//   words TEXT                TEXT committed at once, as a predictive keyboard or voice does
//   compose TEXT              TEXT composed letter by letter, as an input method does, then
//                             committed
//   turn                      the device turned: the page's width and height swapped
//   pixels X,Y,W,H            where page pixels lie in a shot, as "WxH+X+Y" for convert's -crop
//   quit
//
// Usage: node browser.cjs SCALE PROFILE [--sound] [--device NAME]   (SCALE: the device pixel
// ratio; PROFILE: a folder for the browser's profile, on disk, as an installable page needs;
// NAME: one of Playwright's devices, emulated with its touch, viewport and pixel ratio in place
// of SCALE, and sound allowed only after a gesture, as a phone allows it)
"use strict";

const readline = require("readline");
const { chromium, devices } = require("playwright-core");

const scale = Number(process.argv[2] || 1);
const profile = process.argv[3];
const sound = process.argv.includes("--sound");
const deviceAt = process.argv.indexOf("--device");
const device = deviceAt > 0 ? devices[process.argv[deviceAt + 1]] : null;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function main() {
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    // Ended by the script's signal at once; Chromium's processes are the script's to end.
    handleSIGINT: false, handleSIGTERM: false, handleSIGHUP: false,
    // Playwright mutes the browser; a test that listens must hear it.
    ignoreDefaultArgs: sound ? ["--mute-audio"] : [],
    args: [
      "--no-sandbox", "--no-first-run", "--disable-quic", "--disable-sync",
      "--disable-background-networking", "--disable-component-update",
      ...(device ? [] : ["--autoplay-policy=no-user-gesture-required"]),
    ],
    viewport: { width: 1024, height: 768 }, deviceScaleFactor: scale,
    ...(device || {}),
    permissions: ["clipboard-read", "clipboard-write"],
  });
  let page = null;
  let cdp = null;
  // A leave question the page raises: answered by staying, and told to the next reload.
  let dialog = null;

  const commands = {
    async open(url) {
      if (page) await page.close();
      page = await context.newPage();
      // Chromium's software WebGL remarks on every read of the canvas: not the page's words.
      page.on("console", (m) => {
        if (!m.text().startsWith("[.WebGL-")) console.log("page: " + m.text());
      });
      page.on("pageerror", (e) => console.log("page: error: " + e.message));
      page.on("dialog", (d) => {
        dialog = d.type();
        d.dismiss().catch(() => {});
      });
      cdp = await context.newCDPSession(page);
      // From the page's first moment: the loading bar's readings, and whether each key was
      // kept from the browser once the page and the game had seen it.
      await page.addInitScript(() => {
        window.vantaroLoadingSeen = [];
        window.vantaroDefaultPrevented = {};
        // Whether each long-press menu was kept from the browser.
        window.vantaroMenus = [];
        addEventListener("contextmenu", (e) => {
          setTimeout(() => window.vantaroMenus.push(e.defaultPrevented));
        });
        addEventListener("keydown", (e) => {
          setTimeout(() => { window.vantaroDefaultPrevented[e.key] = e.defaultPrevented; });
        });
        // The whole document from the start: a fast download may be through before the
        // document has loaded.
        new MutationObserver(() => {
          const percent = document.getElementById("percent");
          const seen = window.vantaroLoadingSeen;
          if (percent && seen[seen.length - 1] !== percent.textContent) seen.push(percent.textContent);
        }).observe(document, { childList: true, characterData: true, subtree: true });
      });
      await page.goto(url);
      return "";
    },
    async wait(rest) {
      const m = /^(?:(\d+)\s+)?(.*)$/.exec(rest);
      await page.waitForFunction(m[2], null, { timeout: 1000 * Number(m[1] || 30), polling: 100 });
      return "";
    },
    async eval(expression) {
      return JSON.stringify(await page.evaluate(expression));
    },
    async key(rest) {
      const [key, delay] = rest.split(" ");
      await page.keyboard.press(key, { delay: Number(delay || 30) });
      return "";
    },
    async type(rest) {
      const m = /^(\S+)(?:\s+(\d+))?$/.exec(rest);
      const delay = Number(m[2] || 100);
      // Qt reads key events, not text input: each letter as the trusted key press a Russian
      // layout gives, then its release.
      for (const ch of m[1]) {
        await cdp.send("Input.dispatchKeyEvent",
                       { type: "keyDown", key: ch, text: ch, unmodifiedText: ch });
        await sleep(delay / 2);
        await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", key: ch });
        await sleep(delay / 2);
      }
      return "";
    },
    async click(rest) {
      const [x, y] = rest.split(" ").map(Number);
      await page.mouse.click(x, y, { delay: 50 });
      return "";
    },
    async drag(rest) {
      const [x0, y0, x1, y1] = rest.split(" ").map(Number);
      await page.mouse.move(x0, y0);
      await page.mouse.down();
      await page.mouse.move(x1, y1, { steps: 5 });
      await page.mouse.up();
      await sleep(300);
      return "";
    },
    async tap(rest) {
      const [x, y] = rest.split(" ").map(Number);
      await page.touchscreen.tap(x, y);
      return "";
    },
    // The finger held down from one point to the other; with none to go to, for a second.
    async swipe(rest) {
      const [x0, y0, x1 = x0, y1 = y0] = rest.split(" ").map(Number);
      const touch = (type, x, y) => cdp.send("Input.dispatchTouchEvent",
                                             { type, touchPoints: type === "touchEnd" ? [] : [{ x, y }] });
      await touch("touchStart", x0, y0);
      for (let i = 1; i <= 5; i++) {
        await sleep(x1 === x0 && y1 === y0 ? 200 : 30);
        await touch("touchMove", x0 + ((x1 - x0) * i) / 5, y0 + ((y1 - y0) * i) / 5);
      }
      await touch("touchEnd");
      await sleep(300);
      return "";
    },
    async press(rest) {
      await commands.swipe(rest);
      // A phone then asks the page for its long-press menu; headless Chromium does not, and the
      // request is sent as a desktop's right button sends it.
      const [x, y] = rest.split(" ").map(Number);
      for (const type of ["mousePressed", "mouseReleased"]) {
        await cdp.send("Input.dispatchMouseEvent", { type, x, y, button: "right", clickCount: 1 });
      }
      return "";
    },
    async words(text) {
      await cdp.send("Input.insertText", { text });
      return "";
    },
    async compose(text) {
      for (let i = 1; i <= text.length; i++) {
        await cdp.send("Input.imeSetComposition",
                       { text: text.slice(0, i), selectionStart: i, selectionEnd: i });
        await sleep(50);
      }
      await cdp.send("Input.insertText", { text });
      return "";
    },
    async turn() {
      const { width, height } = page.viewportSize();
      await page.setViewportSize({ width: height, height: width });
      return "";
    },
    async pixels(box) {
      const [x, y, w, h] = box.split(",").map(Number);
      // Page pixels through the page's zoom and the device's pixel ratio.
      const [left, top, zoom] = await page.evaluate(() => [visualViewport.offsetLeft,
        visualViewport.offsetTop, visualViewport.scale * devicePixelRatio]);
      const at = (v, from) => Math.round((v - from) * zoom);
      return `${at(x + w, 0) - at(x, 0)}x${at(y + h, 0) - at(y, 0)}+${at(x, left)}+${at(y, top)}`;
    },
    async shot(file) {
      await page.screenshot({ path: file });
      return "";
    },
    async reload() {
      dialog = null;
      // Kept on the page by its question, the reload never ends: the question is the answer.
      const reloaded = page.reload({ timeout: 30000 }).then(() => "reloaded", () => "");
      for (const deadline = Date.now() + 30000; Date.now() < deadline; await sleep(100)) {
        if (dialog) return "dialog " + dialog;
        const done = await Promise.race([reloaded, sleep(0).then(() => null)]);
        if (done) return done;
      }
      throw new Error("the reload neither ended nor asked");
    },
    async close() {
      await page.close();
      page = null;
      return "";
    },
    async offline(state) {
      await context.setOffline(state === "on");
      return "";
    },
    async hidden(state) {
      await page.evaluate((hidden) => {
        for (const [name, value] of [["hidden", hidden], ["visibilityState", hidden ? "hidden" : "visible"]]) {
          Object.defineProperty(document, name, { configurable: true, get: () => value });
        }
        document.dispatchEvent(new Event("visibilitychange"));
      }, state === "on");
      return "";
    },
    async clearcache() {
      await cdp.send("Network.clearBrowserCache");
      return "";
    },
    async installable() {
      const manifest = await cdp.send("Page.getAppManifest");
      const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
      return JSON.stringify([manifest.errors.map((e) => e.message),
                             installabilityErrors.map((e) => e.errorId)]);
    },
  };

  const lines = readline.createInterface({ input: process.stdin });
  for await (const line of lines) {
    const at = line.indexOf(" ");
    const name = at < 0 ? line : line.slice(0, at);
    const rest = at < 0 ? "" : line.slice(at + 1);
    if (name === "quit") break;
    try {
      if (!commands[name]) throw new Error("no command " + name);
      console.log(("ok " + (await commands[name](rest))).trimEnd());
    } catch (e) {
      console.log("error " + String(e.message || e).split("\n")[0]);
    }
  }
  await context.close();
  // The shell keeps its end of the pipe open: the driver ends by itself.
  process.exit(0);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
