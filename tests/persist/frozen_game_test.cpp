#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "console/files.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

using Numbers = std::vector<long long>;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A frozen game as the game writes it: 50 decoys, twelve fields, twenty cards.
std::string frozenText(const Numbers& fields, const Numbers& cards, long long decoy = 7)
{
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::to_string(decoy) + "\n";
    for (long long v : fields) text += std::to_string(v) + "\n";
    for (long long v : cards) text += std::to_string(v) + "\n";
    return text;
}

const Numbers goodFields{2, 1, 250, 17, 201, 3, -1, 1, 0, 1, 1, 2};
const Numbers goodCards{10, 4, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::string goodText = frozenText(goodFields, goodCards);

Numbers fieldsWith(int index, long long value, Numbers fields = goodFields)
{
    fields[static_cast<std::size_t>(index)] = value;
    return fields;
}

// What the file holds of a game, in the file's order.
Numbers savedFields(const MissionState& s)
{
    Numbers saved{s.damage, s.warnings, s.fuel, s.spins, s.distanceLeft, s.phaserCells, s.barrierCharges,
                  s.hasDiamond, s.hasPlatinum, s.hasGold, s.stationVisited, s.eventDeck.last};
    saved.insert(saved.end(), s.eventDeck.cards.begin(), s.eventDeck.cards.end());
    return saved;
}

class FrozenGame : public GameTest {
protected:
    // A game under way: the saved fields of goodText, and some that are not saved.
    void setPlayedState()
    {
        ASSERT_TRUE(readFrozenGame(goodText, mission));
        mission.oxygen = 45;
        mission.rocksPlaced = 1;
        mission.goldSquare = 3;
        mission.eraDeck.cards = {5};
        mission.soundOn = 'y';
    }
    // Freezes with the decoys drawn from these raw results, in turn.
    void freezeWithDecoys(const Numbers& raws)
    {
        for (int i = 0; i < 50; ++i) chance->push(static_cast<int>(raws[static_cast<std::size_t>(i) % raws.size()]));
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { freezeGame(); }));
    }
};

