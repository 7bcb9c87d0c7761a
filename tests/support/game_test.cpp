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
    std::filesystem::current_path(previousDirectory);
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    scratch.clear();
    chance.reset();
}

bool GameTest::ends(const std::function<void()>& step)
{
    try {
        step();
    } catch (const ProgramEnded&) {
        return true;
    }
    return false;
}

std::vector<std::string> shortNames(const std::vector<std::string>& files)
{
    std::vector<std::string> names;
    for (const std::string& file : files) names.push_back(file.substr(5, file.size() - 9));  // data\\NAME.wav
    return names;
}
