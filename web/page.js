// The page around the game's WebAssembly build: the 80x25 terminal (xterm.js), the keys, the
// speaker (Web Audio), the frozen game's storage (IndexedDB) and a new game after the end, with
// the key bar of a touch screen (keybar.js), the text for a screen reader (transcript.js) and
// the frozen game as a file (saves.js). The game reaches all of it through `page`, which src/console/web_console.cpp calls; every wait the
// game makes is a promise here, settled by an event or a timer, never by polling.
'use strict';

(() => {
  const screenElement = document.getElementById('screen');
  const statusLine = document.getElementById('status');
  const againButton = document.getElementById('again');
  const screenBox = document.getElementById('screen-box');

  // ---- the screen: 80x25 at the largest font that fits its box (page.css lays the box out) ----

  const fontFamily = '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace';
  const cols = 80, rows = 25;
  const largestFont = 40, smallestFont = 6;

  // The screen's size in CSS pixels at a font size, worked out as the terminal itself does from
  // the font's metrics (the width of a W, the font's ascent and descent), without laying the
  // page out; null where the browser cannot measure text off screen.
  const metrics = typeof OffscreenCanvas === 'function' ? new OffscreenCanvas(1, 1).getContext('2d') : null;
  function screenSize(size) {
    if (!metrics) return null;
    metrics.font = `${size}px ${fontFamily}`;
    const w = metrics.measureText('W');
    if (!(w.width > 0) || !(w.fontBoundingBoxAscent + w.fontBoundingBoxDescent > 0)) return null;
    const dpr = window.devicePixelRatio || 1;
    const height = Math.ceil((w.fontBoundingBoxAscent + w.fontBoundingBoxDescent) * dpr);
    return { width: Math.round(w.width * dpr * cols / dpr), height: Math.round(height * rows / dpr) };
  }

  // The largest size, in half points (a phone's screen gains a whole row of room from them),
  // whose screen fits the box with room for its border; null when it cannot be worked out. The
  // size is found from one measure at a large size (text grows with its size) and checked at
  // the size found: each size the font is measured at costs the browser a new font.
  function fittingFontSize() {
    const room = screenBox.getBoundingClientRect();
    const reference = screenSize(100);
    if (!reference || room.width === 0 || room.height === 0) return null;
    const fits = size => {
      const screen = screenSize(size);
      return screen && screen.width <= room.width - 6 && screen.height <= room.height - 6;
    };
    const scale = Math.min((room.width - 6) / reference.width, (room.height - 6) / reference.height);
    let size = Math.max(smallestFont, Math.min(largestFont, Math.floor(100 * scale * 2) / 2));
    while (size > smallestFont && !fits(size)) size -= 0.5;
    while (size < largestFont && fits(size + 0.5)) size += 0.5;
    return size;
  }

  // The terminal opens at its fitted size: it is laid out and drawn once at the start.
  const term = new Terminal({
    cols, rows, scrollback: 0, fontSize: fittingFontSize() ?? 16, cursorBlink: false, fontFamily,
  });
  term.open(screenElement);

  // Where the font cannot be measured off screen: from the screen as drawn, a few rounds.
  function fitByLayout() {
    for (let round = 0; round < 4; ++round) {
      const screen = term.element.querySelector('.xterm-screen').getBoundingClientRect();
      const room = screenBox.getBoundingClientRect();
      if (screen.width === 0 || screen.height === 0 || room.width === 0) return;
      const scale = Math.min((room.width - 6) / screen.width, (room.height - 6) / screen.height);
      const size = Math.max(smallestFont, Math.min(largestFont, Math.floor(term.options.fontSize * scale * 2) / 2));
      if (size === term.options.fontSize) return;
      term.options.fontSize = size;
    }
  }

  function fitToWindow() {
    const size = fittingFontSize();
    if (size === null) fitByLayout();
    else if (size !== term.options.fontSize) term.options.fontSize = size;
  }
  window.addEventListener('resize', fitToWindow);
  if (!metrics) fitToWindow();

  // ---- a touch screen: the key bar, and no soft keyboard unless the player asks ----

  // A finger as the main pointer (page.css shows the key bar then). A hardware keyboard still
  // types into the terminal; "none" only keeps the soft keyboard down.
  const touch = window.matchMedia('(pointer: coarse)');
  let softKeyboard = false;
  function keepKeyboardDown() {
    term.textarea.inputMode = touch.matches && !softKeyboard ? 'none' : 'text';
  }
  touch.addEventListener('change', () => { keepKeyboardDown(); fitToWindow(); });
  keepKeyboardDown();
  const keyBarTyping = makeKeyBar(document.getElementById('keybar'), data => sendKeys(data), on => {
    softKeyboard = on;
    keepKeyboardDown();
    term.textarea.blur();
    term.focus();
  });

  // ---- what a screen reader reads: the text since the last key, when the player asks ----

  const transcript = makeTranscript(document.getElementById('transcript'));
  const readerBox = document.getElementById('reader');
  function storedReader() {
    try {
      return localStorage.getItem('zorvane-reader') === 'on';
    } catch (error) {
      return false;  // storage refused: the box starts unticked
    }
  }
  // Work that can wait until the game's first screen is painted, done in the first idle moment
  // after it (or at once if the game could not start).
  let firstScreenShown;
  const firstScreen = new Promise(done => { firstScreenShown = done; });
  const afterTitle = work => firstScreen.then(() => (typeof requestIdleCallback === 'function'
    ? requestIdleCallback(work, { timeout: 1000 }) : setTimeout(work, 0)));
  // The service worker's copies of the site wait for it too (offline.js).
  afterTitle(() => window.siteUpdate?.start());

  // The stored choice is read after the title: the first look at the browser's storage takes
  // a while, and the transcript keeps the game's text from the start either way.
  let readerTicked = false;  // by the player, before the stored choice was read
  afterTitle(() => {
    if (readerTicked) return;
    readerBox.checked = storedReader();
    transcript.show(readerBox.checked);
  });
  readerBox.addEventListener('change', () => {
    readerTicked = true;
    transcript.show(readerBox.checked);
    term.focus();
    try {
      localStorage.setItem('zorvane-reader', readerBox.checked ? 'on' : 'off');
    } catch (error) {
      // remembered for this visit only
    }
  });

  // ---- keys: bytes as the terminal's keyboard sends them ----

  const typed = [];        // bytes not yet read by the game
  let keyWaiter = null;    // settles the game's wait for a key
  let gameOver = false;
  let keysThisGame = 0;    // a game with keys pressed is one a player would lose
  const utf8 = new TextEncoder();

  // The one way in for keys: the keyboard through the terminal, and the key bar's taps.
  function sendKeys(data) {
    unlockSound();
    if (gameOver) {
      if (data === '\r') startGame();
      return;
    }
    // Arrow, function and Alt keys come as escape sequences: the game takes none of them.
    if (data.length > 1 && data[0] === '\x1b') return;
    transcript.key();
    ++keysThisGame;
    for (const byte of utf8.encode(data)) if (typed.length < 4096) typed.push(byte);
    if (keyWaiter && typed.length > 0) {
      const settle = keyWaiter;
      keyWaiter = null;
      settle(typed.shift());
    }
  }
  term.onData(sendKeys);
  // Focus on the terminal from the start, and back to it on a click outside the page's
  // controls, so that the keys go to the game.
  document.addEventListener('click', event => {
    if (!event.target.closest('button, input, label, dialog')) term.focus();
  });
  term.focus();

  // ---- sound: one at a time, after the player's first key ----

  // The game makes each sound's samples with its own synthesizer, ahead whenever it waits (at a
  // key, in a pause) or when the sound first plays, and hands them here: kept for the visit, so a
  // new game (a fresh instance of the module) finds them made.
  let audio = null;
  const sounds = new Map();   // name -> { samples: Int16Array, rate, ms: how long the making took }
  const buffers = new Map();  // name -> the sound as Web Audio plays it, or null

  // A browser lets a page sound only after a key; until then every cue is skipped.
  function unlockSound() {
    if (audio || typeof AudioContext !== 'function') return;
    try {
      audio = new AudioContext();
      audio.resume().catch(() => {});
    } catch (error) {
      audio = null;
    }
  }

  function keepSound(name, samples, rate, ms) {
    sounds.set(name, { samples, rate, ms });
    buffers.delete(name);
  }

  // Settles once what the game last wrote is on the screen: parsed by the terminal, drawn in
  // the next frame and painted (or after 100 ms at most: a hidden tab draws no frames).
  let drawn = Promise.resolve();

  // Settles when the page has a moment with nothing else to do, after the screen the game wrote
  // is drawn, or after `withinMs` at most (0: no limit): true if no key came meanwhile.
  const idle = withinMs => new Promise(settle => {
    const now = () => settle(typed.length === 0);
    if (withinMs > 0) setTimeout(now, withinMs);
    drawn.then(() => {
      if (typeof requestIdleCallback === 'function') requestIdleCallback(now, { timeout: 100 });
      else setTimeout(now, 0);
    });
  });

  function buffered(name) {
    if (!buffers.has(name)) {
      const sound = sounds.get(name);
      let buffer = null;
      try {
        if (sound && sound.samples.length > 0) {
          buffer = audio.createBuffer(1, sound.samples.length, sound.rate);
          const wave = buffer.getChannelData(0);
          sound.samples.forEach((sample, i) => { wave[i] = sample / 32768; });
        }
      } catch (error) {
        buffer = null;  // a rate this browser will not take: silent, as on the terminal
      }
      buffers.set(name, buffer);
    }
    return buffers.get(name);
  }

  async function playSound(name) {
    if (!audio || audio.state !== 'running') return;
    const buffer = buffered(name);
    if (!buffer) return;
    await new Promise(done => {
      const source = audio.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.destination);
      // A context that stops playing (a device gone) must not hold the game for ever.
      const guard = setTimeout(done, buffer.duration * 1000 + 1000);
      source.onended = () => {
        clearTimeout(guard);
        done();
      };
      source.start();
    });
  }

  // For the browser test: the samples of a sound as the game made them for playing, once made.
  window.zorvaneSound = name => sounds.get(name) ?? null;

  // ---- storage: the frozen game in IndexedDB, mounted as the game's working folder ----

  const saveFolder = '/zorvane';
  let storageWorks = false;
  let files = null;           // the running game's file system
  let keepAsked = false;      // navigator.storage.persist() is asked once, at the first freeze

  // True once the copy is done; false on an error, and after ten seconds without an answer
  // (a storage that never answers must not hold the game).
  function syncFiles(FS, fromStorage) {
    return new Promise(done => {
      setTimeout(() => done(false), 10000);
      try {
        FS.syncfs(fromStorage, error => done(!error));
      } catch (error) {
        done(false);
      }
    });
  }

  async function openStorage(FS, IDBFS) {
    FS.mkdir(saveFolder);
    // Without IndexedDB at all (refused by the browser) the folder simply stays in memory.
    if (typeof indexedDB === 'object' && indexedDB) {
      FS.mount(IDBFS, {}, saveFolder);
      storageWorks = await syncFiles(FS, true);
    }
    FS.chdir(saveFolder);
    files = FS;
    // Storage that could not be read is never written either: a copy out of an empty folder
    // would delete a frozen game that is there.
    if (!storageWorks) statusLine.textContent = 'This browser will not keep a frozen game.';
    // A game left for a newer one while the player was asked stores nothing.
    const mine = generation;
    await saves.placeLoaded(FS, saveFolder, async () => mine === generation && storageWorks && syncFiles(FS, false));
  }

  // Copies the game's files to IndexedDB. After the first freeze the page asks the browser to
  // keep its storage (not to evict it when space runs low); whatever the answer, play goes on.
  async function saveFiles(FS) {
    const kept = storageWorks && (await syncFiles(FS, false));
    if (kept && !keepAsked && FS.analyzePath(`${saveFolder}/mars.dat`).exists) {
      keepAsked = true;
      try {
        navigator.storage?.persist?.().catch(() => {});
      } catch (error) {
        // not offered by this browser
      }
    }
    return kept ? 1 : 0;
  }

  const saves = makeSaves({
    say: text => { statusLine.textContent = text; },
    files: () => ({ FS: files, folder: saveFolder }),
    inProgress: () => !gameOver && keysThisGame > 0,
    restart: () => startGame(),
    focus: () => term.focus(),
  });

  // ---- the game: one fresh instance of the module for every game ----

  let compiled = null;  // the compiled game, kept: a new game needs no download

  // Compiled as it downloads, from the start of the page (index.html starts it before the
  // scripts, window.zorvaneCompiling); a server that does not label it application/wasm gets it
  // compiled once it is all there.
  function compiledGame() {
    if (!compiled && window.zorvaneCompiling) {
      compiled = window.zorvaneCompiling;
      window.zorvaneCompiling = null;
      compiled = compiled.catch(() => { compiled = null; return compiledGame(); });
    }
    if (!compiled) {
      const download = () => fetch('zorvane.wasm').then(reply => {
        if (!reply.ok) throw new Error(`zorvane.wasm: ${reply.status}`);
        return reply;
      });
      compiled = (typeof WebAssembly.compileStreaming === 'function'
        ? WebAssembly.compileStreaming(download()).catch(() => download()
          .then(reply => reply.arrayBuffer()).then(bytes => WebAssembly.compile(bytes)))
        : download().then(reply => reply.arrayBuffer()).then(bytes => WebAssembly.compile(bytes)));
      compiled.catch(() => { compiled = null; });
    }
    return compiled;
  }
  compiledGame();

  function showEnded(message) {
    firstScreenShown();
    gameOver = true;
    keyWaiter = null;
    statusLine.textContent = message;
    againButton.hidden = false;
    screenElement.classList.add('ended');
  }

  const page = {
    write: bytes => {
      const painted = new Promise(done => term.write(bytes, () => requestAnimationFrame(() => setTimeout(done, 0))));
      drawn = Promise.race([painted, new Promise(done => setTimeout(done, 100))]);
      drawn.then(firstScreenShown);
      transcript.write(bytes);
    },
    // `typing` is set while the game reads a typed line: the key bar shows the digits then.
    nextKey: typing => new Promise(settle => {
      keyBarTyping(Boolean(typing));
      if (typed.length > 0) settle(typed.shift());
      else keyWaiter = settle;
    }),
    discardKeys: () => { typed.length = 0; },
    hasSound: name => sounds.has(name),
    keepSound,
    idle,
    playSound,
    openStorage,
    saveFiles,
    ended: () => showEnded('The game has ended.'),
  };

  // A game left for a new one (a file loaded in the middle of it) may still wake from a pause
  // or a sound: from then on it draws nothing, stores nothing and waits for ever.
  let generation = 0;
  function pageForThisGame() {
    const mine = ++generation;
    const never = () => new Promise(() => {});
    const live = () => mine === generation;
    return Object.fromEntries(Object.entries(page).map(([name, call]) =>
      [name, (...args) => (live() ? call(...args) : name === 'saveFiles' ? 0 : never())]));
  }

  let firstGame = true;
  function startGame() {
    // A newer build of the site kept for playing offline is taken between two games.
    if (window.siteUpdate?.reloadForNewBuild()) return;
    gameOver = false;
    againButton.hidden = true;
    screenElement.classList.remove('ended');
    typed.length = 0;
    keysThisGame = 0;
    files = null;
    keyWaiter = null;
    transcript.key();
    keyBarTyping(false);
    if (!firstGame) term.reset();  // a fresh terminal is blank already
    firstGame = false;
    term.focus();
    statusLine.textContent = 'Loading the game\u2026';
    const mine = ++launches;
    loaderReady.then(() => {
      if (mine === launches) launchGame();
    });
  }

  // zorvane.js loads beside the page's scripts without holding them up (index.html marks it
  // async): the terminal is set up meanwhile, and the first game waits for it.
  const loaderReady = new Promise(done => {
    const script = document.getElementById('game-loader');
    if (typeof createZorvane === 'function' || window.zorvaneLoader || !script) done();
    else for (const type of ['load', 'error']) script.addEventListener(type, done);
  });
  let launches = 0;  // a game asked for again before the loader came starts once

  function launchGame() {
    if (typeof WebAssembly !== 'object' || typeof createZorvane !== 'function') {
      showEnded(typeof WebAssembly !== 'object'
        ? 'This browser cannot run the game: it has no WebAssembly.'
        : 'The game could not be loaded (zorvane.js is missing).');
      againButton.hidden = true;
      return;
    }
    createZorvane({
      page: pageForThisGame(),
      instantiateWasm(imports, receive) {
        compiledGame()
          .then(module => WebAssembly.instantiate(module, imports).then(instance => receive(instance, module)))
          .catch(error => showEnded(`The game could not be loaded (${error.message}).`));
        return {};
      },
      onRuntimeInitialized: () => { statusLine.textContent = ''; },
      onAbort: () => showEnded('The game stopped on an error.'),
    });
  }

  againButton.addEventListener('click', startGame);
  startGame();
})();
