// Plays the web build in headless Chromium, as a player would, and prints the page's figures.
// The game's rules are tested elsewhere; this checks what only a browser shows: the screen's
// rows in the page, keys through the terminal emulator, sound that waits, the frozen game in
// IndexedDB across a reload, a new game after the end, and no error in the page's console.
//
// usage: node tests/web/play.mjs BUILD_WEB_DIR [SCREENSHOT.png]
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const site = path.resolve(process.argv[2] ?? 'build-web');
const screenshot = process.argv[3];
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.wav': 'audio/wav' };

// A static file server on a free local port, like any a player might use.
const server = http.createServer((request, reply) => {
  let file = path.join(site, path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)));
  if (file.endsWith(path.sep)) file += 'index.html';
  fs.readFile(file, (error, bytes) => {
    if (error || !file.startsWith(site)) return reply.writeHead(404).end();
    reply.writeHead(200, { 'content-type': types[path.extname(file)] ?? 'application/octet-stream' }).end(bytes);
  });
});
await new Promise(listening => server.listen(0, '127.0.0.1', listening));

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--autoplay-policy=user-gesture-required'],
});
const page = await browser.newPage();
await page.setViewport({ width: 1024, height: 640 });
const problems = [];
page.on('console', message => message.type() === 'error' && problems.push(message.text()));
page.on('pageerror', error => problems.push(error.message));
// One start second gives one game: a clock that creeps along from a fixed second makes the
// voyage the same on every run, while timers and the page's own measures run at full speed.
await page.evaluateOnNewDocument('Date.now = () => 1800000000000 + performance.now() / 1000;');
// Every sound the page starts, with the time its playing ends.
await page.evaluateOnNewDocument(() => {
  const start = AudioBufferSourceNode.prototype.start;
  window.soundEnds = [];
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.soundEnds.push(performance.now() + this.buffer.duration * 1000);
    return start.apply(this, args);
  };
});

const figures = {};
function check(ok, what) {
  if (!ok) throw new Error(`${what}\n${screenText.last ?? ''}`);
}
const sleep = ms => new Promise(done => setTimeout(done, ms));

// The screen as the page shows it: one string of 80 characters for each of the 25 rows.
async function screenRows() {
  const rows = await page.$$eval('.xterm-rows > div', divs =>
    divs.map(div => div.textContent.replace(/\u00a0/g, ' ').padEnd(80)));
  screenText.last = rows.map((row, i) => `${String(i + 1).padStart(2)}|${row}`).join('\n');
  return rows;
}
const screenText = {};

// Resolves, in the page, with performance.now() once row `row` holds `text` at column `col`
// (1-based; col 0 means anywhere in the row).
function whenText(row, col, text, timeout = 15000) {
  return page.evaluate((row, col, text, timeout) => new Promise((resolve, reject) => {
    const rows = document.querySelector('.xterm-rows');
    const shown = () => {
      const line = (rows.children[row - 1]?.textContent ?? '').replace(/\u00a0/g, ' ');
      return col === 0 ? line.includes(text) : line.substr(col - 1, text.length) === text;
    };
    if (shown()) return resolve(performance.now());
    const watch = new MutationObserver(() => {
      if (shown()) { watch.disconnect(); clearTimeout(timer); resolve(performance.now()); }
    });
    const timer = setTimeout(() => { watch.disconnect(); reject(new Error(`no "${text}" on row ${row}`)); }, timeout);
    watch.observe(rows, { subtree: true, childList: true, characterData: true });
  }), row, col, text, timeout).catch(async error => { await screenRows(); check(false, error.message); });
}

async function keys(...names) {
  for (const name of names) await page.keyboard.press(name);
}

// From the title screen to the wheel, one key at a time: the type-ahead is dropped after a key.
async function launch() {
  await keys('f');
  await whenText(21, 23, 'Do you want instructions?  Y or N');
  await keys('n');
  await whenText(21, 23, 'Do you want sound effects?');
  await keys('n');
  await whenText(21, 28, 'Press B to blast off');
  await keys('b');
  await whenText(12, 31, 'SUCCESSFUL BLASTOFF!');
  await whenText(21, 17, 'Spin cosmic wheel');
}

// Answers every action prompt of an encounter with N (do nothing) until the wheel comes back.
async function backToWheel() {
  for (let turn = 0; turn < 40; ++turn) {
    await sleep(400);
    const rows = await screenRows();
    if (rows[20].substr(16, 17) === 'Spin cosmic wheel') return;
    if (/Make your move|Press A, B, E/.test(rows[20])) await keys('n');
  }
  check(false, 'the wheel did not come back');
}

// The main thread's busy share over `ms` milliseconds, from Chromium's own counters.
async function cpuShare(cdp, ms) {
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics
    .find(metric => metric.name === 'TaskDuration').value;
  const before = await busy();
  const started = performance.now();
  await sleep(ms);
  return (100 * (await busy() - before) / ((performance.now() - started) / 1e3)).toFixed(1);
}

// The status rows after a spin: miles to Mars in hundreds of thousands, and the fuel.
async function status() {
  await whenText(19, 17, 'Miles to Mars: ');
  await whenText(20, 17, 'You have ');
  const rows = await screenRows();
  const miles = rows[18].match(/Miles to Mars: (?:(\d+) million)?,? ?(?:(\d+) hundred thousand)?/);
  check(miles, 'no distance on row 19');
  return { distance: Number(miles[1] ?? 0) * 10 + Number(miles[2] ?? 0),
    fuel: Number(rows[19].match(/You have (\d+) units of fuel/)[1]),
    spun: Number(rows[21].match(/You spun a (\d+)/)[1]) };
}

