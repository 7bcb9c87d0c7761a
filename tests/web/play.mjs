// Plays the web build in headless Chromium, as a player would, what only a browser shows (the
// game's rules are tested elsewhere): a phone on its side played by taps on the key bar alone;
// on a desktop, the text a screen reader follows, keys through the terminal emulator, the frozen
// game as a file that travels between the page and the terminal edition both ways (with the
// files a player might load by mistake, and the question before a kept game is replaced), the
// end of a game and a new one, and storage refused; and no error in the page's console.
// The site has no sound files: the game makes each sound's samples in the page with the
// synthesizer that writes the native build's WAV files, and every sound must come out the same
// there (the same rate and length, each sample equal or one step of the 16-bit scale away, as the
// browser's maths library is not the native one); the opening tune is played from those very
// samples, and the game goes on once it has ended. It prints how long the sounds took to make.
//
// usage: node tests/web/play.mjs SITE_DIR NATIVE_ZORVANE NATIVE_SOUND_DIR [PHONE_SCREENSHOT.png]
//        (build-web/site build/zorvane build/data)
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { openGame, readStatus, sleep } from './browser.mjs';

const [site = 'build-web/site', native = 'build/zorvane', nativeSounds = 'build/data', phoneShot] = process.argv.slice(2);
const corpus = new URL('../../fuzz/corpus/', import.meta.url).pathname;
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-play-'));
const game = await openGame(site);
const { page, check, rows, whenText, keys, answer, until, launch, freeze, backToWheel, spin, status, goesOn } = game;

// A native sound file's rate and samples: the synthesizer writes mono 16-bit PCM after a header
// of 44 bytes.
function readWav(file) {
  const bytes = fs.readFileSync(file);
  return { rate: bytes.readUInt32LE(24),
    samples: Array.from({ length: bytes.readUInt32LE(40) / 2 }, (_, i) => bytes.readInt16LE(44 + 2 * i)) };
}

// Every sound Web Audio is given to play: its rate, its first channel as 16-bit steps, and when
// its playing ended.
await page.evaluateOnNewDocument(() => {
  const start = AudioBufferSourceNode.prototype.start;
  window.played = [];
  AudioBufferSourceNode.prototype.start = function (...args) {
    const record = { rate: this.buffer.sampleRate, ended: null,
      steps: Array.from(this.buffer.getChannelData(0), value => Math.round(value * 32768)) };
    window.played.push(record);
    this.addEventListener('ended', () => { record.ended = performance.now(); });
    return start.apply(this, args);
  };
});

