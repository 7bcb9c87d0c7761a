// The web build's figures (figures, not a test): the site's files, as they are and gzipped; the
// bytes a first visit transfers from a server that sends gzip (the page and the service worker's
// copies of every file of the site, until the worker is in charge); the time from navigation to
// the title screen painted, the median of 5 cold loads (a fresh browser each, once it has
// started) on the local server and 5 under DevTools' emulation of a slow mobile link; the time
// from a key press to the text that answers it; and the page's main-thread CPU share while the
// game waits at a prompt and during its 3000 ms pause after a freeze. The page harness is the browser test's (tests/web/browser.mjs),
// so run `npm ci` in tests/web first.
//
// usage: node bench/web_bench.mjs SITE_DIR   (the site: build-web/site)
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { openGame, sleep } from '../tests/web/browser.mjs';

const site = process.argv[2] ?? 'build-web/site';
const figures = {};
const kib = bytes => (bytes / 1024).toFixed(0);

// Sizes in KiB of a group of files, as they are and gzipped one by one (as a server would).
function sizes(label, files) {
  let plain = 0, gzipped = 0;
  for (const file of files) {
    const bytes = fs.readFileSync(path.join(site, file));
    plain += bytes.length;
    gzipped += zlib.gzipSync(bytes).length;
  }
  figures[`${label} KiB (gzip)`] = `${kib(plain)} (${kib(gzipped)})`;
}
const all = fs.readdirSync(site, { recursive: true })
  .filter(name => fs.statSync(path.join(site, name)).isFile()).sort();
const big = ['zorvane.wasm', 'zorvane.js', 'xterm.js'];
const sounds = all.filter(name => name.endsWith('.wav'));
for (const file of big) sizes(file, [file]);
const rest = all.filter(name => !big.includes(name) && !sounds.includes(name));
sizes(`the ${rest.length} other files of the page`, rest);
if (sounds.length > 0) sizes(`${sounds.length} sound files`, sounds);

// The game on a server that sends gzip as a static server with precompressed files does: each
// file compressed once, ahead, and again only when its content changes. `game.bytesSent()`
// counts all the bytes the server has sent.
const compressible = file => !file.endsWith('.png');
const compressed = new Map();  // file -> { bytes, gzipped }: the last content seen and its gzip
function gzipped(file, bytes) {
  let kept = compressed.get(file);
  if (!kept?.bytes.equals(bytes)) {
    kept = { bytes, gzipped: zlib.gzipSync(bytes, { level: zlib.constants.Z_BEST_COMPRESSION }) };
    compressed.set(file, kept);
  }
  return kept.gzipped;
}
for (const name of all.filter(compressible)) gzipped(path.resolve(site, name), fs.readFileSync(path.join(site, name)));
async function openGzipped() {
  const game = await openGame(site, { send: (file, bytes, request) =>
    compressible(file) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')
      ? { bytes: gzipped(file, bytes), headers: { 'content-encoding': 'gzip' } } : { bytes } });
  const sockets = new Set();
  game.server.on('connection', socket => sockets.add(socket));
  game.bytesSent = () => [...sockets].reduce((sum, socket) => sum + socket.bytesWritten, 0);
  return game;
}

// The first visit: everything the server sends until the worker has taken charge of the page
// and kept the site, and nothing has been asked for a second.
{
  const game = await openGzipped();
  try {
    await game.page.goto(game.url);
    await game.whenText(7, 33, 'ZORVANE');
    await game.page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 15000 })
      .catch(() => console.log('(no service worker took charge of the page)'));
    for (let last = -1; last !== game.bytesSent(); await sleep(1000)) last = game.bytesSent();
    figures['first visit, all bytes sent with gzip KiB'] = kib(game.bytesSent());
  } finally {
    await game.close();
  }
}

