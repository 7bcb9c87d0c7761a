// The key bar of a touch screen: the game's own keys as buttons beside or under the screen, so
// that a phone plays without its soft keyboard, which has no ESC and would cover the screen.
// The bar is drawn always and shown by page.css only where the main pointer is coarse (a finger);
// a tap sends the key's bytes down the same path as the keyboard's.
'use strict';

// The letters the game answers to, and the keys of the time warp's typed number.
const keyBarLetters = 'ABCEFHNPRSWY';
const keyBarDigits = '1234567890';

// `send(bytes)` takes a key as the terminal would send it; `keyboard(on)` shows or hides the
// soft keyboard. Returns `typing(on)`, which switches the bar between the one-key answers and
// the digits of a typed line.
function makeKeyBar(bar, send, keyboard) {
  function button(label, name, bytes, extra = '') {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = label;
    b.className = `key ${extra}`;
    if (name) b.setAttribute('aria-label', name);
    b.dataset.key = label;
    // A tap neither moves the focus (which would take keys from a hardware keyboard) nor waits.
    b.addEventListener('mousedown', event => event.preventDefault());
    b.addEventListener('click', () => send(bytes));
    return b;
  }
  function group(name, keys) {
    const g = document.createElement('div');
    g.className = 'keys';
    g.dataset.keys = name;
    g.append(...keys);
    return g;
  }

  const letters = group('letters', [
    button('ESC', 'Escape', '\x1b', 'wide'),
    ...[...keyBarLetters].map(letter => button(letter, '', letter.toLowerCase())),
    button('ENTER', 'Enter', '\r', 'wide')]);
  const digits = group('digits', [
    ...[...keyBarDigits].map(digit => button(digit, '', digit)),
    button('\u232b', 'Backspace', '\x7f', 'wide'),
    button('ENTER', 'Enter', '\r', 'wide')]);
  digits.hidden = true;

  let keyboardOn = false;
  const keyboardButton = document.createElement('button');
  keyboardButton.type = 'button';
  keyboardButton.className = 'key wide keyboard';
  keyboardButton.textContent = '\u2328 keyboard';
  keyboardButton.setAttribute('aria-label', 'Keyboard');
  keyboardButton.setAttribute('aria-pressed', 'false');
  keyboardButton.addEventListener('mousedown', event => event.preventDefault());
  keyboardButton.addEventListener('click', () => {
    keyboardOn = !keyboardOn;
    keyboardButton.setAttribute('aria-pressed', String(keyboardOn));
    keyboard(keyboardOn);
  });

  bar.append(letters, digits, keyboardButton);
  return on => {
    letters.hidden = on;
    digits.hidden = !on;
  };
}
