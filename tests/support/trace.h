// What the player sees and hears, as lists to compare with the game's rules: the cues, pauses
// and writes of the log, the text after a clear.
#pragma once

#include "support/game_test.h"  // first: gtest before the console's write()

#include <string>
#include <vector>

using Trace = std::vector<std::string>;

// The log as "cue dama", "pause 1000" and the texts written (blank runs left out), against the
// rules heard with the sound given: with sound off the cues and the pauses marked " (sound)"
// are left out.
inline void expectHeard(const ScriptedConsole& console, const Trace& rules, bool soundOn)
{
    Trace seen, expected;
    for (const LogEntry& e : console.log()) {
        if (e.kind == LogEntry::Sound) seen.push_back("cue " + shortNames({e.text})[0]);
        if (e.kind == LogEntry::Pause) seen.push_back("pause " + std::to_string(e.a));
        if (e.kind == LogEntry::Write && e.text.find_first_not_of(' ') != std::string::npos) seen.push_back(e.text);
    }
    for (const std::string& rule : rules) {
        const auto mark = rule.find(" (sound)");
        if (!soundOn && (mark != std::string::npos || rule.rfind("cue ", 0) == 0)) continue;
        expected.push_back(rule.substr(0, mark));
    }
    EXPECT_EQ(seen, expected);
}

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
