// The game as a player gets it, played on a pseudo-terminal of 80x25 from a directory of its
// own. An installed or unpacked Linux game plays its sounds from its share folder (the working
// directory holds none) and resumes and freezes its game in the working directory (--help and
// --version are the terminal tests' business). The Windows build under Wine and the Linux build,
// given the same keys, show the same screens cell for cell up to a frozen game; the frozen game
// is 82 lines ending CR LF in the working directory, and a restart offers to resume it and spins
// the wheel into an action prompt whose small upward triangle both show on a UTF-8 terminal.
//
// Usage: installed_game_check PATH-TO-zorvane [--gtest_filter=-*Windows*]
//        installed_game_check PATH-TO-zorvane PATH-TO-zorvane.exe --gtest_filter=*Windows*
//        (with WINEPREFIX a scratch prefix and WINEDEBUG=-all; see .ci/run)
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "console/posix_pty_session.h"
#include "console/wav.h"

namespace fs = std::filesystem;

namespace {

// The scratch folder holds the games' HOME and their working directories.
fs::path program, windowsProgram, scratch;

PtyLaunch launch(const fs::path& dir, const fs::path& exe, const char* lang)
{
    fs::create_directories(dir);
    PtyLaunch launch({"/bin/sh", "-c", exe == program ? "exec \"$0\"" : "exec wine \"$0\"", exe.string()}, lang);  // wine from PATH
    launch.workDir = dir.string();
    launch.env.push_back({"HOME", (scratch / "home").string()});
    return launch;
}

// A game started in `dir` (the Windows one under Wine when `exe` is) on a terminal of the
// locale `lang`, and the screen it shows.
struct Game : PtySession {
    explicit Game(const fs::path& dir, const fs::path& exe = program, const char* lang = "C")
        : PtySession(launch(dir, exe, lang)), wine(exe != program) {}
    std::string screen() const { return rowsOf(screenAfter(output())); }
    std::string row(int row0) const { return screenAfter(output()).row(row0); }
    // Waits until `text` shows, then until the output pauses, so that the screen is whole.
    bool await(std::string_view text, int ms)
    {
        if (!waitUntil([&] { return screen().find(text) != std::string::npos; }, ms)) return false;
        for (std::size_t seen = 0; seen != output().size();) seen = output().size(), waitFor("\x01 never", 500);
        return true;
    }
    const bool wine;
};

// Waits on each game for each text in turn, then sends its keys to all; two games must show
// the same screen at every step. Wine starts slowly.
void play(std::vector<Game*> games, std::initializer_list<std::pair<const char*, const char*>> steps)
{
    for (const auto& [awaited, keys] : steps) {
        for (Game* game : games)
            ASSERT_TRUE(game->await(awaited, game->wine ? 60000 : 10000)) << awaited << ", got:\n" << game->screen();
        if (games.size() == 2) {  // a console slow to draw gets a few seconds more
            for (int waited = 0; waited < 5000 && games[0]->screen() != games[1]->screen(); waited += 100)
                games[0]->waitFor("\x01 never", 50), games[1]->waitFor("\x01 never", 50);
            EXPECT_EQ(games[0]->screen(), games[1]->screen()) << "at \"" << awaited << "\"";
        }
        // Wine's console on a terminal drops a lone ESC byte (it waits for the rest of an escape
        // sequence) and takes ESC before a character as that character with Alt: ESC ESC reaches
        // the game as the ESC key.
        for (Game* game : games) game->send(game->wine && std::string(keys) == "\x1b" ? "\x1b\x1b" : keys);
    }
}

std::vector<std::string> lines(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// A frozen game in the working directory is resumed from there and frozen again there: the
// saved state comes back unchanged, only the fifty decoys are drawn anew, and nothing else is
// written there. With sound, the opening tune is played from the share folder beside the
// program's games folder (the working directory holds no sounds): ALSA's file device records
// every sample played and its null device swallows them at once, so the recording by the
// wheel's first screen is the whole of the tune's samples.
TEST(InstalledGame, PlaysItsSoundsResumesAndFreezesInTheWorkingDirectory)
{
    const fs::path work = scratch / "work", frozen = work / "mars.dat", recording = scratch / "played.raw";
    std::ofstream(scratch / "home" / ".asoundrc")
        << "pcm.!default { type file slave.pcm \"null\" file \"" << recording.string() << "\" }\n";
    const std::optional<WavSound> tune = readWavFile((program.parent_path() / "../share/games/zorvane/intr.wav").string());
    ASSERT_TRUE(tune) << "intr.wav is missing from share/games/zorvane or not a WAV file";
    // The decoys, then damage, warnings, fuel, spins, distance, phaser cells, barrier charges,
    // three rocks, the station, the deck's last slot and its twenty cards: 82 lines.
    const int state[] = {1, 2, 230, 17, 123, 4, 5, 1, 0, 1, 1, 2, 10, 3, 7};
    fs::create_directories(work);
    std::ofstream out(frozen);
    for (int i = 0; i < 82; ++i) out << (i >= 50 && i < 65 ? state[i - 50] : 0) << "\n";
    out.close();
    const std::vector<std::string> before = lines(frozen);
    Game game(work);
    ASSERT_NO_FATAL_FAILURE(play({&game}, {{"Full game or Zapfest Game?  F or W  ", "f"},
        {"Resume prior game  or begin new game, R or B? ", "r"}, {"Resuming prior game", ""},
        {"Do you want instructions?  Y or N  ", "n"}, {"Do you want sound effects?  Y or N     ", "y"},
        {"Spin cosmic wheel", ""}}));
    EXPECT_EQ(fs::exists(recording) ? fs::file_size(recording) : 0, tune->samples.size()) << "no or other sound played";
    ASSERT_NO_FATAL_FAILURE(play({&game}, {{"Spin cosmic wheel", "f"}, {"Want to freeze the game?  Y or N  ", "y"},
        {"GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION", ""}, {"Press ESCAPE to exit ", "\x1b"}}));
    EXPECT_EQ(game.waitExit(2000), 0);

    const std::vector<std::string> after = lines(frozen);
    ASSERT_EQ(after.size(), 82u);
    EXPECT_EQ(std::vector<std::string>(after.begin() + 50, after.end()),
              std::vector<std::string>(before.begin() + 50, before.end()));
    EXPECT_NE(after, before);  // the decoys drawn anew: frozen here, not somewhere else
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 1);
}

// Rewrites lines of a frozen game, keeping its line ends (CR LF from Windows).
void rewrite(const fs::path& file, const std::vector<std::pair<std::size_t, int>>& lineValues)
{
    std::vector<std::string> all = lines(file);
    for (const auto& [line, value] : lineValues) {
        const bool crlf = !all.at(line - 1).empty() && all[line - 1].back() == '\r';
        all[line - 1] = std::to_string(value) + (crlf ? "\r" : "");
    }
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : all) out << line << "\n";
}

