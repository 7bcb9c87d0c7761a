// The text a screen reader follows: what the game wrote since the player's last key, in the
// order it was written, line by line, read from the same VT100 stream the terminal draws. Cursor
// moves and clears end a line, blank runs (the game blanks a row before each prompt) shrink to
// one space or go, and the dash the game draws as a small triangle reads as a dash, or not at all
// at the end of a prompt. The last line is the prompt the game waits at.
'use strict';

// The region is an element with aria-live="polite"; its lines are <p> elements, appended as the
// game writes them so that a screen reader speaks only what is new.
function makeTranscript(region) {
  const decoder = new TextDecoder();
  const lines = [];     // finished lines and, last, the one being written
  let current = '';     // the raw text of the line being written
  let escape = '';      // an escape sequence read so far
  let shown = false;
  const mostLines = 200;

  // "on\u25b2board" reads "on-board", "kaboom \u25b2 you" reads "kaboom - you".
  const clean = raw => raw.replace(/\s*\u25b2\s*$/, '').replace(/\u25b2/g, '-')
    .replace(/\s+/g, ' ').trim();

  function endLine() {
    const line = clean(current);
    if (line) lines.push(line);
    if (lines.length > mostLines) lines.splice(0, lines.length - mostLines);
    current = '';
  }

  // The lines as read now: the finished ones and the one being written.
  function text() {
    const last = clean(current);
    return last ? [...lines, last] : [...lines];
  }

  function render() {
    if (!shown) return;
    const now = text();
    while (region.children.length > now.length) region.lastChild.remove();
    now.forEach((line, i) => {
      const p = region.children[i] ?? region.appendChild(document.createElement('p'));
      if (p.textContent !== line) p.textContent = line;
    });
  }

  function write(bytes) {
    for (const c of decoder.decode(bytes, { stream: true })) {
      if (escape) {
        escape += c;
        // A sequence ends at its final byte; a move or a clear ends the line.
        if (escape.length > 1 && (escape.length > 32 || (c >= '@' && c <= '~' && !(escape.length === 2 && c === '[')))) {
          if (/[HfJ]$/.test(escape)) endLine();
          escape = '';
        }
      } else if (c === '\x1b') {
        escape = c;
      } else if (c === '\n') {
        endLine();
      } else if (c === '\b') {
        current = current.slice(0, -1);
      } else if (c >= ' ' || c === '\t') {
        current += c;
      }
    }
    render();
  }

  // The player pressed a key: what comes next is new.
  function key() {
    lines.length = 0;
    current = '';
    if (shown) region.replaceChildren();
  }

  function show(on) {
    shown = on;
    region.hidden = !on;
    if (on) render();
    else region.replaceChildren();
  }

  return { write, key, show, text };
}
