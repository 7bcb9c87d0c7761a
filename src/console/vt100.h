// The VT100 byte stream of the game's screen: the one writer shared by every backend that
// draws on a terminal emulator (the POSIX terminal, the browser's terminal).
#pragma once

#include <string>
#include <string_view>

#include "console/screen_model.h"

namespace vt100 {

// Clears the whole screen and homes the cursor.
inline constexpr std::string_view clearScreen = "\x1b[2J\x1b[H";

// Moves the cursor to a 0-based column and row.
std::string moveTo(int col0, int row0);

// The bytes for a piece of game text. A line end becomes "\r\n" when `crlf` is set (a
// terminal whose own output processing is off, or a terminal emulator that takes line feed
// literally); the dash byte 0x1E becomes the small upward triangle U+25B2 on a UTF-8
// terminal and "^" on any other.
std::string text(std::string_view gameText, bool utf8, bool crlf);

// The bytes that draw the whole screen again, from a clear to the cursor where the game left
// it, in one piece.
std::string screen(const ScreenModel& model, bool utf8);

}  // namespace vt100
