// Plays the web build in headless Chromium, as a player would. The game's rules are tested
// elsewhere; this checks what only a browser shows: the screen's rows in the page, keys through
// the terminal emulator, sound that waits, the frozen game in IndexedDB across a reload, a new
// game after the end, and no error in the page's console. The page's figures are measured by
// bench/web_bench.mjs.
//
// usage: node tests/web/play.mjs SITE_DIR [SCREENSHOT.png]   (the site: build-web/site)
import { openGame, sleep } from './browser.mjs';

const screenshot = process.argv[3];
const game = await openGame(process.argv[2] ?? 'build-web/site');
const { page, check, rows, whenText, keys, launch, freeze, backToWheel, spin, status, goesOn } = game;

// Every sound the page starts, with the time its playing ends.
await page.evaluateOnNewDocument(() => {
  const start = AudioBufferSourceNode.prototype.start;
  window.soundEnds = [];
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.soundEnds.push(performance.now() + this.buffer.duration * 1000);
    return start.apply(this, args);
  };
});

try {
  // The title screen, its texts at their rows and columns.
  await page.goto(game.url);
  await whenText(7, 33, 'ZORVANE');
  await whenText(9, 28, 'Version 3.1 for Windows');

  // F, N, N, B: the launch pad and the blast-off; ENTER spins.
  await launch();
  const first = await spin();
  check(first.fuel === 390 && first.distance <= 350 - 2 * first.spun, 'the first spin');
  await backToWheel();
  const frozen = await status();
  if (screenshot) await page.screenshot({ path: screenshot });

  // S toggles the sound, at once; an arrow or function key changes nothing.
  await keys('s');
  await whenText(19, 17, '* Sound on *');
  await sleep(500);
  const before = (await rows()).join('\n');
  await keys('ArrowUp', 'ArrowLeft', 'F1');
  await sleep(500);
  check((await rows()).join('\n') === before, 'an arrow or function key changed the screen');

  // F then Y freezes the game into IndexedDB; the goodbye pauses before its prompt.
  await freeze();
  await whenText(21, 34, 'Bye for now pal!');
  await whenText(22, 34, 'Press ESCAPE to exit');

  // A reload, and the full game offers the frozen one; R takes it up where it stood, with sound
  // from here on: each cue is played to its end before the game goes on.
  await page.reload();
  await launch({ resume: true, sound: true });
  goesOn(frozen, await spin(), 'resumed');

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
  check((await rows())[0].startsWith('You made 2 spins of the cosmic wheel.'), 'the end screen');
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
  await launch();
  await freeze(false);
  await whenText(23, 17, 'The game could not be frozen: the browser would not store it.');
  await whenText(21, 17, 'Spin cosmic wheel');

  game.passed('browser');
} finally {
  await game.close();
}
