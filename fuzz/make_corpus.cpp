// Writes the fuzzer's seed corpus into the directory named on the command line: frozen games as
// freezeGame writes them from a few games at different stages, and damaged copies of one.
//   build-fuzz/make_frozen_game_corpus fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "console/scripted_console.h"
#include "mission/chance.h"
#include "mission/mission_state.h"
#include "persist/frozen_game.h"

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// F, Y at the wheel as the player would: the game writes mars.dat and waits for ESC.
std::string frozen(unsigned seed, int draws, const std::function<void(MissionState&)>& play)
{
    ScriptedConsole console;
    installConsole(console);
    mission = MissionState{};
    gameSrand(seed);
    for (int i = 0; i < draws; ++i) drawEventCard();
    play(mission);
    console.queueKey(keyEsc);
    try {
        freezeGame();
    } catch (const ProgramEnded&) {
    }
    return readAll(frozenGameFile);
}

// Where line `line` (1-based) of the text begins.
std::size_t lineStart(const std::string& text, int line)
{
    std::size_t begin = 0;
    for (int i = 1; i < line; ++i) begin = text.find('\n', begin) + 1;
    return begin;
}

std::string lineOf(const std::string& text, int line)
{
    const std::size_t begin = lineStart(text, line);
    return text.substr(begin, text.find('\n', begin) - begin);
}

// The text with line `line` replaced.
std::string withLine(const std::string& text, int line, const std::string& value)
{
    const std::size_t begin = lineStart(text, line);
    return text.substr(0, begin) + value + text.substr(text.find('\n', begin));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);
    fs::create_directories(out);
    const fs::path work = fs::temp_directory_path() / "zorvane-corpus";
    fs::create_directories(work);
    fs::current_path(work);

    const std::string launch = frozen(11, 1, [](MissionState&) {});
    writeAll(out / "fresh-launch", launch);
    writeAll(out / "early", frozen(42, 4, [](MissionState& s) {
        s.fuel = 371, s.distanceLeft = 318, s.spins = 4, s.phaserCells = 2;
    }));
    writeAll(out / "mid-rocks-station", frozen(7, 11, [](MissionState& s) {
        s.fuel = 190, s.distanceLeft = 122, s.spins = 23, s.damage = 3, s.warnings = 2, s.barrierCharges = -1;
        s.hasDiamond = 1, s.hasGold = 1, s.stationVisited = 1;
    }));
    writeAll(out / "full-deck-past-mars", frozen(3, 20, [](MissionState& s) {
        s.fuel = 1, s.distanceLeft = -12, s.spins = 61, s.damage = 4, s.hasPlatinum = 1;
    }));
    writeAll(out / "counters-at-limits", frozen(5, 7, [](MissionState& s) {
        s.fuel = 1000000000, s.distanceLeft = -1000000000, s.phaserCells = -1000000000;
    }));

    // Damaged copies of the launch file: each must be refused (the last two are read).
    writeAll(out / "bad-empty", "");
    writeAll(out / "bad-truncated", launch.substr(0, launch.rfind('\n', launch.size() - 2) + 1));
    writeAll(out / "bad-rock-flag", withLine(launch, 58, "2"));
    writeAll(out / "bad-counter-beyond-limit", withLine(launch, 53, "1000000001"));
    writeAll(out / "bad-beyond-32-bits", withLine(launch, 20, "2147483648"));
    writeAll(out / "bad-letter", withLine(launch, 55, "3x"));
    writeAll(out / "bad-deck-last", withLine(launch, 62, "20"));
    writeAll(out / "bad-repeated-card", withLine(withLine(launch, 62, "1"), 64, lineOf(launch, 63)));
    writeAll(out / "odd-trailing-text", launch + "not a number\n");
    std::string crlf;
    for (char c : launch) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writeAll(out / "odd-crlf", crlf);

    fs::remove_all(work);
    return 0;
}
