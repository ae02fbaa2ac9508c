// The browser game's figures beside Qt reference pages built with the same Qt and served the
// same way: what the page downloads (gzipped) before its first frame and in all, the time from
// opening the page to its first frame (median of alternating loads), and the browser's CPU over
// 20 s on the main screen beside a page that turns a picture every 10 ms.
// Usage: node bench.cjs GAME_URL REFERENCE_URL [LOADS]
"use strict";

const fs = require("fs");
const zlib = require("zlib");
const { chromium } = require("playwright-core");

const [gameUrl, refUrl] = process.argv.slice(2, 4);
const loads = Number(process.argv[4] || 10);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const firstFrame = () => performance.getEntriesByName("vantaro-first-frame").length > 0;

async function launch() {
  return chromium.launch({
    executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox", "--no-first-run", "--disable-quic", "--disable-sync",
           "--disable-background-networking", "--disable-component-update"],
  });
}

// Every response's gzipped size, split at the first frame by the page's own resource timing.
async function download(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
  const page = await context.newPage();
  const sizes = new Map();
  const bodies = [];
  page.on("response", (r) => bodies.push(r.body().then(
    (b) => sizes.set(r.url(), zlib.gzipSync(b, { level: 9 }).length), () => {})));
  await page.goto(url);
  await page.waitForFunction(firstFrame, null, { timeout: 60000, polling: 10 });
  await sleep(3000);
  const late = await page.evaluate(() => {
    const frame = performance.getEntriesByName("vantaro-first-frame")[0].startTime;
    return performance.getEntriesByType("resource")
      .filter((e) => e.responseEnd > frame).map((e) => e.name);
  });
  await Promise.all(bodies);
  await context.close();
  let all = 0, first = 0;
  for (const [u, gz] of sizes) {
    all += gz;
    if (!late.includes(u)) first += gz;
  }
  return { first, all };
}

async function start(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(firstFrame, null, { timeout: 60000, polling: 10 });
  const ms = await page.evaluate(() => performance.getEntriesByName("vantaro-first-frame")[0].startTime);
  await context.close();
  return ms;
}

// CPU seconds of the browsers this script started and every process under them.
function cpuOf() {
  const kids = fs.readFileSync(`/proc/${process.pid}/task/${process.pid}/children`, "utf8").trim();
  return (kids ? kids.split(" ") : []).reduce((a, pid) => a + cpuTree(pid), 0);
}
function cpuTree(root) {
  const hz = 100;
  let total = 0;
  const walk = (pid) => {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, "utf8");
      const f = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      total += (Number(f[11]) + Number(f[12])) / hz;
      const kids = fs.readFileSync(`/proc/${pid}/task/${pid}/children`, "utf8").trim();
      for (const k of kids ? kids.split(" ") : []) walk(k);
    } catch (e) {}
  };
  walk(root);
  return total;
}

async function cpu(url, play) {
  const browser = await launch();
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(firstFrame, null, { timeout: 60000, polling: 10 });
  if (play) await play(page, context);
  await sleep(2000);
  const before = cpuOf();
  await sleep(20000);
  const used = cpuOf() - before;
  await browser.close();
  return used;
}

// A name typed and confirmed: the main screen.
async function toMainScreen(page, context) {
  const cdp = await context.newCDPSession(page);
  for (const ch of "Бенч") {
    await cdp.send("Input.dispatchKeyEvent", { type: "keyDown", key: ch, text: ch, unmodifiedText: ch });
    await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", key: ch });
  }
  const s = await page.evaluate(() => window.vantaroGame.vantaroScreensOnShow.slice(-1)[0]);
  await page.mouse.click(s.x + 212, s.y + 60);
  await page.waitForFunction(
    () => window.vantaroGame.vantaroScreensOnShow.slice(-1)[0].name === "Vantaro", null, { timeout: 30000 });
}

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };
const mb = (n) => (n / 1e6).toFixed(2) + " MB";
const verdict = (ok) => (ok ? "met" : "NOT met");

(async () => {
  const browser = await launch();
  const game = await download(browser, gameUrl);
  const ref = await download(browser, refUrl);
  const times = { game: [], ref: [] };
  for (let i = 0; i < loads; ++i) {
    times.game.push(await start(browser, gameUrl));
    times.ref.push(await start(browser, refUrl));
  }
  await browser.close();
  const gameCpu = await cpu(gameUrl, toMainScreen);
  const refCpu = await cpu(refUrl + "?spin");

  const firstRatio = game.first / ref.first;
  const startRatio = median(times.game) / median(times.ref);
  const cpuRatio = gameCpu / refCpu;
  console.log(`download before the first frame: game ${mb(game.first)}, label page ${mb(ref.first)} (${firstRatio.toFixed(2)}x)`);
  console.log(`download in all: game ${mb(game.all)}, label page ${mb(ref.all)}`);
  console.log(`first frame, median of ${loads}: game ${median(times.game).toFixed(0)} ms, label page ${median(times.ref).toFixed(0)} ms (${startRatio.toFixed(2)}x)`);
  console.log(`  game loads: ${times.game.map((t) => t.toFixed(0)).join(" ")}`);
  console.log(`  label loads: ${times.ref.map((t) => t.toFixed(0)).join(" ")}`);
  console.log(`browser CPU over 20 s: game's main screen ${gameCpu.toFixed(2)} s, turning picture ${refCpu.toFixed(2)} s (${cpuRatio.toFixed(2)}x)`);
  console.log(`goal: download before the first frame <= 4.6 MB and <= 1.15x the label page's: ${verdict(game.first <= 4.6e6 && firstRatio <= 1.15)}`);
  console.log(`goal: everything <= 5.2 MB: ${verdict(game.all <= 5.2e6)}`);
  console.log(`goal: first frame <= 1.10x the label page's: ${verdict(startRatio <= 1.1)}`);
  console.log(`goal: CPU <= 1.10x the turning picture's: ${verdict(cpuRatio <= 1.1)}`);
})().catch((e) => { console.error(e); process.exit(1); });
