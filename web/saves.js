// The frozen game as a file the player keeps: "Save to a file" downloads it as mars.dat, the
// same file the terminal and Windows editions write and read; "Load a file" (the picker, or a
// file dropped on the page) puts one in place for the next game, which the game's own reader
// then offers to resume, or shows as damaged. A frozen game already kept in the browser is
// never replaced without the player's say, and whatever cannot be done is said in the status
// line, with nothing changed.
'use strict';

// A frozen game is 82 short numbers, well under a kilobyte; the game refuses files over 64 KiB
// and the page does not read them at all.
const largestFrozenGame = 64 * 1024;

// Asks a question in the page's own dialog: resolves to true for `yes`, false for `no` or ESC.
function askPlayer(question, yes, no) {
  const dialog = document.getElementById('ask');
  document.getElementById('ask-text').textContent = question;
  document.getElementById('ask-yes').textContent = yes;
  document.getElementById('ask-no').textContent = no;
  if (dialog.open) return Promise.resolve(false);  // one question at a time
  dialog.returnValue = '';
  return new Promise(answer => {
    dialog.addEventListener('close', () => answer(dialog.returnValue === 'yes'), { once: true });
    dialog.showModal();
  });
}

function sizeInWords(bytes) {
  if (bytes >= 1024 * 1024) return `${(bytes / (1024 * 1024)).toFixed(1)} MB`;
  return `${Math.round(bytes / 1024)} KB`;
}

// `game` gives the page's side: say(text) in the status line, files() the running game's file
// system and its folder, inProgress() while a game is being played, restart() for a new game,
// focus() to give the keys back to the game.
function makeSaves(game) {
  let busy = false;

  // The file loaded and not yet in place, { id, name, bytes }: the next game puts it in place
  // once it has read its storage, a moment after the load. It is kept in the tab's session
  // storage too, so that a reload (or the tab closed and brought back) in that moment does not
  // lose it: the game of the page that comes back puts it in place instead. A browser that
  // refuses session storage keeps it in memory only.
  const pendingKey = 'zorvane loaded file';
  let pending = null;

  function keepPending(file) {
    pending = file;
    try {
      sessionStorage.setItem(pendingKey, JSON.stringify({ id: file.id, name: file.name,
        bytes: Array.from(file.bytes, byte => String.fromCharCode(byte)).join('') }));
    } catch (error) {
      try {
        sessionStorage.removeItem(pendingKey);  // an older one must not come back instead
      } catch (refused) {
        // no session storage at all
      }
    }
  }

  function pendingFile() {
    if (pending) return pending;
    try {
      const kept = JSON.parse(sessionStorage.getItem(pendingKey));
      if (kept && typeof kept.name === 'string' && typeof kept.bytes === 'string' &&
          kept.bytes.length <= largestFrozenGame) {
        return { id: kept.id, name: kept.name, bytes: Uint8Array.from(kept.bytes, c => c.charCodeAt(0) & 0xff) };
      }
    } catch (error) {
      // none kept, or storage refused
    }
    return null;
  }

  // Once a loaded file is dealt with (put in place, or turned down by the player); a file
  // loaded since, while the player was asked, stays.
  function forgetPending(file) {
    if (pending && pending.id !== file.id) return;
    pending = null;
    try {
      if (JSON.parse(sessionStorage.getItem(pendingKey))?.id === file.id) sessionStorage.removeItem(pendingKey);
    } catch (error) {
      // nothing kept
    }
  }

  function frozenBytes() {
    const { FS, folder } = game.files();
    try {
      return FS ? FS.readFile(`${folder}/mars.dat`) : null;
    } catch (error) {
      return null;  // no frozen game
    }
  }

  function saveToFile() {
    const bytes = frozenBytes();
    if (!bytes) {
      game.say('There is no frozen game to save: freeze one first (F at the wheel, then Y).');
      return;
    }
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const link = document.createElement('a');
    link.href = url;
    link.download = 'mars.dat';
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
    game.say('The frozen game was saved as mars.dat.');
  }

  async function load(file) {
    const refuse = why => game.say(`${file.name}: ${why} Nothing was changed.`);
    if (file.size > largestFrozenGame) {
      refuse(`it holds ${sizeInWords(file.size)}, and a frozen game is under 1 KB, so it is not one.`);
      return;
    }
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      refuse('it could not be read (a folder is not a frozen game).');
      return;
    }
    if (bytes.length > largestFrozenGame) {
      refuse('it is too large to be a frozen game.');
      return;
    }
    if (game.inProgress() &&
        !(await askPlayer(`Loading ${file.name} starts a new game: the game on the screen is left ` +
          'as it stands, and a voyage not frozen is lost.', 'Load it', 'Go on playing'))) {
      game.say('Nothing was loaded.');
      return;
    }
    keepPending({ id: `${Date.now()} ${Math.random()}`, name: file.name, bytes });
    game.restart();
  }

  // One load at a time; a second while the first is asked about is turned away.
  async function loadOnce(files) {
    if (busy || document.getElementById('ask').open) return;
    if (files.length !== 1) {
      game.say('Load one file: the frozen game, mars.dat.');
      return;
    }
    busy = true;
    try {
      await load(files[0]);
    } finally {
      busy = false;
      game.focus();
    }
  }

  // Called by the next game once its storage is read: puts the loaded file in place as its
  // mars.dat, after asking when another frozen game is there; `keep()` stores it in the
  // browser and says whether that worked.
  async function placeLoaded(FS, folder, keep) {
    const loaded = pendingFile();
    if (!loaded) return;
    const { name, bytes } = loaded;
    const target = `${folder}/mars.dat`;
    const old = frozenBytesAt(FS, target);
    const same = old && old.length === bytes.length && old.every((byte, i) => byte === bytes[i]);
    if (old && !same && !(await askPlayer(`A frozen game is already kept in this browser. Replace it ` +
        `with ${name}? (Keep it, then "Save to a file", to have both.)`, 'Replace it', 'Keep it'))) {
      forgetPending(loaded);
      game.say(`${name} was not loaded: the frozen game kept in this browser stays.`);
      return;
    }
    try {
      FS.writeFile(target, bytes);
    } catch (error) {
      forgetPending(loaded);
      game.say(`${name} could not be put in place. Nothing was changed.`);
      return;
    }
    const kept = await keep();
    forgetPending(loaded);
    game.say(kept
      ? `${name} is in place: choose F, the full game, to take it up.`
      : `${name} is in place for this visit only: the browser would not store it.`);
  }

  function frozenBytesAt(FS, target) {
    try {
      return FS.readFile(target);
    } catch (error) {
      return null;
    }
  }

  // The controls: the buttons, the picker and a file dropped anywhere on the page.
  const picker = document.getElementById('file-picker');
  document.getElementById('save-file').addEventListener('click', () => {
    saveToFile();
    game.focus();
  });
  document.getElementById('load-file').addEventListener('click', () => picker.click());
  picker.addEventListener('change', () => {
    const files = [...picker.files];
    picker.value = '';
    if (files.length) loadOnce(files);
  });
  document.addEventListener('dragover', event => {
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
  });
  document.addEventListener('drop', event => {
    event.preventDefault();
    const items = [...(event.dataTransfer.items ?? [])];
    const folder = items.find(item => item.webkitGetAsEntry?.()?.isDirectory);
    if (folder) {
      game.say(`${folder.getAsFile()?.name ?? 'That'} is a folder, not a frozen game. Nothing was changed.`);
      return;
    }
    loadOnce([...event.dataTransfer.files]);
  });

  return { placeLoaded };
}
