// The sounds made in the page against the native build's sound files. The browser build has no
// sound files: the game makes each sound's samples in the page with the synthesizer that writes
// the native build's WAV files. Every sound must come out the same there: the same rate, the same
// length, and each sample equal or one step of the 16-bit scale away (the maths library of the
// browser build is not the native one). Then the opening tune is played: Web Audio gets those
// very samples at their own rate, and the game goes on once the tune has ended. It prints how
// long the making of each sound took in the page, beside the sound's length.
//
// usage: node tests/web/samples.mjs BUILD_WEB_DIR NATIVE_SOUND_DIR   (build-web build/data)
import fs from 'node:fs';
import path from 'node:path';
import { openGame } from './browser.mjs';

const site = process.argv[2] ?? 'build-web';
const nativeSounds = process.argv[3] ?? 'build/data';

// A native sound file's rate and samples: the synthesizer writes mono 16-bit PCM after a header of
// 44 bytes.
function readWav(file) {
  const bytes = fs.readFileSync(file);
  const header = [bytes.toString('latin1', 0, 4), bytes.toString('latin1', 8, 16), bytes.readUInt16LE(20),
    bytes.readUInt16LE(22), bytes.readUInt16LE(34), bytes.toString('latin1', 36, 40)].join(' ');
  if (header !== 'RIFF WAVEfmt  1 1 16 data') throw new Error(`${file}: not the synthesizer's WAV (${header})`);
  const samples = new Int16Array(bytes.readUInt32LE(40) / 2);
  for (let i = 0; i < samples.length; ++i) samples[i] = bytes.readInt16LE(44 + 2 * i);
  return { rate: bytes.readUInt32LE(24), samples };
}

const names = fs.readdirSync(nativeSounds).filter(name => name.endsWith('.wav')).map(name => name.slice(0, -4)).sort();
const game = await openGame(site);
const { page, check, whenText, keys } = game;

// Every sound Web Audio is given to play: its buffer, its first channel as 16-bit steps, and when
// it started and ended.
await page.evaluateOnNewDocument(() => {
  const start = AudioBufferSourceNode.prototype.start;
  window.played = [];
  AudioBufferSourceNode.prototype.start = function (...args) {
    const wave = this.buffer.getChannelData(0);
    const record = { rate: this.buffer.sampleRate, duration: this.buffer.duration,
      steps: Array.from(wave, value => Math.round(value * 32768)), started: performance.now(), ended: null };
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

  const figures = [];
  const made = {};
  for (const name of names) {
    const sound = await page.evaluate(name => {
      const { samples, rate, ms } = window.zorvaneSound(name);
      const bytes = new Uint8Array(samples.buffer, samples.byteOffset, samples.byteLength);
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
      return { rate, ms, base64: btoa(text) };
    }, name);
    const bytes = Buffer.from(sound.base64, 'base64');
    const samples = new Int16Array(bytes.buffer, bytes.byteOffset, bytes.length / 2);
    const native = readWav(path.join(nativeSounds, `${name}.wav`));
    check(sound.rate === native.rate, `${name}: made at ${sound.rate} Hz, the file is at ${native.rate} Hz`);
    check(samples.length === native.samples.length,
      `${name}: ${samples.length} samples made, ${native.samples.length} in the file`);
    let apart = 0, farthest = 0;
    native.samples.forEach((sample, i) => {
      const step = Math.abs(samples[i] - sample);
      if (step > 0) ++apart;
      farthest = Math.max(farthest, step);
    });
    check(farthest <= 1, `${name}: a sample ${farthest} steps from the file's`);
    made[name] = samples;
    figures.push({ name, seconds: samples.length / sound.rate, ms: sound.ms, apart });
  }

  console.log('sound  length s  made in ms  samples one step apart');
  for (const { name, seconds, ms, apart } of figures) {
    console.log(`${name.padEnd(5)}  ${seconds.toFixed(2).padStart(8)}  ${ms.toFixed(1).padStart(10)}  ${String(apart).padStart(22)}`);
  }
  const total = figures.reduce((sum, figure) => sum + figure.ms, 0);
  const slowest = figures.reduce((a, b) => (b.ms / b.seconds > a.ms / a.seconds ? b : a));
  console.log(`all ${figures.length} made in ${total.toFixed(0)} ms; the slowest for its length: ${slowest.name}, `
    + `${slowest.ms.toFixed(1)} ms for ${slowest.seconds.toFixed(2)} s`);

  // Y to the sound question: the opening tune plays from those samples, at their rate, to its
  // end, and only then does the launch pad come.
  await keys('f');
  await whenText(21, 23, 'Do you want instructions?  Y or N');
  await keys('n');
  await whenText(21, 23, 'Do you want sound effects?');
  await keys('y');
  await whenText(21, 28, 'Press B to blast off', 30000);
  const shown = await page.evaluate(() => performance.now());
  const played = await page.evaluate(() => window.played);
  check(played.length === 1, `${played.length} sounds played for the opening tune`);
  const [tune] = played;
  const intr = made.intr;
  check(tune.rate === 22050 && tune.duration === intr.length / 22050, `the tune played at ${tune.rate} Hz for ${tune.duration} s`);
  check(tune.steps.length === intr.length && tune.steps.every((step, i) => step === intr[i]),
    'the tune played is not the samples made');
  check(tune.ended !== null && tune.ended <= shown, 'the launch pad came before the tune had ended');
  console.log(`the opening tune: ${tune.duration.toFixed(3)} s long, played for ${((tune.ended - tune.started) / 1000).toFixed(3)} s`);

  check(game.problems.length === 0, `errors in the page's console:\n${game.problems.join('\n')}`);
  console.log(`samples test passed: ${names.length} sounds made in the page as the native files have them`);
} finally {
  await game.close();
}
