// What the asteroid and station tests share: a look at the text written between two clears of
// the screen, contiguous runs of the log, and the shape of an ending's verse on the screen.
#pragma once

#include <string>
#include <vector>

#include "support/game_test.h"

class LandingTest : public GameTest {
protected:
    // All the text written after the n-th clear of the screen (0: from the start) up to the
    // next clear, as one string.
    std::string textAfterClear(int n) const
    {
        std::string text;
        int clearsSeen = 0;
        for (const auto& entry : console.log()) {
            if (entry.kind == LogEntry::Clear) ++clearsSeen;
            else if (entry.kind == LogEntry::Write && clearsSeen == n) text += entry.text;
        }
        return text;
    }

    std::string allWrites() const
    {
        std::string text;
        for (const auto& w : writes()) text += w;
        return text;
    }

    // True when `run` stands in the log as consecutive entries.
    bool logHasRun(const std::vector<LogEntry>& run) const
    {
        const auto& log = console.log();
        for (std::size_t start = 0; start + run.size() <= log.size(); ++start) {
            std::size_t i = 0;
            while (i < run.size() && log[start + i] == run[i]) ++i;
            if (i == run.size()) return true;
        }
        return false;
    }

    // An ending's verse on the screen: its first and last lines on the rows given, every row
    // between filled and within 79 columns, and the end-of-mission statistics right below.
    void expectVerse(int firstRow, int lastRow, const std::string& first, const std::string& last) const
    {
        EXPECT_EQ(console.rowText(firstRow), first);
        EXPECT_EQ(console.rowText(lastRow), last);
        for (int r = firstRow; r <= lastRow; ++r) {
            EXPECT_FALSE(console.rowText(r).empty()) << "verse row " << r;
            EXPECT_LE(console.rowText(r).size(), 79u) << "verse row " << r;
        }
        EXPECT_EQ(console.rowText(lastRow + 1), "You made 0 spins of the cosmic wheel.");
    }
};

inline LogEntry moved(int col, int row) { return {LogEntry::Move, "", col, row}; }
inline LogEntry wrote(const std::string& text) { return {LogEntry::Write, text}; }
inline LogEntry paused(int ms) { return {LogEntry::Pause, "", ms}; }
inline LogEntry pressed(int key) { return {LogEntry::Key, "", key}; }
inline LogEntry played(const std::string& name) { return {LogEntry::Sound, "data\\" + name + ".wav"}; }
inline LogEntry cleared() { return {LogEntry::Clear, ""}; }
