// What the player sees and hears of a battle, as one list to compare with the rules: cues as
// "cue phal", pauses as "pause 1000", and the text as written, one line per entry.
#pragma once

#include "support/game_test.h"  // first: gtest before the console's write()

#include <string>
#include <tuple>
#include <vector>

#include "console/scripted_console.h"

using Trace = std::vector<std::string>;

inline Trace plus(Trace first, const Trace& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The log after the nth clear of the screen (0: from the start) up to the next move to the
// prompt line, column 17 of row 21, or to the end. Moves, clears and keys are left out, and so
// are runs of blanks (the prompt and status lines blanking themselves).
inline std::vector<std::string> traceAfterClear(const ScriptedConsole& console, int nth)
{
    std::vector<std::string> trace;
    int clears = 0;
    for (const LogEntry& entry : console.log()) {
        if (clears < nth) {
            if (entry.kind == LogEntry::Clear) ++clears;
            continue;
        }
        if (entry.kind == LogEntry::Move && entry.a == 17 && entry.b == 21) break;
        if (entry.kind == LogEntry::Sound) trace.push_back("cue " + shortNames({entry.text})[0]);
        if (entry.kind == LogEntry::Pause) trace.push_back("pause " + std::to_string(entry.a));
        if (entry.kind != LogEntry::Write) continue;
        std::string::size_type start = 0;
        while (start < entry.text.size()) {
            const auto end = entry.text.find('\n', start);
            const auto length = end == std::string::npos ? std::string::npos : end - start + 1;
            const std::string line = entry.text.substr(start, length);
            if (line.find_first_not_of(' ') != std::string::npos) trace.push_back(line);
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return trace;
}

// The expected trace for one sound setting. Rules are written once for both: "cue ..." entries
// and pauses marked "(sound)" belong to the cues and happen only with sound on; every other
// pause is taken with sound off too.
inline std::vector<std::string> heard(const std::vector<std::string>& rules, bool soundOn)
{
    const std::string mark = " (sound)";
    std::vector<std::string> trace;
    for (const std::string& entry : rules) {
        const bool soundOnly = entry.rfind("cue ", 0) == 0 ||
                               (entry.size() > mark.size() && entry.compare(entry.size() - mark.size(), mark.size(), mark) == 0);
        if (soundOnly && !soundOn) continue;
        trace.push_back(entry.rfind("pause", 0) == 0 && soundOnly ? entry.substr(0, entry.size() - mark.size()) : entry);
    }
    return trace;
}

// The same list joined with " | ", for failure messages that can be read at a glance.
inline std::string joined(const std::vector<std::string>& trace)
{
    std::string text;
    for (const std::string& entry : trace) text += (text.empty() ? "" : " | ") + entry;
    return text;
}

// Names a case of a table walked with sound on and off, from the row's name:
// "DeflectedAtSeven_SoundOn".
struct RowAndSound {
    template <typename Info>
    std::string operator()(const Info& info) const
    {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_SoundOn" : "_SoundOff");
    }
};
