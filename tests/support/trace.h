// What the player sees and hears, as lists: the cues heard, the text after a clear.
#pragma once

#include "support/game_test.h"  // first: gtest before the console's write()

#include <string>
#include <vector>

using Trace = std::vector<std::string>;

// All the text written after the nth clear of the screen (0: from the start) up to the next
// clear (-1: all the text of the log), as one string.
inline std::string textAfterClear(const ScriptedConsole& console, int nth = -1)
{
    std::string text;
    int clears = 0;
    for (const LogEntry& entry : console.log()) {
        clears += entry.kind == LogEntry::Clear;
        if (entry.kind == LogEntry::Write && (nth < 0 || clears == nth)) text += entry.text;
    }
    return text;
}
