// The game's 80x25 screen as a terminal shows it, kept in memory: what the scripted console
// of the tests looks at, and what the terminal backend draws again after a resize, a suspend
// or Ctrl-L. Text written at the cursor wraps at the right edge, a line end goes to column 1
// of the next row, and a line end or a wrap on the bottom row scrolls the screen up.
#pragma once

#include <array>
#include <string>
#include <string_view>

class ScreenModel {
public:
    static constexpr int columns = 80;
    static constexpr int rows = 25;

    ScreenModel();

    // Blanks every cell and homes the cursor.
    void clear();
    // Cursor to a 0-based column and row; a place off the screen is taken to its nearest edge,
    // as a terminal does.
    void moveCursor(int col0, int row0);
    // Game text at the cursor, byte for byte ("\n" ends the row).
    void write(std::string_view text);

    // One row, 0-based, always `columns` characters long; a row off the screen throws
    // std::out_of_range.
    const std::string& row(int row0) const { return cells_.at(static_cast<std::size_t>(row0)); }
    // 0-based. The column is `columns` right after the last column was written: the cursor
    // waits there, and the next character goes to the start of the next row.
    int cursorCol() const { return col_; }
    int cursorRow() const { return row_; }

private:
    void putChar(char c);
    void newLine();

    std::array<std::string, rows> cells_;
    int col_ = 0;
    int row_ = 0;
};
