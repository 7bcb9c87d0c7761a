// The screen as a terminal shows it, which the scripted console reads and the terminal draws
// again: wrapping at the right edge, line ends and scrolling at the bottom.
#include <gtest/gtest.h>

#include <string>

#include "console/screen_model.h"

namespace {

// A name, where the text is written (0-based), the text, then each row with text as
// "row@first column:text" and the cursor.
using Placed = std::tuple<const char*, int, int, const char*, const char*>;

class ScreenText : public ::testing::TestWithParam<Placed> {};

TEST_P(ScreenText, LandsWhereATerminalPutsIt)
{
    const auto& [name, col0, row0, text, shown] = GetParam();
    ScreenModel screen;
    screen.moveCursor(col0, row0);
    screen.write(text);
    std::string rows;
    for (int row = 0; row < ScreenModel::rows; ++row) {
        const std::string& cells = screen.row(row);
        const std::size_t first = cells.find_first_not_of(' '), last = cells.find_last_not_of(' ');
        if (first != std::string::npos)
            rows += std::to_string(row) + "@" + std::to_string(first) + ":" + cells.substr(first, last + 1 - first) + " ";
    }
    EXPECT_EQ(rows + "cursor " + std::to_string(screen.cursorCol()) + "," + std::to_string(screen.cursorRow()), shown);
}

// Waits past the last column; wraps on the next character; a line end there goes one row
// down; the bottom row scrolls up; a place off the screen takes the nearest edge.
INSTANTIATE_TEST_SUITE_P(ScreenModel, ScreenText,
                         ::testing::Values(Placed{"waitsPastTheLastColumn", 78, 5, "ab", "5@78:ab cursor 80,5"},
                                           Placed{"wrapsOnTheNextCharacter", 78, 5, "abc", "5@78:ab 6@0:c cursor 1,6"},
                                           Placed{"lineEndPastTheLastColumn", 78, 5, "ab\nc", "5@78:ab 6@0:c cursor 1,6"},
                                           Placed{"scrollsAtTheBottom", 2, 23, "x\ny\nz", "22@2:x 23@0:y 24@0:z cursor 1,24"},
                                           Placed{"offTheScreenToTheEdge", 200, -3, "z", "0@79:z cursor 80,0"},
                                           Placed{"belowTheScreenToTheBottom", -5, 99, "z", "24@0:z cursor 1,24"}),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

}  // namespace