// Freeze (82 lines: 50 decoys of rand() % 400 + 1, then the saved fields), resume, freeze again
// at once: the saved fields come back and only those, and the second file differs from the
// first in its decoys alone.
TEST_F(FrozenGame, RoundTrip)
{
    setPlayedState();
    const Numbers played = savedFields(mission);
    freezeWithDecoys({399, 400});
    const auto first = linesOf(readFile("mars.dat"));
    ASSERT_EQ(first.size(), 82u);
    for (std::size_t i = 0; i < 50; ++i) EXPECT_EQ(first[i], i % 2 == 0 ? "400" : "1");
    EXPECT_EQ(readFile("mars.dat").substr(150), goodText.substr(100));  // after the decoys
    EXPECT_EQ(console.at(16, 12, 47), "GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"exit"}));
    EXPECT_FALSE(fileExists("mars.dat." + std::to_string(::getpid()) + ".tmp"));

    mission = MissionState{};
    console = ScriptedConsole();
    installConsole(console);
    console.queueKeys("r");
    offerResume();
    EXPECT_EQ(mission.resumedGame, 1);
    EXPECT_EQ(savedFields(mission), played);
    // What the file does not hold keeps its start value.
    EXPECT_EQ(mission.oxygen, 105);
    EXPECT_EQ(mission.rocksPlaced + mission.goldSquare + mission.eraDeck.cards[0] + mission.soundOn, 0);
    EXPECT_TRUE(fileExists("mars.dat"));

    chance.emplace();
    freezeWithDecoys({299});
    const auto second = linesOf(readFile("mars.dat"));
    ASSERT_EQ(second.size(), 82u);
    for (std::size_t i = 0; i < 50; ++i) EXPECT_NE(first[i], second[i]);
    for (std::size_t i = 50; i < 82; ++i) EXPECT_EQ(first[i], second[i]) << "line " << i + 1;

    // Counters beyond the billion a file may hold are frozen at it, so that they resume.
    mission.fuel = 1000000040;
    mission.barrierCharges = -1000000001;
    freezeWithDecoys({0});
    MissionState resumed;
    ASSERT_TRUE(readFrozenGame(readFile("mars.dat"), resumed));
    EXPECT_EQ(resumed.fuel, 1000000000);
    EXPECT_EQ(resumed.barrierCharges, -1000000000);
}

// --- A freeze that cannot be written ------------------------------------------------------
// Whichever step fails (by fault injection, or a mars.dat that is a directory, or a directory
// that cannot be written), the game says why on row 23 and goes back to the wheel prompt; the
// old file stays whole and no temporary file is left.

enum class Obstacle { InjectedFault, TargetIsADirectory, ReadOnlyDirectory };

class FreezeFault : public FrozenGame, public ::testing::WithParamInterface<std::tuple<Obstacle, FileFault>> {};

TEST_P(FreezeFault, KeepsTheGameGoingAndTheOldFileWhole)
{
    const auto [obstacle, fault] = GetParam();
    if (obstacle == Obstacle::ReadOnlyDirectory && geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    if (obstacle == Obstacle::TargetIsADirectory) std::filesystem::create_directory(scratch / "mars.dat");
    if (obstacle == Obstacle::InjectedFault) writeFile("mars.dat", goodText);
    if (obstacle == Obstacle::ReadOnlyDirectory) chmod(scratch.c_str(), 0555);
    setPlayedState();
    injectFileFault(fault);
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // back at the wheel prompt
    injectFileFault(FileFault::None);
    chmod(scratch.c_str(), 0755);
    const std::string message = console.rowText(23);
    EXPECT_NE(message.find("The game could not be frozen: "), std::string::npos) << message;
    EXPECT_LE(message.size(), 80u);
    EXPECT_EQ(console.rowText(24), "");
    EXPECT_EQ(console.at(17, 21, 17), "Spin cosmic wheel");
    for (int row = 1; row <= 25; ++row) EXPECT_EQ(console.rowText(row).find("FROZEN"), std::string::npos);
    EXPECT_EQ(mission.fuel, 250);
    EXPECT_FALSE(fileExists("mars.dat." + std::to_string(::getpid()) + ".tmp"));
    switch (obstacle) {
    case Obstacle::InjectedFault: EXPECT_EQ(readFile("mars.dat"), goodText); break;
    case Obstacle::TargetIsADirectory: EXPECT_TRUE(std::filesystem::is_directory(scratch / "mars.dat")); break;
    case Obstacle::ReadOnlyDirectory: EXPECT_FALSE(fileExists("mars.dat")); break;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FreezeFault,
                         ::testing::Values(std::tuple{Obstacle::InjectedFault, FileFault::Create},
                                           std::tuple{Obstacle::InjectedFault, FileFault::Write},
                                           std::tuple{Obstacle::InjectedFault, FileFault::Flush},
                                           std::tuple{Obstacle::InjectedFault, FileFault::Close},
                                           std::tuple{Obstacle::InjectedFault, FileFault::Rename},
                                           std::tuple{Obstacle::TargetIsADirectory, FileFault::None},
                                           std::tuple{Obstacle::ReadOnlyDirectory, FileFault::None}));

// --- Files read at start-up ---------------------------------------------------------------
// A sound file is resumed on R: the reader skips exactly fifty numbers whatever they hold,
// takes any line ends and blanks between numbers, leaves what follows the 82 numbers unread
// and clamps nothing. A damaged one is refused with a message and only B or ESC are taken.
// Either way the file stays as it was.

struct FileCase {
    const char* name;
    std::string text;
    bool sound = false;
    Numbers fields = goodFields;
    Numbers cards = goodCards;
};

std::string crlf(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

Numbers countdownDeck()
{
    Numbers cards;
    for (int kind = 20; kind >= 1; --kind) cards.push_back(kind);
    return cards;
}

std::string withField(int index, long long value) { return frozenText(fieldsWith(index, value), goodCards); }
std::string withDeck(Numbers cards, long long last)
{
    cards.resize(20, 0);
    return frozenText(fieldsWith(11, last), cards);
}
std::string replaced(const std::string& what, const std::string& by)
{
    std::string text = goodText;
    return text.replace(text.find(what), what.size(), by);
}

class FrozenFile : public FrozenGame, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FrozenFile, IsResumedOnlyWhenSoundAndStaysAsItWas)
{
    const FileCase& file = GetParam();
    writeFile("mars.dat", file.text);
    console.queueKeys("rR");
    console.queueKey(keyCtrlC);
    console.queueKeys("b");
    offerResume();
    EXPECT_EQ(mission.resumedGame, file.sound ? 1 : 0);
    EXPECT_EQ(readFile("mars.dat"), file.text);
    if (file.sound) {
        Numbers expected = file.fields;
        expected.insert(expected.end(), file.cards.begin(), file.cards.end());
        EXPECT_EQ(savedFields(mission), expected);
    } else {
        EXPECT_EQ(mission.fuel, 400);
        EXPECT_EQ(console.at(23, 20, 49), "The frozen game is damaged and cannot be resumed.");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrozenFile,
    ::testing::Values(
        FileCase{"decoys0", frozenText(goodFields, goodCards, 0), true},
        FileCase{"hugeDecoys", frozenText(goodFields, goodCards, 2147483647LL), true},
        FileCase{"windowsLineEnds", crlf(goodText), true},
        FileCase{"strayBlanks", "  " + goodText.substr(0, 20) + " \t " + goodText.substr(20), true}, FileCase{"endOfFileByte", goodText + "\x1a", true},
        FileCase{"notesAfter", goodText + "notes of a space traveller\n", true},
        FileCase{"negativeFuel", withField(2, -35), true, fieldsWith(2, -35)},
        FileCase{"farDistance", withField(4, 1000000000), true, fieldsWith(4, 1000000000)},
        FileCase{"fullDeck", frozenText(fieldsWith(11, 19), countdownDeck()), true, fieldsWith(11, 19), countdownDeck()},
        FileCase{"empty", ""}, FileCase{"short", goodText.substr(0, 150)},
        FileCase{"oneMissing", frozenText(goodFields, {1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        FileCase{"letters", "hello world\n"},
        FileCase{"lastNumberNotWhole", goodText.substr(0, goodText.size() - 1) + "x"},
        FileCase{"beyond32Bits", withField(2, 4294967296LL)},
        FileCase{"hugeDecoy", "99999999999999999999\n" + goodText.substr(goodText.find('\n') + 1)},
        FileCase{"fuelTooLarge", withField(2, 1000000001LL)},
        FileCase{"diamondFlag2", withField(7, 2)}, FileCase{"deckRepeats", withDeck({3, 3}, 1)},
        FileCase{"last20", withDeck({1}, 20)},
        FileCase{"card21", withDeck({21}, 0)}, FileCase{"cardAfterLast", withDeck({1, 2, 3}, 1)},
        FileCase{"gapInsideLast", withDeck({1, 0, 3}, 2)}, FileCase{"spinsTooNegative", withField(3, -1000000001LL)},
        FileCase{"nul", std::string(82, '\0')}, FileCase{"minusAlone", replaced("\n", "\n-\n")}),
    [](const auto& info) { return std::string(info.param.name); });

// A directory or a named pipe by the file's name is reported as damaged at start-up, never
// opened (opening a pipe would wait for a writer for ever), and a freeze replaces the pipe.
TEST_F(FrozenGame, SomethingElseThanAFileInItsPlaceIsDamagedAndNeverOpened)
{
    for (const bool pipe : {false, true}) {
        SetUp();
        const std::filesystem::path frozen = scratch / "mars.dat";
        if (pipe) {
            ASSERT_EQ(mkfifo(frozen.c_str(), 0600), 0);
        } else {
            std::filesystem::create_directory(frozen);
        }
        console.queueKeys("rb");
        offerResume();
        EXPECT_EQ(mission.resumedGame, 0);
        EXPECT_EQ(console.at(23, 20, 49), "The frozen game is damaged and cannot be resumed.");
        EXPECT_TRUE(std::filesystem::exists(frozen));
        if (!pipe) continue;
        for (int i = 0; i < 50; ++i) chance->push(0);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { freezeGame(); }));
        EXPECT_TRUE(std::filesystem::is_regular_file(frozen));
    }
}

// Thousands of random edits: whatever the reader accepts is a sound game, and on disk the
// resume prompt agrees with the reader and leaves the file as it was.
TEST_F(FrozenGame, MutatedFilesNeverResumeGarbage)
{
    std::mt19937 random(2026);
    const std::string alphabet = "0123456789-+ \n\r\tx.";
    int accepted = 0;
    for (int i = 0; i < 1500; ++i) {
        std::string text = goodText;
        for (int e = 0, edits = 1 + static_cast<int>(random() % 4); e < edits; ++e) {
            const std::size_t at = random() % text.size();
            const char c = random() % 2 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
            const unsigned edit = random() % 3;
            if (edit == 0) text.insert(at, 1, c);
            else if (edit == 1) text.erase(at, 1);
            else text[at] = c;
        }
        MissionState state;
        const bool sound = readFrozenGame(text, state);
        if (i % 50 == 0) {  // on disk: the prompt agrees, and the file is left byte for byte
            writeFile("mars.dat", text);
            mission = MissionState{};
            console = ScriptedConsole();
            installConsole(console);
            console.queueKeys("r");
            console.queueKey(keyEsc);  // a damaged file refuses R; ESC leaves through the quit screen
            console.queueKey(keyEsc);
            EXPECT_EQ(ends([] { offerResume(); }), !sound);
            EXPECT_EQ(readFile("mars.dat"), text);
        }
        if (!sound) continue;
        ++accepted;
        ASSERT_TRUE(deckIsValid(state.eventDeck));
        for (int flag : {state.hasDiamond, state.hasPlatinum, state.hasGold, state.stationVisited})
            ASSERT_TRUE(flag == 0 || flag == 1);
        for (long long counter : savedFields(state)) ASSERT_LE(std::abs(counter), 1000000000LL);
    }
    EXPECT_LT(accepted, 1500);
}

}  // namespace