// The terminal edition on an 80x25 pseudo-terminal in `folder`: takes up the frozen game there
// and spins once; returns what the status rows say.
async function nativeResumes(folder) {
  const child = spawn('script', ['-qfec', `stty cols 80 rows 25; exec ${path.resolve(native)}`, '/dev/null'],
    { cwd: folder, env: { ...process.env, TERM: 'xterm', LANG: 'C.UTF-8' } });
  let seen = '';
  child.stdout.on('data', bytes => { seen += bytes.toString().replace(/\x1b\[[0-9;?]*[A-Za-z]/g, '\n'); });
  try {
    for (const [prompt, key] of [[/Zapfest Game\?/, 'f'], [/Resume prior game/, 'r'],
      [/instructions\?/, 'n'], [/sound effects\?/, 'n'], [/Spin cosmic wheel/, '\r'], [/units of fuel/]]) {
      await until(() => seen, prompt, 'the terminal edition');
      if (key) seen = '';
      child.stdin.write(key ?? '');
    }
    return readStatus(seen);
  } finally {
    child.kill();
  }
}

// A file loaded through the page's "Load a file" picker (or dropped on the page), and the page's
// own questions: each answer clicks the first button (true) or the second.
async function loadFile(file, answers, drop = false) {
  if (drop) {
    await page.evaluate((text, name) => {
      const data = new DataTransfer();
      data.items.add(new File([text], name));
      document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, fs.readFileSync(file, 'latin1'), path.basename(file));
  } else {
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#load-file')]);
    await chooser.accept([file]);
  }
  for (const yes of answers) {
    await page.waitForSelector('#ask[open]', { timeout: 15000 }).catch(async () => check(false,
      `no question on loading ${file}; the page says: ${await page.$eval('#status', p => p.textContent)}`));
    await page.click(yes ? '#ask-yes' : '#ask-no');
  }
}
const statusSays = text => until(() => page.$eval('#status', p => p.textContent), new RegExp(text), 'the status line');

// The screen reader's text, and a screen row read the same way.
const transcript = () => page.$$eval('#transcript p', ps => ps.map(p => p.textContent));
const spoken = row => row.replace(/\s*\u25b2\s*$/, '').replace(/\u25b2/g, '-').replace(/\s+/g, ' ').trim();

const phone = { width: 844, height: 390, isMobile: true, hasTouch: true, isLandscape: true, deviceScaleFactor: 2 };
// A tap on the key bar's button for `key`, once it shows.
const tap = async key => (await page.waitForSelector(`#keybar .keys:not([hidden]) [data-key="${
  { Enter: 'ENTER', Escape: 'ESC' }[key] ?? key.toUpperCase()}"]`, { visible: true, timeout: 15000 })
  .catch(() => check(false, `no ${key} on the key bar`))).tap();

try {
  // ---- a phone on its side, by taps on the key bar alone, from the title to a spin, with the
  // screen reader's text (the box is remembered across a reload) read after each key ----
  await page.setViewport(phone);
  await page.goto(game.url);
  await answer(keys, [7, 33, 'ZORVANE'], [9, 28, 'Version 3.1 for Windows']);

  // At the title the game makes every sound while it waits for the first key.
  const served = fs.readdirSync(site, { recursive: true }).filter(file => /\.wav$/i.test(file) || file === 'data');
  check(served.length === 0, `the site holds sound files: ${served.join(', ')}`);
  const names = fs.readdirSync(nativeSounds).filter(name => name.endsWith('.wav')).map(name => name.slice(0, -4));
  await page.waitForFunction(names => names.every(name => window.zorvaneSound(name)), { timeout: 60000 }, names);
  let intro, total = 0;
  for (const name of names) {
    const { rate, ms, samples } = await page.evaluate(name => {
      const sound = window.zorvaneSound(name);
      return { rate: sound.rate, ms: sound.ms, samples: Array.from(sound.samples) };
    }, name);
    const native = readWav(path.join(nativeSounds, `${name}.wav`));
    const farthest = samples.reduce((most, sample, i) => Math.max(most, Math.abs(sample - native.samples[i])), 0);
    check(rate === native.rate && samples.length === native.samples.length && farthest <= 1,
      `${name}: ${samples.length} samples made at ${rate} Hz, ${farthest} steps at most from the file's `
      + `${native.samples.length} at ${native.rate} Hz`);
    if (name === 'intr') intro = { rate, samples };
    total += ms;
  }
  console.log(`${names.length} sounds made in the page as the native files have them, in ${total.toFixed(0)} ms`);

  await page.click('#reader');
  await page.reload();
  let lines;
  for (const [key, prompt] of [['f', 'Do you want instructions?'], ['n', 'Do you want sound effects?'],
    ['n', 'Press B to blast off'], ['b', 'Spin cosmic wheel']]) {
    await answer(tap, [21, 0, '', key], [21, 0, prompt]);
    await sleep(300);
    lines = await transcript();
    // The last line is the prompt the game waits at, as the row shows it; nothing else is
    // there but the game's words.
    check(lines.at(-1) === spoken((await rows())[20]) &&
      lines.every(line => line && line === spoken(line) && !/[\x00-\x1f\u25b2]/.test(line)),
    `after ${key} the text reads ${JSON.stringify(lines)}`);
  }
  // The blast-off is told in the order it was shown, and a new key starts the text afresh; a
  // spin tells the wheel's number before the status rows.
  check(/SUCCESSFUL BLASTOFF![^]*Spin cosmic wheel/.test(lines.join('\n')) && !lines.join().includes('Press B'),
    `the blast-off as read: ${JSON.stringify(lines)}`);
  await spin(tap);
  // Read once the game waits at the prompt on row 21 (the wheel's stays there during a scene).
  await until(async () => {
    const lines = await transcript();
    return lines.at(-1) === spoken((await rows())[20]) ? lines.join('\n') : lines.join('\n') + '\n(not yet)';
  }, /^You spun a \d+\nMiles to Mars: [^\n]+\nYou have \d+ units of fuel[^]*\n(?!\(not yet\))[^\n]*$/, 'the spin as read');
  await backToWheel(tap);
  const fits = await page.evaluate(() => ({ glyph: document.querySelector('.xterm-screen').getBoundingClientRect().width / 80,
    scrolls: document.documentElement.scrollWidth > innerWidth || document.documentElement.scrollHeight > innerHeight,
    softKeyboard: document.querySelector('.xterm-helper-textarea').inputMode !== 'none' }));
  check(fits.glyph >= 7 && !fits.scrolls && !fits.softKeyboard, `the phone: ${JSON.stringify(fits)}`);
  if (phoneShot) await page.screenshot({ path: phoneShot });

  // ---- a game frozen by taps, saved to a file, taken up by the terminal edition ----
  const frozen = await status();
  await freeze(true, tap);
  await whenText(21, 34, 'Bye for now pal!');
  const downloads = path.join(scratch, 'downloads');
  await (await page.createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#save-file');
  await until(() => String(fs.existsSync(path.join(downloads, 'mars.dat'))), /true/, 'the download');
  await sleep(200);
  goesOn(frozen, await nativeResumes(downloads), 'frozen in the page, the terminal went on');

  // ---- a desktop (the page reloaded): no key bar ----
  await page.setViewport({ width: 1024, height: 640 });
  check(await page.$eval('#keybar', bar => getComputedStyle(bar).display === 'none'), 'a key bar on a desktop');

  // ---- files loaded: a huge one refused, the kept game replaced only when the player says ----
  const huge = path.join(scratch, 'huge.dat');
  fs.writeFileSync(huge, Buffer.alloc(100 * 1024 * 1024));
  await loadFile(huge, []);
  await statusSays('huge.dat: it holds 100.0 MB');
  const fromTerminal = path.join(corpus, 'mid-rocks-station');
  await loadFile(fromTerminal, [false]);  // the kept game stays
  await statusSays('the frozen game kept in this browser stays');
  await launch({ resume: true });
  goesOn(frozen, await spin(), 'the kept game taken up');
  await backToWheel();

  // An arrow or function key changes nothing.
  await sleep(500);
  const before = (await rows()).join('\n');
  await keys('ArrowUp', 'ArrowLeft', 'F1');
  await sleep(500);
  check((await rows()).join('\n') === before, 'an arrow or function key changed the screen');

  // Ctrl-C reaches the game as a key (it asks to quit, as ESC does) and copies nothing; a click
  // on the page leaves the keys going to the game. ESC then Y: the end screen, then the page
  // offers a new game, which ENTER starts; the frozen game was used up.
  await page.keyboard.down('Control');
  await keys('c');
  await page.keyboard.up('Control');
  await whenText(21, 17, 'Do you want to quit this game?  Y or N');
  await page.mouse.click(5, 5);
  await answer(keys, [21, 17, 'Do you want to quit this game?  Y or N', 'n'], [21, 17, 'Spin cosmic wheel', 'Escape'],
    [21, 17, 'Do you want to quit this game?  Y or N', 'y'], [1, 1, 'You made 2 spins of the cosmic wheel.'],
    [22, 34, 'Press ESCAPE to exit', 'Escape']);
  await statusSays('^The game has ended.$');
  await keys('Enter');
  await answer(keys, [21, 23, 'Full game or Zapfest Game?  F or W', 'f'], [21, 23, 'Do you want instructions?  Y or N']);

  // A file the terminal edition wrote, taken up by the page where it stood.
  const fields = fs.readFileSync(fromTerminal, 'latin1').trim().split(/\s+/).map(Number);
  await loadFile(fromTerminal, [true]);
  await statusSays('mid-rocks-station is in place');
  await launch({ resume: true });
  goesOn({ fuel: fields[52], distance: fields[54] }, await spin(), 'the terminal\'s file taken up in the page');

  // A damaged file gets the game's own damaged-file screen, and a new game goes on beside it.
  await loadFile(path.join(corpus, 'bad-letter'), [true, true], 'drop');
  await answer(keys, [21, 23, 'Full game or Zapfest Game?  F or W', 'f'],
    [20, 23, 'The frozen game is damaged and cannot be resumed.', 'b'], [21, 23, 'Do you want instructions?  Y or N']);

  // ---- the phone again: the time warp's number by taps, on digits the bar shows while the game
  // reads the line. A game 20 million miles out is taken up in start seconds (?SECOND) until the
  // first spin warps; a number typed, taken back and typed again is read (each try burns fuel).
  await page.setViewport(phone);
  const midway = path.join(scratch, 'midway.dat');
  fs.writeFileSync(midway, fields.map((field, i) => ({ 50: 0, 51: 0, 52: 350, 54: 200 })[i] ?? field).join('\n'));
  await loadFile(midway, [true]);
  await statusSays('midway.dat is in place');
  for (let second = 1800000013; ; ++second) {
    check(second < 1800000060, 'no time warp on the first spin in 47 start seconds');
    await page.goto(`${game.url}?${second}`);
    await launch({ resume: true, press: tap });
    await tap('Enter');
    await whenText(22, 17, 'You spun a');
    if ((await rows())[21].includes('You spun a 10') && (await until(async () => (await rows())[20],
      /Enter 0 to 9|Make your move|Press A|Spin cosmic/, 'the spin'))[0] === 'Enter 0 to 9') break;
  }
  const fuelRow = (await rows())[19];
  for (const key of ['5', '\u232b', '3', 'Enter']) await tap(key);
  await until(async () => String((await rows())[19] !== fuelRow), /true/, 'the fuel row');

  // Where the browser refuses its storage, a freeze says so and the game goes on. With sound:
  // the opening tune plays from the samples made, at their rate, to its end, and only then does
  // the launch pad come.
  await page.evaluateOnNewDocument('Object.defineProperty(window, "indexedDB", { value: undefined });');
  await page.reload();
  await answer(keys, [21, 23, 'Full game or Zapfest Game?  F or W', 'f'],
    [21, 23, 'Do you want instructions?  Y or N', 'n'], [21, 23, 'Do you want sound effects?', 'y']);
  const padShown = await whenText(21, 28, 'Press B to blast off');  // the page's clock
  const [tune, ...more] = await page.evaluate(() => window.played);
  check(!more.length && tune?.rate === intro.rate && tune.steps.length === intro.samples.length
    && tune.steps.every((step, i) => step === intro.samples[i]),
  `the opening tune was not played from its samples at ${intro.rate} Hz: ${more.length + 1} sounds played`);
  check(tune.ended !== null && tune.ended <= padShown, 'the launch pad came before the tune had ended');
  await answer(keys, [21, 28, 'Press B to blast off', 'b'], [21, 17, 'Spin cosmic wheel']);
  await freeze(false);
  await answer(keys, [23, 17, 'The game could not be frozen: the browser would not store it.'], [21, 17, 'Spin cosmic wheel']);
  game.passed('browser');
} finally {
  await game.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