try {
  // The page's files, as sent and gzipped.
  for (const file of ['zorvane.wasm', 'zorvane.js', 'xterm.js']) {
    const bytes = fs.readFileSync(path.join(site, file));
    figures[`${file} KiB (gzip)`] = `${(bytes.length / 1024).toFixed(0)} (${(zlib.gzipSync(bytes, { level: 9 }).length / 1024).toFixed(0)})`;
  }
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');

  // The title screen, each text at its row and column.
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  figures['navigation to title screen ms'] = Math.round(await whenText(7, 33, 'ZORVANE'));
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  const title = await screenRows();
  check(title[8].indexOf('Version 3.1 for Windows') === 27, 'row 9');
  check(title[14].startsWith('Zorvane is free: copy it'), 'row 15');

  // F, N, N, B: the launch pad and the blast-off; ENTER spins.
  await launch();
  await keys('Enter');
  const spun = await status();
  check(spun.fuel === 390 && spun.distance <= 350 - 2 * spun.spun, 'the first spin');
  await backToWheel();
  const frozen = await status();
  if (screenshot) await page.screenshot({ path: screenshot });

  // S toggles the sound, at once; an arrow key changes nothing.
  await page.evaluate(() => window.addEventListener('keydown', () => { window.keyDownAt = performance.now(); },
    { capture: true, once: true }));
  await keys('s');
  const answered = await whenText(19, 17, '* Sound on *');
  figures['key press to answering text ms'] = (answered - await page.evaluate(() => window.keyDownAt)).toFixed(1);
  await sleep(500);
  const before = (await screenRows()).join('\n');
  await keys('ArrowUp', 'ArrowLeft', 'F1');
  await sleep(500);
  check((await screenRows()).join('\n') === before, 'an arrow or function key changed the screen');
  figures['page CPU at a prompt %'] = await cpuShare(cdp, 2000);

  // F then Y freezes the game into IndexedDB; the goodbye pauses 3000 ms before its prompt.
  await keys('f');
  await whenText(18, 42, 'Want to freeze the game?  Y or N');
  await keys('y');
  await whenText(12, 16, 'GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION');
  await whenText(21, 34, 'Bye for now pal!');
  figures['page CPU in a 3000 ms pause %'] = await cpuShare(cdp, 2500);
  await whenText(22, 34, 'Press ESCAPE to exit');

  // A reload, and the full game offers the frozen one; R takes it up where it stood.
  await page.reload();
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  await keys('f');
  await whenText(21, 23, 'Resume prior game  or begin new game, R or B?');
  await keys('r');
  await whenText(20, 23, 'Resuming prior game');
  await whenText(21, 23, 'Do you want instructions?  Y or N');
  await keys('n');
  await whenText(21, 23, 'Do you want sound effects?');
  await keys('y');  // with sound from here on: each cue is played to its end before the game goes on
  await whenText(21, 17, 'Spin cosmic wheel');
  await keys('Enter');
  const resumed = await status();
  check(resumed.fuel === frozen.fuel - 10 && resumed.distance === frozen.distance - 2 * resumed.spun,
    `resumed from ${JSON.stringify(frozen)} to ${JSON.stringify(resumed)}`);

  // Ctrl-C reaches the game as a key (it asks to quit, as ESC does) and copies nothing; a
  // click on the page leaves the keys going to the game.
  await backToWheel();
  await page.keyboard.down('Control');
  await keys('c');
  await page.keyboard.up('Control');
  await whenText(21, 17, 'Do you want to quit this game?  Y or N');
  await page.mouse.click(5, 5);
  await keys('n');
  await whenText(21, 17, 'Spin cosmic wheel');

  // ESC then Y: the end screen, then the page offers a new game, which ENTER starts.
  await keys('Escape');
  await whenText(21, 17, 'Do you want to quit this game?  Y or N');
  await keys('y');
  await whenText(21, 34, 'Bye for now space traveller!');
  check((await screenRows())[0].startsWith('You made 2 spins of the cosmic wheel.'), 'the end screen');
  await whenText(22, 34, 'Press ESCAPE to exit');
  await keys('Escape');
  await page.waitForFunction(() => document.getElementById('status').textContent === 'The game has ended.'
    && !document.getElementById('again').hidden, { timeout: 15000 });
  // The spin, the quit and the exit tune were played, and the game ended after the last one.
  const played = await page.evaluate(() => ({ ends: window.soundEnds, now: performance.now() }));
  check(played.ends.length >= 3 && played.now + 50 >= Math.max(...played.ends), `sounds ${JSON.stringify(played)}`);
  await keys('Enter');
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  await keys('f');
  await whenText(21, 23, 'Do you want instructions?  Y or N');  // the frozen game was used up

  // Where the browser refuses its storage, a freeze says so and the game goes on.
  await page.evaluateOnNewDocument('Object.defineProperty(window, "indexedDB", { value: undefined });');
  await page.reload();
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  await launch();
  await keys('f');
  await whenText(18, 42, 'Want to freeze the game?  Y or N');
  await keys('y');
  await whenText(23, 17, 'The game could not be frozen: the browser would not store it.');
  await whenText(21, 17, 'Spin cosmic wheel');

  check(problems.length === 0, `errors in the page's console:\n${problems.join('\n')}`);
  for (const [name, value] of Object.entries(figures)) console.log(`${name}: ${value}`);
  console.log('browser test passed');
} finally {
  await browser.close();
  server.close();
}
