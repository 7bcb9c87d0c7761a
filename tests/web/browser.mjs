// The page harness that the browser tests (play.mjs, offline.mjs) and the web
// build's benchmark (bench/web_bench.mjs) share: the built site on a local static server, opened
// in headless Chromium, with the means to read the screen's rows, wait for a text and press keys.
// puppeteer-core is resolved from this folder's node_modules (`npm ci` here), wherever the
// script that imports this module lives.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

// What the status rows after a spin say, in any order: the wheel's number, the fuel, and the
// miles to Mars in hundreds of thousands; null when one is missing.
export function readStatus(text) {
  const miles = text.match(/Miles to Mars: (?:(\d+) million)?,? ?(?:(\d+) hundred thousand)?/);
  const fuel = text.match(/You have (\d+) units of fuel/), spun = text.match(/You spun a (\d+)/);
  return miles && fuel && spun && { distance: Number(miles[1] ?? 0) * 10 + Number(miles[2] ?? 0),
    fuel: Number(fuel[1]), spun: Number(spun[1]) };
}

export const sleep = ms => new Promise(done => setTimeout(done, ms));

// Serves `site` on a free local port, like any static server a player might use (with the
// file's date, and "not modified" to a browser that has it), and opens a page in a fresh
// headless Chromium; nothing is loaded until the caller goes to `game.url`. `send(file, bytes,
// request)`, where given, returns the body to send for a file and any headers of its own (the
// benchmark's gzip); `game.server` is the server.
export async function openGame(site, { send } = {}) {
  site = path.resolve(site);
  let serving = true;  // false: the network is off, the server answers nothing
  const server = http.createServer((request, reply) => {
    if (!serving) return request.socket.destroy();
    let file = path.join(site, path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)));
    if (file.endsWith(path.sep)) file += 'index.html';
    fs.readFile(file, (error, bytes) => {
      if (error || !file.startsWith(site)) return reply.writeHead(404).end();
      const modified = new Date(Math.floor(fs.statSync(file).mtimeMs / 1000) * 1000);
      if (new Date(request.headers['if-modified-since'] ?? 0) >= modified) return reply.writeHead(304).end();
      const sent = send?.(file, bytes, request) ?? { bytes };
      reply.writeHead(200, { 'content-type': types[path.extname(file)] ?? 'application/octet-stream',
        'last-modified': modified.toUTCString(), ...sent.headers }).end(sent.bytes);
    });
  });
  await new Promise(listening => server.listen(0, '127.0.0.1', listening));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--autoplay-policy=user-gesture-required'],
  }).catch(error => { server.close(); throw error; });
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 640 });
  const problems = [];  // errors in the page's console
  page.on('console', message => message.type() === 'error' && problems.push(message.text()));
  page.on('pageerror', error => problems.push(error.message));
  // One start second gives one game: a clock that creeps along from a fixed second (or the
  // second the address asks for, ?SECOND) makes the voyage the same on every run, while timers
  // and the page's own measures run at full speed.
  await page.evaluateOnNewDocument(() => {
    const second = Number(location.search.slice(1)) || 1800000000;
    Date.now = () => second * 1000 + performance.now() / 1000;
  });

  let lastScreen = '';  // the screen as last read, shown when a check fails
  const check = (ok, what) => {
    if (!ok) throw new Error(`${what}\nThe page's screen as last read:\n${lastScreen}`);
  };

  // The screen as the page shows it: one string of 80 characters for each of the 25 rows.
  async function rows() {
    const shown = await page.$$eval('.xterm-rows > div', divs =>
      divs.map(div => div.textContent.replace(/\u00a0/g, ' ').padEnd(80)));
    lastScreen = shown.map((row, i) => `${String(i + 1).padStart(2)}|${row}`).join('\n');
    return shown;
  }

  // Resolves, with the page's performance.now(), once row `row` holds `text` at column `col`
  // (1-based; col 0 means anywhere in the row); fails the check after `timeout` ms.
  const whenText = (row, col, text, timeout = 15000) => page.waitForFunction((row, col, text) => {
    const line = (document.querySelector('.xterm-rows')?.children[row - 1]?.textContent ?? '').replace(/\u00a0/g, ' ');
    return (col === 0 ? line.includes(text) : line.substr(col - 1, text.length) === text) && performance.now();
  }, { polling: 'mutation', timeout }, row, col, text).then(shown => shown.jsonValue())
    .catch(async () => { await rows(); check(false, `no "${text}" on row ${row}`); });

  const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };

  // Polls `read()` until its answer matches `wanted`, and returns the match.
  async function until(read, wanted, what) {
    for (let waited = 0; ; waited += 50) {
      const now = await read();
      if (wanted.test(now)) return now.match(wanted);
      check(waited < 15000, `${what} never showed ${wanted}, but:\n${now}`);
      await sleep(50);
    }
  }

  // Waits for each step's text in turn, [row, col, text, ...keys], and presses its keys through
  // `press` (the keyboard, or taps on the key bar).
  async function answer(press, ...steps) {
    for (const [row, col, text, ...names] of steps.filter(Boolean)) {
      await whenText(row, col, text);
      for (const name of names) await press(name);
    }
  }

  // From the title screen to the wheel, one key at a time: the full game, a frozen game resumed
  // or a new one launched.
  const launch = ({ resume = false, sound = false, press = keys } = {}) => answer(press,
    [21, 23, 'Full game or Zapfest Game?  F or W', 'f'], resume && [21, 23, 'Resume prior game  or begin new game, R or B?', 'r'],
    resume && [20, 23, 'Resuming prior game'], [21, 23, 'Do you want instructions?  Y or N', 'n'],
    [21, 23, 'Do you want sound effects?', sound ? 'y' : 'n'], !resume && [21, 28, 'Press B to blast off', 'b'],
    !resume && [12, 31, 'SUCCESSFUL BLASTOFF!'], [21, 17, 'Spin cosmic wheel']);

  // F then Y at the wheel, through `press`: the game asks, then freezes (and says so, unless
  // `said` is false).
  const freeze = (said = true, press = keys) => press('f').then(() => answer(press, [18, 42, 'Want to freeze the game?  Y or N', 'y'],
    said && [12, 16, 'GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION']));

  // The network off (the browser's emulation, and the server silent) or on again.
  const network = async on => { serving = on; await page.setOfflineMode(!on); };

  // Answers every action prompt of an encounter with N (do nothing), through `press`, until the
  // wheel comes back.
  async function backToWheel(press = keys) {
    for (let turn = 0; turn < 40; ++turn) {
      await sleep(400);
      const screen = await rows();
      if (screen[20].substr(16, 17) === 'Spin cosmic wheel') return;
      if (/Make your move|Press A, B, E/.test(screen[20])) await press('n');
    }
    check(false, 'the wheel did not come back');
  }

  // What the status rows say after a spin; `spin` first presses ENTER (through `press`).
  const spin = async (press = keys) => { await press('Enter'); return status(); };
  async function status() {
    await answer(keys, [19, 17, 'Miles to Mars: '], [20, 17, 'You have ']);
    const shown = readStatus((await rows()).slice(18, 22).join('\n'));
    check(shown, 'no status after the spin');
    return shown;
  }

  // A game taken up where `from` stood has spent a spin's fuel and gone twice the spin on.
  const goesOn = (from, to, what) => check(to.fuel === from.fuel - 10 && to.distance === from.distance - 2 * to.spun,
    `${what}: expected to go on from ${JSON.stringify(from)}, but came to ${JSON.stringify(to)}`);

  // The end of a test: nothing went wrong in the page's console.
  function passed(name) {
    check(problems.length === 0, `errors in the page's console:\n${problems.join('\n')}`);
    console.log(`${name} test passed`);
  }

  const close = async () => { await browser.close(); server.close(); };
  return { page, server, problems, url: `http://127.0.0.1:${server.address().port}/`,
    check, rows, whenText, keys, answer, until, launch, freeze, network, backToWheel, spin, status, goesOn, passed, close };
}
