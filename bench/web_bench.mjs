// The web build's figures (figures, not a test): the files a player's browser fetches, as sent
// and gzipped; the time from navigation to the title screen in a fresh browser; the time from a
// key press to the text that answers it; and the page's main-thread CPU share while the game
// waits at a prompt and during its 3000 ms pause after a freeze. The page harness is the
// browser test's (tests/web/browser.mjs), so run `npm ci` in tests/web first.
//
// usage: node bench/web_bench.mjs BUILD_WEB_DIR
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { openGame, sleep } from '../tests/web/browser.mjs';

const site = process.argv[2] ?? 'build-web';
const figures = {};

// Sizes in KiB of a group of files, as sent and gzipped one by one (as a server would).
function sizes(label, files) {
  let sent = 0, gzipped = 0;
  for (const file of files) {
    const bytes = fs.readFileSync(path.join(site, file));
    sent += bytes.length;
    gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  figures[`${label} KiB (gzip)`] = `${(sent / 1024).toFixed(0)} (${(gzipped / 1024).toFixed(0)})`;
}
for (const file of ['zorvane.wasm', 'zorvane.js', 'xterm.js']) sizes(file, [file]);
sizes('index.html, page.js, page.css, xterm.css', ['index.html', 'page.js', 'page.css', 'xterm.css']);

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
  figures['navigation to title screen ms'] = Math.round(await whenText(7, 33, 'ZORVANE'));
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
