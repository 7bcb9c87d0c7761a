// What the player sees and hears, as lists to compare with the game's rules: a trace of cues
// ("cue phal"), pauses ("pause 1000") and text lines; runs of the raw log.
#pragma once

#include "support/game_test.h"  // first: gtest before the console's write()

#include <algorithm>
#include <string>
#include <vector>

using Trace = std::vector<std::string>;

inline Trace plus(Trace first, const Trace& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The log after the nth clear of the screen (0: from the start) up to the next move to the
// prompt line, column 17 of row 21, or to the end. Moves, clears and keys are left out, and so
// are runs of blanks (the prompt and status lines blanking themselves).
inline Trace traceAfterClear(const ScriptedConsole& console, int nth)
{
    Trace trace;
    int clears = 0;
    for (const LogEntry& entry : console.log()) {
        if (clears < nth) {
            clears += entry.kind == LogEntry::Clear;
            continue;
        }
        if (entry.kind == LogEntry::Move && entry.a == 17 && entry.b == 21) break;
        if (entry.kind == LogEntry::Sound) trace.push_back("cue " + shortNames({entry.text})[0]);
        if (entry.kind == LogEntry::Pause) trace.push_back("pause " + std::to_string(entry.a));
        if (entry.kind != LogEntry::Write) continue;
        for (std::string::size_type start = 0, end = 0; start < entry.text.size(); start = end + 1) {
            end = std::min(entry.text.find('\n', start), entry.text.size() - 1);
            const std::string line = entry.text.substr(start, end - start + 1);
            if (line.find_first_not_of(' ') != std::string::npos) trace.push_back(line);
        }
    }
    return trace;
}

// The expected trace for one sound setting. Rules are written once for both: "cue ..." entries
// and pauses marked "(sound)" belong to the cues and happen only with sound on; every other
// pause is taken with sound off too.
inline Trace heard(const Trace& rules, bool soundOn)
{
    const std::string mark = " (sound)";
    Trace trace;
    for (const std::string& entry : rules) {
        const bool marked = entry.size() > mark.size() && entry.compare(entry.size() - mark.size(), mark.size(), mark) == 0;
        if ((marked || entry.rfind("cue ", 0) == 0) && !soundOn) continue;
        trace.push_back(marked ? entry.substr(0, entry.size() - mark.size()) : entry);
    }
    return trace;
}

// Compares the trace after the nth clear with the rules as heard; with `prefix`, only as far
// as the rules go (the start of an ending, say). Failures show the trace joined with " | ".
inline void expectTrace(const ScriptedConsole& console, int nth, const Trace& rules, bool soundOn, bool prefix = false)
{
    const Trace expected = heard(rules, soundOn);
    Trace seen = traceAfterClear(console, nth);
    if (prefix) seen.resize(std::min(seen.size(), expected.size()));
    std::string text;
    for (const std::string& entry : seen) text += (text.empty() ? "" : " | ") + entry;
    EXPECT_EQ(seen, expected) << text;
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

// True when `run` stands in the log as consecutive entries.
inline bool logHasRun(const ScriptedConsole& console, const std::vector<LogEntry>& run)
{
    const auto& log = console.log();
    return std::search(log.begin(), log.end(), run.begin(), run.end()) != log.end();
}

inline LogEntry moved(int col, int row) { return {LogEntry::Move, "", col, row}; }
inline LogEntry wrote(const std::string& text) { return {LogEntry::Write, text}; }
inline LogEntry paused(int ms) { return {LogEntry::Pause, "", ms}; }
inline LogEntry pressed(int key) { return {LogEntry::Key, "", key}; }
inline LogEntry played(const std::string& name) { return {LogEntry::Sound, "data\\" + name + ".wav"}; }
inline LogEntry cleared() { return {LogEntry::Clear, ""}; }
