// The POSIX terminal underneath the game's backend: raw keys, the game's own screen, byte
// input and output that survive signals and partial writes, and the restore of the player's
// terminal on every way out.
#pragma once

#include <cstddef>
#include <string_view>

// Puts a terminal on standard input into raw mode, switches a terminal on standard output to
// the alternate screen, and arranges for both to be undone at exit and on SIGTERM, SIGHUP,
// SIGQUIT and SIGINT. Piped input is left as it is. A suspend from outside (SIGTSTP) gives
// both back to the shell and takes them again when the program continues; a resize or a
// return from a suspend is then reported as a screen change (below).
void ttyOpen();

// True when the keys come from a terminal (and not from a pipe or a file).
bool ttyKeysFromTerminal();
// True when the screen is a terminal.
bool ttyScreenIsTerminal();
// True when the terminal's own output processing is off, so that a line end must be sent
// as carriage return and line feed.
bool ttyOutputRaw();

// Restores the terminal and exits with status 0. A second call (an output error while
// restoring, say) exits at once.
[[noreturn]] void ttyEnd();

// Writes all of `bytes` to standard output before returning. A screen that has gone away
// (a hung-up terminal, a closed pipe) ends the program like the end of input.
void ttyWrite(std::string_view bytes);

// What ttyReadByte returns when the screen changed while it waited.
constexpr int ttyScreenChanged = -2;

// The next input byte, waiting at most timeoutMs (negative: for ever). Returns -1 when the
// time ran out. A wait for ever returns ttyScreenChanged when the window was resized or the
// program came back from a suspend: the screen wants drawing again. The end of input (EOF, a
// hang-up, a read error) ends the program.
int ttyReadByte(int timeoutMs);
// True, once, when the window was resized or the program came back from a suspend since the
// last report: for the waits that do not read keys (a pause, a sound).
bool ttyTakeScreenChange();
// Drops the keys typed ahead on a terminal. Piped keys are never dropped.
void ttyDiscardInput();

// Canonical mode with echo and line editing for one typed line, and back to raw mode.
// Neither lets Ctrl-C through as a signal.
void ttyLineMode();
void ttyRawMode();

// The size of the screen terminal; false when it is unknown.
bool ttyWindowSize(int& cols, int& rows);
