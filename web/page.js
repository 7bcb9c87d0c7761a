// The page around the game's WebAssembly build: the 80x25 terminal (xterm.js), the keys, the
// speaker (Web Audio), the frozen game's storage (IndexedDB) and a new game after the end. The
// game reaches all of it through `page`, which src/console/web_console.cpp calls; every wait the
// game makes is a promise here, settled by an event or a timer, never by polling.
'use strict';

(() => {
  const screenElement = document.getElementById('screen');
  const statusLine = document.getElementById('status');
  const againButton = document.getElementById('again');

  const term = new Terminal({
    cols: 80, rows: 25, scrollback: 0, fontSize: 16, cursorBlink: false,
    fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
  });
  term.open(screenElement);

  // ---- the screen: 80x25 at the largest font that fits the window ----

  function fitToWindow() {
    for (let round = 0; round < 3; ++round) {
      const box = term.element.querySelector('.xterm-screen').getBoundingClientRect();
      if (box.width === 0 || box.height === 0) return;
      const room = Math.min((window.innerWidth - 24) / box.width, (window.innerHeight - 90) / box.height);
      const size = Math.max(8, Math.min(40, Math.floor(term.options.fontSize * room)));
      if (size === term.options.fontSize) return;
      term.options.fontSize = size;
    }
  }
  window.addEventListener('resize', fitToWindow);
  fitToWindow();

  // ---- keys: bytes as the terminal's keyboard sends them ----

  const typed = [];        // bytes not yet read by the game
  let keyWaiter = null;    // settles the game's wait for a key
  let gameOver = false;
  const utf8 = new TextEncoder();

  term.onData(data => {
    unlockSound();
    if (gameOver) {
      if (data === '\r') startGame();
      return;
    }
    // Arrow, function and Alt keys come as escape sequences: the game takes none of them.
    if (data.length > 1 && data[0] === '\x1b') return;
    for (const byte of utf8.encode(data)) if (typed.length < 4096) typed.push(byte);
    if (keyWaiter && typed.length > 0) {
      const settle = keyWaiter;
      keyWaiter = null;
      settle(typed.shift());
    }
  });
  // Focus on the terminal from the start, and back to it on any click.
  document.addEventListener('click', () => term.focus());
  term.focus();

  // ---- sound: one WAV at a time, after the player's first key ----

  let audio = null;
  const soundBytes = new Map();   // path -> promise of the file's bytes, or null
  const soundBuffers = new Map(); // path -> promise of the decoded sound, or null

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

  function fetchBytes(path) {
    if (!soundBytes.has(path)) {
      soundBytes.set(path, fetch(path).then(reply => (reply.ok ? reply.arrayBuffer() : null)).catch(() => null));
    }
    return soundBytes.get(path);
  }

  function decoded(path) {
    if (!soundBuffers.has(path)) {
      soundBuffers.set(path, fetchBytes(path)
        .then(bytes => (bytes ? audio.decodeAudioData(bytes.slice(0)) : null))
        .catch(() => null));
    }
    return soundBuffers.get(path);
  }

  async function playSound(path) {
    if (!audio || audio.state !== 'running') return;
    const buffer = await decoded(path);
    if (!buffer) return;  // missing or undecodable: silent, as on the terminal
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

  // ---- storage: the frozen game in IndexedDB, mounted as the game's working folder ----

  const saveFolder = '/zorvane';
  let storageWorks = false;

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
    // Storage that could not be read is never written either: a copy out of an empty folder
    // would delete a frozen game that is there.
    if (!storageWorks) statusLine.textContent = 'This browser will not keep a frozen game.';
  }

  // ---- the game: one fresh instance of the module for every game ----

  let compiled = null;  // the compiled game, kept: a new game needs no download

  // Compiled as it downloads (index.html asks for it early, beside the scripts); a server that
  // does not label it application/wasm gets it compiled once it is all there.
  function compiledGame() {
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
    gameOver = true;
    keyWaiter = null;
    statusLine.textContent = message;
    againButton.hidden = false;
    screenElement.classList.add('ended');
  }

  const page = {
    write: bytes => term.write(bytes),
    nextKey: () => new Promise(settle => {
      if (typed.length > 0) settle(typed.shift());
      else keyWaiter = settle;
    }),
    discardKeys: () => { typed.length = 0; },
    preloadSound: path => { fetchBytes(path); },
    playSound,
    openStorage,
    saveFiles: async FS => (storageWorks && (await syncFiles(FS, false)) ? 1 : 0),
    ended: () => showEnded('The game has ended.'),
  };

  function startGame() {
    // A newer build of the site kept for playing offline is taken between two games.
    if (window.siteUpdate?.reloadForNewBuild()) return;
    gameOver = false;
    againButton.hidden = true;
    screenElement.classList.remove('ended');
    typed.length = 0;
    term.reset();
    term.focus();
    statusLine.textContent = 'Loading the game\u2026';
    createZorvane({
      page,
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
