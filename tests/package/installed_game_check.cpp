// An installed or unpacked game, played on a pseudo-terminal from a directory of its own, as a
// player who has just installed it would: it starts, leaves cleanly, finds its sounds in its
// share folder (not in the working directory, which holds none) and freezes its game into the
// working directory.
//
// Usage: installed_game_check PATH-TO-ZORVANE [gtest options]
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console/posix_pty_session.h"

namespace fs = std::filesystem;

namespace {

fs::path program;

#define ASSERT_SEEN(session, text, ms) \
    ASSERT_TRUE((session).waitFor(text, ms)) << "waiting for " #text ", got:\n" << (session).printableOutput()

// The pause before "Press ESCAPE to exit" is three seconds on the last screens.
constexpr int lastScreenMs = 6000;

// One exchange of a conversation with the game: the text to wait for, then the keys to send.
struct Exchange {
    const char* awaited;
    const char* keys;
    int ms = 3000;
};

// Plays the exchanges in order; false (after a failure that shows the output) if one is not seen.
bool converse(PtySession& session, std::initializer_list<Exchange> exchanges)
{
    for (const Exchange& exchange : exchanges) {
        if (!session.waitFor(exchange.awaited, exchange.ms)) {
            ADD_FAILURE() << "waiting for \"" << exchange.awaited << "\", got:\n" << session.printableOutput();
            return false;
        }
        session.send(exchange.keys);
    }
    return true;
}

// A working directory and a HOME of the test's own, removed at the end.
class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zorvane-installed-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
        fs::create_directories(work());
        fs::create_directories(home());
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
    }

    fs::path work() const { return scratch / "work"; }
    fs::path home() const { return scratch / "home"; }

    PtyLaunch launch() const
    {
        PtyLaunch launch;
        launch.argv = {program.string()};
        launch.workDir = work().string();
        launch.env.push_back({"HOME", home().string()});
        return launch;
    }

    fs::path scratch;
};

// ESC at the mode question, then ESC at the quit screen: status 0 and nothing left behind.
TEST_F(InstalledGame, StartsAndLeavesFromTheTitleScreen)
{
    PtySession session(launch());
    ASSERT_SEEN(session, "\x1b[7;33HZORVANE", 3000);
    ASSERT_SEEN(session, "Full game or Zapfest Game?  F or W  ", 3000);
    session.send("\x1b");
    ASSERT_SEEN(session, "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.", 3000);
    ASSERT_SEEN(session, "Press ESCAPE to exit ", 3000);
    session.send("\x1b");
    EXPECT_EQ(session.waitExit(2000), 0);
    EXPECT_TRUE(fs::is_empty(work()));
}

// --help and --version answer before the game takes the terminal: status 0, no escape
// sequence, and the terminal's modes as a fresh one has them.
TEST_F(InstalledGame, AnswersHelpAndVersionWithoutTakingTheTerminal)
{
    for (const std::string option : {"--help", "--version"}) {
        PtyLaunch answer = launch();
        answer.argv.push_back(option);
        PtySession session(answer);
        EXPECT_EQ(session.waitExit(3000), 0) << option;
        EXPECT_NE(session.output().find(option == "--help" ? "mars.dat" : "zorvane "), std::string::npos)
            << session.printableOutput();
        EXPECT_EQ(session.output().find('\x1b'), std::string::npos) << session.printableOutput();
        EXPECT_EQ(session.modes().c_lflag, PtySession::cookedModes().c_lflag) << option;
        EXPECT_EQ(session.modes().c_iflag, PtySession::cookedModes().c_iflag) << option;
    }
}

