#include "support/game_test.h"

#include <fstream>
#include <sstream>

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

std::vector<std::string> GameTest::writes() const
{
    std::vector<std::string> texts;
    for (const auto& entry : console.log())
        if (entry.kind == LogEntry::Write) texts.push_back(entry.text);
    return texts;
}

std::vector<int> GameTest::pauses() const
{
    std::vector<int> list;
    for (const auto& entry : console.log())
        if (entry.kind == LogEntry::Pause) list.push_back(entry.a);
    return list;
}

std::vector<std::string> GameTest::rows(int first, int last) const
{
    std::vector<std::string> list;
    for (int r = first; r <= last; ++r) list.push_back(console.rowText(r));
    return list;
}

void GameTest::writeFile(const std::string& name, const std::string& contents) const
{
    std::ofstream(scratch / name, std::ios::binary) << contents;
}

std::string GameTest::readFile(const std::string& name) const
{
    std::stringstream text;
    text << std::ifstream(scratch / name, std::ios::binary).rdbuf();
    return text.str();
}

std::vector<std::string> shortNames(const std::vector<std::string>& files)
{
    std::vector<std::string> names;
    for (std::string name : files) {
        if (name.rfind("data\\", 0) == 0) name = name.substr(5);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0) name.resize(name.size() - 4);
        names.push_back(name);
    }
    return names;
}
