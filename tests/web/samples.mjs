// The sounds made in the page against the native build's sound files. The browser build has no
// sound files: the game makes each sound's samples in the page with the synthesizer that writes
// the native build's WAV files. Every sound must come out the same there: the same rate, the same
// length, and each sample equal or one step of the 16-bit scale away (the maths library of the
// browser build is not the native one). Then the opening tune is played: Web Audio gets those
// very samples at their own rate, and the game goes on once the tune has ended. It prints how
// long the making of each sound took in the page, beside the sound's length.
//
// usage: node tests/web/samples.mjs SITE_DIR NATIVE_SOUND_DIR   (build-web/site build/data)
import fs from 'node:fs';
import path from 'node:path';
import { openGame } from './browser.mjs';

const [site = 'build-web/site', nativeSounds = 'build/data'] = process.argv.slice(2);
const names = fs.readdirSync(nativeSounds).filter(name => name.endsWith('.wav')).map(name => name.slice(0, -4)).sort();
const game = await openGame(site);
const { page, check, answer, keys, whenText } = game;

// A native sound file's rate and samples: the synthesizer writes mono 16-bit PCM after a header
// of 44 bytes.
function readWav(file) {
  const bytes = fs.readFileSync(file);
  check(bytes.toString('latin1', 8, 16) === 'WAVEfmt ' && bytes.readUInt16LE(22) === 1 && bytes.readUInt16LE(34) === 16,
    `${file} is not the synthesizer's mono 16-bit WAV`);
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

try {
  const served = fs.readdirSync(site, { recursive: true }).filter(file => /\.wav$/i.test(file) || file === 'data');
  check(served.length === 0, `the site holds sound files: ${served.join(', ')}`);
  check(names.length > 0, `no sound files in ${nativeSounds}`);

  // At the title the game makes every sound while it waits for the first key.
  await page.goto(game.url);
  await whenText(21, 23, 'Full game or Zapfest Game?  F or W');
  await page.waitForFunction(names => names.every(name => window.zorvaneSound(name)), { timeout: 60000 }, names);
  const made = {};
  let total = 0;
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
    const apart = samples.filter((sample, i) => sample !== native.samples[i]).length;
    console.log(`${name.padEnd(5)} ${(samples.length / rate).toFixed(2).padStart(5)} s long, made in `
      + `${ms.toFixed(1).padStart(5)} ms, ${apart} samples one step apart`);
    made[name] = { rate, samples };
    total += ms;
  }
  console.log(`all ${names.length} made in ${total.toFixed(0)} ms`);

  // Y to the sound question: the opening tune plays from those samples, at their rate, to its
  // end, and only then does the launch pad come.
  await answer(keys, [21, 23, 'Full game or Zapfest Game?  F or W', 'f'],
    [21, 23, 'Do you want instructions?  Y or N', 'n'], [21, 23, 'Do you want sound effects?', 'y']);
  const padShown = await whenText(21, 28, 'Press B to blast off', 30000);
  const played = await page.evaluate(() => window.played);
  const tune = played[0], intro = made.intr;
  check(played.length === 1 && tune.rate === intro.rate && tune.steps.length === intro.samples.length
    && tune.steps.every((step, i) => step === intro.samples[i]),
  `the opening tune was not played from its samples at ${intro.rate} Hz: ${played.length} sounds played`);
  check(tune.ended !== null && tune.ended <= padShown, 'the launch pad came before the tune had ended');
  game.passed(`samples (${names.length} sounds made in the page as the native files have them)`);
} finally {
  await game.close();
}