// Navigation to the title screen in a fresh browser, with `link` network conditions: the page's
// clock when the title's name on row 7 has been painted. An observer set up before the page
// loads sees the terminal put the name in its row (in the frame that draws it); a task queued
// then runs once that frame's layout and paint are done. The observer costs the page little
// while it loads: it waits for the terminal's rows (elements added), then watches those alone.
async function coldTitle(link) {
  const game = await openGzipped();
  try {
    // A browser just started still loads pages of its own interface for a moment, which on a
    // small machine take the cores the page would have; a player's browser is past that when
    // they follow a link (the figure with none of this wait is `BENCH_NO_SETTLE=1`).
    if (!process.env.BENCH_NO_SETTLE) await sleep(1500);
    if (link) {
      const cdp = await game.page.createCDPSession();
      await cdp.send('Network.enable');
      await cdp.send('Network.emulateNetworkConditions', { offline: false, ...link });
    }
    await game.page.evaluateOnNewDocument(() => {
      let rows = null;
      const watch = new MutationObserver(() => {
        if (!rows) {
          rows = document.querySelector('.xterm-rows');
          if (!rows) return;
          watch.disconnect();
          watch.observe(rows, { subtree: true, childList: true, characterData: true });
        }
        const row = rows.children[6]?.textContent ?? '';
        if (row.replace(/\u00a0/g, ' ').substr(32, 7) !== 'ZORVANE') return;
        watch.disconnect();
        const painted = new MessageChannel();
        painted.port1.onmessage = () => { window.titleShownAt = performance.now(); };
        painted.port2.postMessage(0);
      });
      watch.observe(document, { subtree: true, childList: true });
    });
    await game.page.goto(game.url, { waitUntil: 'domcontentloaded' });
    await game.page.waitForFunction(() => window.titleShownAt, { timeout: 30000 });
    return await game.page.evaluate(() => window.titleShownAt);
  } finally {
    await game.close();
  }
}
const median = values => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
for (const [label, link] of [['local server', null],
  ['slow mobile link (1.6 Mbit/s, 150 ms)', { latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8 }]]) {
  const times = [];
  for (let load = 0; load < 5; ++load) times.push(await coldTitle(link));
  figures[`navigation to title screen, ${label} ms (median of 5; all)`] =
    `${median([...times]).toFixed(0)}; ${times.map(ms => ms.toFixed(0)).join(' ')}`;
}

const game = await openGame(site);
const { page, whenText, keys, launch, freeze } = game;

// The main thread's busy share over `ms` milliseconds, from Chromium's own counters.
async function cpuShare(cdp, ms) {
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics
    .find(metric => metric.name === 'TaskDuration').value;
  const before = await busy();
  const started = performance.now();
  await sleep(ms);
  return (100 * (await busy() - before) / ((performance.now() - started) / 1e3)).toFixed(1);
}

try {
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  await page.goto(game.url);
  await launch();

  // S at the wheel toggles the sound and says so at once: from the key's event in the page to
  // the answer on the screen, over 21 presses, each made once the wheel's prompt is back.
  await page.evaluate(() => window.addEventListener('keydown', () => { window.keyDownAt = performance.now(); },
    { capture: true }));
  const delays = [];
  for (let press = 0; press < 21; ++press) {
    await keys('s');
    const answered = await whenText(19, 17, press % 2 ? '* Sound off *' : '* Sound on *');
    delays.push(answered - await page.evaluate(() => window.keyDownAt));
    await sleep(300);  // past the prompt's own 200 ms pause before it comes back
    await whenText(21, 17, 'Spin cosmic wheel');
  }
  delays.sort((a, b) => a - b);
  figures['key press to answering text ms (least, median, most)'] =
    [delays[0], delays[10], delays[20]].map(ms => ms.toFixed(1)).join(', ');
  figures['page CPU at a prompt %'] = await cpuShare(cdp, 2000);

  await freeze();
  await whenText(21, 34, 'Bye for now pal!');
  figures['page CPU in a 3000 ms pause %'] = await cpuShare(cdp, 2500);
  await whenText(22, 34, 'Press ESCAPE to exit');
} finally {
  await game.close();
}
for (const [name, value] of Object.entries(figures)) console.log(`${name}: ${value}`);
