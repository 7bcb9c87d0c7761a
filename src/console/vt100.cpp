#include "console/vt100.h"

#include "console/console.h"

namespace vt100 {

std::string moveTo(int col0, int row0)
{
    return "\x1b[" + std::to_string(row0 + 1) + ";" + std::to_string(col0 + 1) + "H";
}

std::string text(std::string_view gameText, bool utf8, bool crlf)
{
    std::string bytes;
    bytes.reserve(gameText.size() + 16);
    for (char c : gameText) {
        if (c == '\n')
            bytes += crlf ? "\r\n" : "\n";
        else if (c == dashByte)
            bytes += utf8 ? "\xe2\x96\xb2" : "^";
        else
            bytes += c;
    }
    return bytes;
}

std::string screen(const ScreenModel& model, bool utf8)
{
    std::string bytes(clearScreen);
    for (int row0 = 0; row0 < ScreenModel::rows; ++row0) {
        const std::string& row = model.row(row0);
        const std::size_t end = row.find_last_not_of(' ') + 1;  // 0 for a blank row
        if (end == 0) continue;
        bytes += moveTo(0, row0);
        bytes += text(std::string_view(row).substr(0, end), utf8, false);
    }
    const int col0 = model.cursorCol(), row0 = model.cursorRow();
    if (col0 < ScreenModel::columns) return bytes + moveTo(col0, row0);
    // The cursor waits past the last column, where only writing that column puts it, so that
    // the game's next character wraps to the next row just as it would have.
    const char last = model.row(row0).back();
    return bytes + moveTo(col0 - 1, row0) + text(std::string_view(&last, 1), utf8, false);
}

}  // namespace vt100
