#include "support/game_test.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "mission/row_watch.h"

namespace {

// The row log of the coverage report (tools/coverage.sh): with ZORVANE_ROW_LOG set, each table
// row the game chooses is appended to that file as "table<TAB>row<TAB>rows", once per process.
// ctest runs every test in a process of its own, two at a time, so the file is opened for
// appending and each row is one short write(2), which O_APPEND keeps whole.
int rowLog = -1;

void logRow(const char* table, std::size_t row, std::size_t rows)
{
    static std::set<std::pair<std::string, std::size_t>> logged;
    if (!logged.emplace(table, row).second) return;
    char line[200];
    const int length = std::snprintf(line, sizeof line, "%s\t%zu\t%zu\n", table, row, rows);
    ssize_t (*const writeBytes)(int, const void*, std::size_t) = ::write;  // not the game's write()
    if (length > 0 && static_cast<std::size_t>(length) < sizeof line &&
        writeBytes(rowLog, line, static_cast<std::size_t>(length)) != length)
        std::perror("ZORVANE_ROW_LOG");
}

[[maybe_unused]] const bool rowLogOpen = [] {
    const char* path = std::getenv("ZORVANE_ROW_LOG");
    if (path == nullptr || *path == '\0') return false;
    rowLog = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (rowLog < 0) {
        std::perror(path);
        return false;
    }
    rowWatcher = logRow;
    return true;
}();

}  // namespace

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
    std::filesystem::permissions(scratch, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
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
    std::ifstream in(scratch / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool GameTest::fileExists(const std::string& name) const { return std::filesystem::exists(scratch / name); }

std::vector<std::string> shortNames(const std::vector<std::string>& files)
{
    std::vector<std::string> names;
    for (const auto& file : files) {
        std::string name = file;
        if (name.rfind("data\\", 0) == 0) name = name.substr(5);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0) name.resize(name.size() - 4);
        names.push_back(name);
    }
    return names;
}
