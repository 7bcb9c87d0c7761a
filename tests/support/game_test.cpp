#include "support/game_test.h"

#include <unistd.h>

void GameTest::SetUp()
{
    // A test that starts over within itself calls SetUp again: the last start's scratch
    // directory goes first, and the working directory to come back to stays the first one.
    if (!scratch.empty()) GameTest::TearDown();
    mission = MissionState{};
    console = ScriptedConsole();
    installConsole(console);
    chance.emplace();
    previousDirectory = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "zorvane-test-XXXXXX").string();
    scratch = mkdtemp(pattern.data());
    std::filesystem::current_path(scratch);
}

void GameTest::TearDown()
{
    EXPECT_EQ(ScriptedConsole::oddPauses, std::vector<int>{}) << "pauses of other than whole tenths of a second";
    ScriptedConsole::oddPauses.clear();
    std::filesystem::current_path(previousDirectory);
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    scratch.clear();
    chance.reset();
}

bool GameTest::ends(const std::function<void()>& step)
{
    try { step(); }
    catch (const ProgramEnded&) { return true; }
    return false;
}

std::vector<std::string> shortNames(const std::vector<std::string>& files)
{
    std::vector<std::string> names;
    for (const std::string& file : files) names.push_back(file.substr(5, file.size() - 9));  // data\\NAME.wav
    return names;
}

Screen verseRows(int row, const Lines& verse)
{
    Screen rows;
    for (const char* line : verse) {
        std::string text = line;
        for (std::size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1)) rows[row++] += text.substr(0, end);
        if (!text.empty()) rows[row] += text;
    }
    return rows;
}

Screen operator+(Screen a, const Screen& b)
{
    for (const auto& [row, text] : b) a[row] = text;
    return a;
}

::testing::AssertionResult showsScreen(const ScriptedConsole& console, const Screen& expected, int firstRow)
{
    std::string wrong;
    for (int r = firstRow; r <= ScriptedConsole::rows; ++r) {
        const auto it = expected.find(r);
        std::string want = it == expected.end() ? "" : it->second;
        want.erase(want.find_last_not_of(' ') + 1);
        const std::string seen = console.rowText(r);
        if (seen != want) wrong += (r < 10 ? " " : "") + std::to_string(r) + " shows    |" + seen + "|\n   should be |" + want + "|\n";
    }
    if (wrong.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the screen:\n" << console.screenDump() << "rows that differ:\n" << wrong;
}
