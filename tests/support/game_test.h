// The fixture of the scenario tests: a scripted console, a fresh MissionState, forced chance
// and a scratch working directory of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/scripted_console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/lines.h"

// A screen as the player should see it: row number -> the row's text from column 1 (trailing
// blanks left out). Rows not named are blank.
using Screen = std::map<int, std::string>;

// `text` written from column `col` of a row.
inline std::string from(int col, const std::string& text) { return std::string(static_cast<std::size_t>(col - 1), ' ') + text; }
// A verse's lines, one a row, from `row` down ("\n" ends each line).
Screen verseRows(int row, const Lines& verse);
// Two screens in one; the rows of `b` win.
Screen operator+(Screen a, const Screen& b);

// Whether the rows of the screen from `firstRow` to 25, all 80 columns each, are those of
// `expected`. The failure shows the whole screen and every row that differs.
::testing::AssertionResult showsScreen(const ScriptedConsole& console, const Screen& expected, int firstRow = 1);

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `step` and reports whether it ended the program (true) or returned (false).
    bool ends(const std::function<void()>& step);

    // The texts written and the sound files played, in order.
    std::vector<std::string> writes() const { return logged(LogEntry::Write); }
    std::vector<std::string> sounds() const { return logged(LogEntry::Sound); }
    std::vector<std::string> logged(LogEntry::Kind kind) const
    {
        std::vector<std::string> list;
        for (const LogEntry& entry : console.log())
            if (entry.kind == kind) list.push_back(entry.text);
        return list;
    }

    // The rows of the screen from `first` to `last`, trailing blanks removed.
    std::vector<std::string> rows(int first, int last) const
    {
        std::vector<std::string> list;
        for (int r = first; r <= last; ++r) list.push_back(console.rowText(r));
        return list;
    }

    // A file in the scratch directory, written or read whole.
    void writeFile(const std::string& name, const std::string& contents) const
    {
        std::ofstream(scratch / name, std::ios::binary) << contents;
    }
    std::string readFile(const std::string& name) const
    {
        std::ifstream file(scratch / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    ScriptedConsole console;
    std::optional<ForcedChance> chance;
    std::filesystem::path scratch;

private:
    std::filesystem::path previousDirectory;
};

// The short names of the sound files played, "data\\expl.wav" -> "expl".
std::vector<std::string> shortNames(const std::vector<std::string>& files);
