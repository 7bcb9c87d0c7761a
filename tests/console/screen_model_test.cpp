// The screen as a terminal shows it, which the scripted console reads and the terminal draws
// again: wrapping at the right edge, line ends and scrolling at the bottom.
#include <gtest/gtest.h>

#include <string>

#include "console/screen_model.h"

namespace {

struct TextCase {
    const char* name;
    int col0, row0;     // where the text is written
    const char* text;
    const char* shown;  // each row with text: "row@first column:text", then the cursor
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class ScreenText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ScreenText, LandsWhereATerminalPutsIt)
{
    ScreenModel screen;
    screen.moveCursor(GetParam().col0, GetParam().row0);
    screen.write(GetParam().text);
    std::string shown;
    for (int row = 0; row < ScreenModel::rows; ++row) {
        const std::string& cells = screen.row(row);
        const std::size_t first = cells.find_first_not_of(' ');
        if (first != std::string::npos)
            shown += std::to_string(row) + "@" + std::to_string(first) + ":" +
                     cells.substr(first, cells.find_last_not_of(' ') + 1 - first) + " ";
    }
    EXPECT_EQ(shown + "cursor " + std::to_string(screen.cursorCol()) + "," + std::to_string(screen.cursorRow()),
              GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    ScreenModel, ScreenText,
    ::testing::Values(TextCase{"waitsPastTheLastColumn", 78, 5, "ab", "5@78:ab cursor 80,5"},
                      TextCase{"wrapsOnTheNextCharacter", 78, 5, "abc", "5@78:ab 6@0:c cursor 1,6"},
                      TextCase{"lineEndThereGoesOneRowDown", 78, 5, "ab\nc", "5@78:ab 6@0:c cursor 1,6"},
                      TextCase{"bottomRowScrollsUp", 2, 23, "x\ny\nz", "22@2:x 23@0:y 24@0:z cursor 1,24"},
                      TextCase{"offTheScreenTakesTheNearestEdge", 200, -3, "z", "0@79:z cursor 80,0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
