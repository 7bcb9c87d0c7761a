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

}  // namespace vt100