// Both on a UTF-8 terminal, where the Linux build writes the game's small upward triangle as
// U+25B2 and the Windows build must show the same.
TEST(InstalledGame, WindowsPlaysAsLinuxFreezesAndResumes)
{
    if (windowsProgram.empty()) GTEST_SKIP() << "no Windows program given";
    const fs::path windowsDir = scratch / "windows", linuxDir = scratch / "linux";
    const char* const utf8 = "C.UTF-8";
    // One blast-off in twenty crashes, and each game draws its own die from its own clock:
    // after a crash both games end and start again.
    for (int attempt = 1;; ++attempt) {
        ASSERT_LE(attempt, 5) << "the blast-off crashed on every attempt";
        Game windows(windowsDir, windowsProgram, utf8), linux(linuxDir, program, utf8);
        ASSERT_NO_FATAL_FAILURE(play({&windows, &linux}, {{"Full game or Zapfest Game?  F or W", "f"},
            {"Do you want instructions?", "n"}, {"Do you want sound effects?", "n"}, {"Press B to blast off", "b"}}));
        bool crashed = false;
        for (Game* game : {&windows, &linux}) {
            const auto shows = [&](const char* text) { return game->screen().find(text) != std::string::npos; };
            ASSERT_TRUE(game->waitUntil([&] { return shows("Spin cosmic wheel") || shows("crashed on blastoff"); }, 60000))
                << "no wheel after the blast-off, got:\n" << game->screen();
            crashed = crashed || shows("crashed on blastoff");
        }
        if (crashed) {
            for (Game* game : {&windows, &linux}) game->send(game->wine ? "\x1b\x1b" : "\x1b");
            continue;
        }
        ASSERT_NO_FATAL_FAILURE(play({&windows, &linux}, {{"Spin cosmic wheel", "f"}, {"Want to freeze the game?", "y"},
            {"Press ESCAPE to exit", "\x1b"}}));
        EXPECT_EQ(windows.waitExit(10000), 0);
        break;
    }
    const std::vector<std::string> windowsLines = lines(windowsDir / "mars.dat"), linuxLines = lines(linuxDir / "mars.dat");
    ASSERT_EQ(windowsLines.size(), 82u);
    ASSERT_EQ(linuxLines.size(), 82u);
    // The same game but for the decoys and the supplies drawn at blast-off (lines 56 and 57).
    for (std::size_t i = 0; i < 82; ++i) {
        EXPECT_EQ(windowsLines[i].back(), '\r') << "line " << i + 1 << " does not end in CR LF";
        if (i >= 50 && i != 55 && i != 56) { EXPECT_EQ(windowsLines[i], linuxLines[i] + "\r") << "line " << i + 1; }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(windowsDir), fs::directory_iterator()), 1);  // no temporary file

    // Both games are resumed 34 million miles out (past the Moon, short of the time warps) with
    // one card left in the event deck, the meteor storm's, so the spin brings its action prompt.
    std::vector<std::pair<std::size_t, int>> stormNext = {{55, 340}, {62, 18}, {82, 0}};
    for (int kind = 1, slot = 0; kind <= 20; ++kind)
        if (kind != 10) stormNext.push_back({63 + slot++, kind});
    rewrite(windowsDir / "mars.dat", stormNext);
    rewrite(linuxDir / "mars.dat", stormNext);
    Game windows(windowsDir, windowsProgram, utf8), linux(linuxDir, program, utf8);
    ASSERT_NO_FATAL_FAILURE(play({&windows, &linux}, {{"Full game or Zapfest Game?  F or W", "f"},
        {"Resume prior game  or begin new game, R or B?", "r"}, {"Do you want instructions?", "n"},
        {"Do you want sound effects?", "n"}, {"Spin cosmic wheel", "\r"}}));
    // The spin and the miles differ; the storm and its prompt, triangle and all, do not.
    const std::string promptRow = std::string(16, ' ') + "Make your move \x1e" + std::string(48, ' ');
    for (Game* game : {&linux, &windows}) {
        ASSERT_TRUE(game->await("Make your move", 60000)) << game->screen();
        EXPECT_EQ(game->row(4), "You are caught in a huge meteor storm." + std::string(42, ' ')) << game->screen();
        EXPECT_EQ(game->row(20), promptRow) << (game->wine ? "Windows" : "Linux") << ":\n" << game->screen();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if ((argc != 2 && argc != 3) || !fs::is_regular_file(argv[1])) {
        std::cerr << "usage: " << argv[0] << " PATH-TO-zorvane [PATH-TO-zorvane.exe] [gtest options]\n";
        return 2;
    }
    program = fs::absolute(argv[1]);
    if (argc == 3) windowsProgram = fs::absolute(argv[2]);
    scratch = fs::temp_directory_path() / ("zorvane-installed-" + std::to_string(getpid()));
    fs::create_directories(scratch / "home");
    const int failed = RUN_ALL_TESTS();
    fs::remove_all(scratch);
    return failed;
}
