// The web build kept for playing offline, in headless Chromium: after one visit, the game loads
// and plays with the network off; a new build of the site replaces the old one whole at the next
// visit; a server caught half way through an update (new sw.js, an old file) changes nothing;
// where the storage is full, the page plays as if there were no worker.
// It works on a scratch copy of the site, changed as a new build would change it (a file edited,
// sw.js written anew by cmake/web_site.cmake), so it needs cmake.
//
// usage: node tests/web/offline.mjs SITE_DIR   (the site: build-web/site)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { openGame, sleep } from './browser.mjs';

const source = new URL('../..', import.meta.url).pathname;
const site = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-site-'));
fs.cpSync(process.argv[2] ?? 'build-web/site', site, { recursive: true });
const game = await openGame(site);
const { page, check, whenText, until, launch, spin, network } = game;

// Every file of the site but the worker itself, one name a line.
const served = () => fs.readdirSync(site, { recursive: true })
  .filter(name => name !== 'sw.js' && fs.statSync(path.join(site, name)).isFile()).sort().join('\n');

// The page's answer; a reload in the meantime (a new build taken when none should be) fails.
const inPage = job => page.evaluate(job).catch(error => check(false, `the page reloaded (${error.message})`));

// What the browser keeps: the names of the site's caches (one a build) and the files of the
// first. The worker keeps a file only when its content is the build's.
const kept = () => inPage(async () => {
  const names = (await caches.keys()).filter(name => name.startsWith('zorvane '));
  const files = names.length ? (await (await caches.open(names[0])).keys()).map(request => new URL(request.url).pathname.slice(1)) : [];
  return { names, files: files.sort().join('\n') };
});

// A change of build, as the build makes it: a file edited, and sw.js written anew.
function newBuild(file, text) {
  fs.appendFileSync(path.join(site, file), text);
  execFileSync('cmake', ['-D', `SITE=${site}`, '-D', `WORKER=${source}/web/sw.js.in`, '-P', `${source}/cmake/web_site.cmake`]);
}

// The page's build, as index.html marks it in the copies below ('' for the build as it came).
const buildShown = () => page.evaluate(() => document.querySelector('meta[name=build]')?.content ?? '');

// With the network off: a reload, the title, the launch pad and a spin of the wheel.
async function playOffline(build) {
  await network(false);
  await page.reload();
  await launch();
  await spin();
  check(await buildShown() === build, `offline, the page of build "${await buildShown()}", not "${build}"`);
  await network(true);
}

try {
  // The first visit, online: the game plays at once, and the worker keeps every file.
  await page.goto(game.url);
  await whenText(7, 33, 'ZORVANE');
  await page.waitForFunction(() => navigator.serviceWorker.controller, { timeout: 15000 });
  const first = await kept();
  check(first.names.length === 1 && first.files === served(), `kept after one visit: ${JSON.stringify(first)}`);
  await playOffline('');

  // A server half way through publishing a new build: the new sw.js, but one file still of the
  // old build. Once the new worker's install is over, the old build stays whole, online and off.
  const index = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
  newBuild('page.css', '\nbody { --build: 2; }\n');
  fs.writeFileSync(path.join(site, 'index.html'), index.replace('<head>', '<head>\n<meta name="build" content="2">'));
  await page.goto(game.url);
  await inPage(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update().catch(() => {});
    while (registration.installing) await new Promise(done => setTimeout(done, 50));
  });
  const mixed = await kept();
  check(JSON.stringify(mixed) === JSON.stringify(first), `kept from a half-published build: ${JSON.stringify(mixed)}`);
  await playOffline('');

  // The new build whole: the next visit starts in the old one, which gives way to the new one
  // before the first key, and only the new build is kept.
  newBuild('index.html', '');
  await page.goto(game.url);
  await until(() => buildShown().catch(() => ''), /^2$/, 'the new build');
  await whenText(7, 33, 'ZORVANE');
  const second = await kept();
  check(second.names.length === 1 && second.names[0] !== first.names[0] && second.files === served(),
    `kept after the new build: ${JSON.stringify(second)}`);
  await playOffline('2');

  // A browser whose storage is full (a quota of 100 KB for the site, here under its other name):
  // nothing can be kept, and the page plays from the network as if there were no service worker.
  const full = game.url.replace('127.0.0.1', 'localhost');
  await (await page.createCDPSession()).send('Storage.overrideQuotaForOrigin', { origin: new URL(full).origin, quotaSize: 100000 });
  await page.goto(full);
  await launch();
  await sleep(3000);  // the worker's attempt, once the page is idle
  check(await page.evaluate(async () => !navigator.serviceWorker.controller && (await caches.keys()).length === 0),
    'storage full, yet a worker or a cache');
  game.passed('offline');
} finally {
  await game.close();
  fs.rmSync(site, { recursive: true, force: true });
}
