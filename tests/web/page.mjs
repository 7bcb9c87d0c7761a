// The page around the game, in headless Chromium: the key bar of a touch screen played by taps
// alone on a phone held on its side, the text a screen reader follows, and the frozen game as a
// file that travels between the page and the terminal edition both ways, with the files a
// player might load by mistake (damaged, huge) and the question before a kept game is replaced.
//
// usage: node tests/web/page.mjs BUILD_WEB_DIR NATIVE_ZORVANE [PHONE_SCREENSHOT.png]
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { openGame, sleep } from './browser.mjs';

const [site = 'build-web', native = 'build/zorvane', phoneShot] = process.argv.slice(2);
const corpus = new URL('../../fuzz/corpus/', import.meta.url).pathname;
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvane-page-'));
const game = await openGame(site);
const { page, check, rows, whenText, keys, launch, freeze, backToWheel, status } = game;

// The saved fields of a frozen game, as the file holds them after its fifty decoys.
function frozenFields(file) {
  const numbers = fs.readFileSync(file, 'latin1').trim().split(/\s+/).map(Number);
  check(numbers.length === 82, `${file} holds ${numbers.length} numbers`);
  return { fuel: numbers[52], distance: numbers[54] };
}

// The terminal edition on an 80x25 pseudo-terminal in `folder`: takes up the frozen game there
// and spins once; returns what the status rows say.
async function nativeResumes(folder) {
  const child = spawn('script', ['-qfec', `stty cols 80 rows 25; exec ${path.resolve(native)}`, '/dev/null'],
    { cwd: folder, env: { ...process.env, TERM: 'xterm', LANG: 'C.UTF-8' } });
  let seen = '';
  child.stdout.on('data', bytes => { seen += bytes.toString('utf8').replace(/\x1b\[[0-9;?]*[A-Za-z]/g, '\n'); });
  const answer = async (wanted, key) => {
    for (let waited = 0; !wanted.test(seen); waited += 50) {
      check(waited < 15000, `the terminal edition never showed ${wanted}:\n${seen}`);
      await sleep(50);
    }
    const shown = seen.match(wanted);
    seen = '';
    if (key) child.stdin.write(key);
    return shown;
  };
  try {
    await answer(/Full game or Zapfest Game\?/, 'f');
    await answer(/Resume prior game/, 'r');
    await answer(/Do you want instructions\?/, 'n');
    await answer(/Do you want sound effects\?/, 'n');
    await answer(/Spin cosmic wheel/, '\r');
    const spun = Number((await answer(/You spun a (\d+)/))[1]);
    const miles = (await answer(/Miles to Mars: (?:(\d+) million)?,? ?(?:(\d+) hundred thousand)?/));
    const fuel = Number((await answer(/You have (\d+) units of fuel/))[1]);
    return { spun, fuel, distance: Number(miles[1] ?? 0) * 10 + Number(miles[2] ?? 0) };
  } finally {
    child.kill();
  }
}

// Loads `file` through the page's "Load a file" picker.
async function loadFile(file) {
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#load-file')]);
  await chooser.accept([file]);
}
const statusSays = text => page.waitForFunction(
  wanted => document.getElementById('status').textContent.includes(wanted), { timeout: 15000 }, text)
  .catch(async () => check(false, `the status line never said "${text}" but "${
    await page.$eval('#status', p => p.textContent)}"`));
// Answers the page's own question: `yes` clicks its first button.
async function answerQuestion(yes) {
  await page.waitForSelector('#ask[open]', { timeout: 15000 });
  await page.click(yes ? '#ask-yes' : '#ask-no');
}

// The screen reader's text: its lines, and the screen's row the game waits at, read the same way.
const transcript = () => page.$$eval('#transcript p', ps => ps.map(p => p.textContent));
const spoken = row => row.replace(/\s*\u25b2\s*$/, '').replace(/\u25b2/g, ' - ').replace(/\s+/g, ' ').trim();

try {
  // ---- a desktop: no key bar; the screen reader's text after each key of a short game ----
  await page.goto(game.url);
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  check(await page.$eval('#keybar', bar => getComputedStyle(bar).display === 'none'), 'a key bar on a desktop');
  await page.click('#reader');
  await page.reload();  // the box is remembered
  check(await page.$eval('#reader', box => box.checked), 'the screen reader box was not remembered');
  const heard = [];
  for (const [key, row, col, prompt] of [
    ['f', 21, 23, 'Do you want instructions?  Y or N'],
    ['n', 21, 23, 'Do you want sound effects?'],
    ['n', 21, 28, 'Press B to blast off'],
    ['b', 21, 17, 'Spin cosmic wheel']]) {
    await keys(key);
    await whenText(row, col, prompt);
    await sleep(300);
    const lines = await transcript();
    const screen = await rows();
    heard.push(lines);
    // The last line is the prompt the game waits at, as the row shows it; nothing else is
    // there but the game's words.
    check(lines.at(-1) === spoken(screen[20]), `after ${key} the text ends with "${lines.at(-1)}"`);
    check(lines.every(line => line && line === spoken(line) && !/[\x00-\x1f\u25b2]/.test(line)),
      `after ${key}: ${JSON.stringify(lines)}`);
  }
  // The blast-off is told in the order it was shown, and a new key starts the text afresh; a
  // spin tells the wheel's number before the status rows.
  const blastOff = heard[3].join('\n');
  check(/SUCCESSFUL BLASTOFF![^]*Spin cosmic wheel/.test(blastOff) && !blastOff.includes('Press B'),
    `the blast-off as read:\n${blastOff}`);
  await keys('Enter');
  await status();
  const spin = (await transcript()).join('\n');
  check(/^You spun a \d+\nMiles to Mars: [^\n]+\nYou have \d+ units of fuel/.test(spin), `the spin as read:\n${spin}`);
  await backToWheel();

  // ---- a game frozen in the page, saved to a file, taken up by the terminal edition ----
  const frozen = await status();
  await freeze();
  await whenText(12, 16, 'GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION');
  const downloads = path.join(scratch, 'downloads');
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#save-file');
  const saved = path.join(downloads, 'mars.dat');
  for (let waited = 0; !fs.existsSync(saved); waited += 100) {
    check(waited < 10000, 'no mars.dat was downloaded');
    await sleep(100);
  }
  await sleep(200);
  check(JSON.stringify(frozenFields(saved)) === JSON.stringify({ fuel: frozen.fuel, distance: frozen.distance }),
    `the saved file holds ${JSON.stringify(frozenFields(saved))}, the page showed ${JSON.stringify(frozen)}`);
  const inTerminal = await nativeResumes(downloads);
  check(inTerminal.fuel === frozen.fuel - 10 && inTerminal.distance === frozen.distance - 2 * inTerminal.spun,
    `frozen in the page at ${JSON.stringify(frozen)}, the terminal went on at ${JSON.stringify(inTerminal)}`);

  // ---- files loaded: a huge one refused, the kept game replaced only when the player says ----
  const huge = path.join(scratch, 'huge.dat');
  fs.writeFileSync(huge, '');
  fs.truncateSync(huge, 100 * 1024 * 1024);
  await loadFile(huge);
  await statusSays('huge.dat: it holds 100.0 MB');
  const fromTerminal = path.join(corpus, 'mid-rocks-station');
  await loadFile(fromTerminal);
  await answerQuestion(true);    // the game on the screen is left
  await answerQuestion(false);   // but the frozen game kept in the browser stays
  await statusSays('the frozen game kept in this browser stays');
  await launch({ resume: true });
  await keys('Enter');
  const kept = await status();
  check(kept.fuel === frozen.fuel - 10, `the kept game was not the one taken up: ${JSON.stringify(kept)}`);

  // A file the terminal edition wrote, taken up by the page where it stood.
  await loadFile(fromTerminal);
  await answerQuestion(true);
  await answerQuestion(true);
  await statusSays('mid-rocks-station is in place');
  await launch({ resume: true });
  await keys('Enter');
  const inPage = await status();
  const written = frozenFields(fromTerminal);
  check(inPage.fuel === written.fuel - 10 && inPage.distance === written.distance - 2 * inPage.spun,
    `the file holds ${JSON.stringify(written)}, the page went on at ${JSON.stringify(inPage)}`);

  // A damaged file gets the game's own damaged-file screen, and a new game goes on beside it.
  await loadFile(path.join(corpus, 'bad-letter'));
  await answerQuestion(true);
  await answerQuestion(true);
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  await keys('f');
  await whenText(20, 23, 'The frozen game is damaged and cannot be resumed.');
  await keys('b');
  await whenText(21, 23, 'Do you want instructions?  Y or N');

  // ---- a phone on its side, by taps on the key bar alone ----
  await page.setViewport({ width: 844, height: 390, isMobile: true, hasTouch: true, isLandscape: true,
    deviceScaleFactor: 2 });
  await page.goto(game.url);
  const tap = key => page.tap(`#keybar .keys:not([hidden]) [data-key="${
    { Enter: 'ENTER', Escape: 'ESC' }[key] ?? key.toUpperCase()}"]`);
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  await tap('f');
  await whenText(20, 23, 'The frozen game is damaged and cannot be resumed.');
  await tap('b');
  await whenText(21, 23, 'Do you want instructions?  Y or N');
  await tap('n');
  await whenText(21, 23, 'Do you want sound effects?');
  await tap('n');
  await whenText(21, 28, 'Press B to blast off');
  await tap('b');
  await whenText(12, 31, 'SUCCESSFUL BLASTOFF!');
  await whenText(21, 17, 'Spin cosmic wheel');
  await tap('Enter');
  await status();
  await backToWheel(tap);
  await sleep(300);
  const phone = await page.evaluate(() => ({
    glyph: document.querySelector('.xterm-screen').getBoundingClientRect().width / 80,
    scrolls: document.documentElement.scrollWidth > innerWidth || document.documentElement.scrollHeight > innerHeight,
    bar: document.getElementById('keybar').getBoundingClientRect().right <= innerWidth,
    softKeyboard: document.querySelector('.xterm-helper-textarea').inputMode !== 'none',
  }));
  check(phone.glyph >= 7 && !phone.scrolls && phone.bar && !phone.softKeyboard, `the phone: ${JSON.stringify(phone)}`);
  if (phoneShot) await page.screenshot({ path: phoneShot });

  check(game.problems.length === 0, `errors in the page's console:\n${game.problems.join('\n')}`);
  console.log('page test passed');
} finally {
  await game.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