// The size of the samples of a WAV file: its data chunk.
std::optional<std::uint32_t> sampleBytes(const fs::path& wav)
{
    std::ifstream in(wav, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::uint32_t size = 0;
        for (int i = 3; i >= 0; --i) size = size << 8 | static_cast<unsigned char>(bytes[at + 4 + static_cast<std::size_t>(i)]);
        if (bytes.compare(at, 4, "data") == 0) return size;
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

// ALSA's file device records every sample the game plays, and its null device swallows them
// at once: the recording of the opening tune after Y at the sound question is the whole of
// the tune's samples, read from the share folder beside the program's bin folder.
TEST_F(InstalledGame, PlaysItsOwnSoundsFromAnyDirectory)
{
    const fs::path recording = scratch / "played.raw";
    std::ofstream(home() / ".asoundrc")
        << "pcm.!default { type file slave.pcm \"null\" file \"" << recording.string() << "\" }\n";
    const fs::path tune = program.parent_path().parent_path() / "share" / "games" / "zorvane" / "intr.wav";
    const std::optional<std::uint32_t> tuneBytes = sampleBytes(tune);
    ASSERT_TRUE(tuneBytes) << tune << " is missing or not a WAV file";

    PtySession session(launch());
    ASSERT_TRUE(converse(session, {{"Full game or Zapfest Game?  F or W  ", "f"},
                                   {"Do you want instructions?  Y or N  ", "n"},
                                   {"Do you want sound effects?  Y or N     ", "y"}}));
    ASSERT_SEEN(session, "** YOU ARE ON THE LAUNCHING PAD AT CAPE CANAVERAL **", 10000);
    std::error_code error;
    EXPECT_EQ(fs::file_size(recording, error), *tuneBytes) << "no or other sound played: " << error.message();

    ASSERT_TRUE(converse(session, {{"Press B to blast off  ", "\x1b"}, {"Press ESCAPE to exit ", "\x1b"}}));
    EXPECT_EQ(session.waitExit(2000), 0);
}

std::vector<std::string> lines(const fs::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// A frozen game in the working directory is resumed from there and frozen again there: the
// saved state comes back unchanged, only the fifty decoys are drawn anew.
TEST_F(InstalledGame, ResumesAndFreezesInTheWorkingDirectory)
{
    const fs::path frozen = work() / "mars.dat";
    {
        std::ofstream out(frozen);
        for (int i = 0; i < 50; ++i) out << 0 << "\n";
        // damage, warnings, fuel, spins, distance, phaser cells, barrier charges, three rocks,
        // the station, the deck's last slot, then its twenty cards
        for (int value : {1, 2, 230, 17, 123, 4, 5, 1, 0, 1, 1, 2, 10, 3, 7}) out << value << "\n";
        for (int i = 3; i < 20; ++i) out << 0 << "\n";
    }
    const std::vector<std::string> before = lines(frozen);
    ASSERT_EQ(before.size(), 82u);

    PtySession session(launch());
    ASSERT_TRUE(converse(session, {{"Full game or Zapfest Game?  F or W  ", "f"},
                                   {"Resume prior game  or begin new game, R or B? ", "r"},
                                   {"Resuming prior game", ""},
                                   {"Do you want instructions?  Y or N  ", "n"},
                                   {"Do you want sound effects?  Y or N     ", "n"},
                                   {"Spin cosmic wheel", "f"},
                                   {"Want to freeze the game?  Y or N  ", "y"},
                                   {"GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION", ""},
                                   {"Press ESCAPE to exit ", "\x1b", lastScreenMs}}));
    EXPECT_EQ(session.waitExit(2000), 0);

    const std::vector<std::string> after = lines(frozen);
    ASSERT_EQ(after.size(), 82u);
    EXPECT_EQ(std::vector<std::string>(after.begin() + 50, after.end()),
              std::vector<std::string>(before.begin() + 50, before.end()));
    for (int i = 0; i < 50; ++i) {
        const int decoy = std::stoi(after[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(decoy >= 1 && decoy <= 400) << "decoy line " << i + 1 << ": " << decoy;
    }
    EXPECT_FALSE(fs::exists(program.parent_path() / "mars.dat"));
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " PATH-TO-ZORVANE [gtest options]\n";
        return 2;
    }
    program = fs::absolute(argv[1]);
    if (!fs::is_regular_file(program)) {
        std::cerr << program << " is not a program\n";
        return 2;
    }
    return RUN_ALL_TESTS();
}
