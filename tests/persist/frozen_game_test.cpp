#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "console/files.h"
#include "endings/frozen_screen.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/trace.h"

namespace {

using Numbers = std::vector<long long>;

// A game's saved numbers in the file's order: twelve fields, then the deck's twenty cards.
Numbers game(Numbers fields, const Numbers& cards)
{
    fields.insert(fields.end(), cards.begin(), cards.end());
    fields.resize(32, 0);
    return fields;
}

Numbers with(Numbers numbers, std::size_t index, long long value)
{
    numbers[index] = value;
    return numbers;
}

// A frozen game as the game writes it: 50 decoys, then the saved numbers, a line each.
std::string frozenText(const Numbers& saved, long long decoy = 7, const std::string& lineEnd = "\n")
{
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::to_string(decoy) + lineEnd;
    for (long long v : saved) text += std::to_string(v) + lineEnd;
    return text;
}

const Numbers goodGame = game({2, 1, 250, 17, 201, 3, -1, 1, 0, 1, 1, 2}, {10, 4, 13});
const std::string goodText = frozenText(goodGame);

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
    // A game under way, with the sound on: the saved fields of goodText.
    void setPlayedState()
    {
        ASSERT_TRUE(readFrozenGame(goodText, mission));
        mission.soundOn = 'y';
    }
    // Freezes with the decoys drawn from this raw result.
    void freezeWithDecoys(int raw)
    {
        for (int i = 0; i < 50; ++i) chance->push(raw);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { freezeGame(); }));
    }
};

// Freeze (50 decoys of rand() % 400 + 1, then the saved fields), resume: the saved fields come
// back and only those. Counters beyond the billion a file may hold are frozen at it.
TEST_F(FrozenGame, RoundTrip)
{
    setPlayedState();
    freezeWithDecoys(399);
    EXPECT_EQ(readFile("mars.dat"), frozenText(goodGame, 400));
    EXPECT_EQ(console.at(16, 12, 47), "GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"exit"}));

    mission = MissionState{};
    mission.oxygen = 60;  // not saved, so not changed by resuming
    console = ScriptedConsole();
    console.queueKeys("r");
    offerResume();
    EXPECT_TRUE(logHasRun(console, prompted(23, 21, 50, 500, "Resume prior game  or begin new game, R or B? ")));
    EXPECT_TRUE(logHasRun(console, prompted(23, 20, 49, 200, "Resuming prior game")));
    EXPECT_EQ(mission.resumedGame, 1);
    EXPECT_EQ(savedFields(mission), goodGame);
    EXPECT_EQ(mission.oxygen, 60);

    mission.fuel = 1000000040;
    mission.barrierCharges = -1000000001;
    freezeWithDecoys(0);
    EXPECT_EQ(readFile("mars.dat"), frozenText(with(with(goodGame, 2, 1000000000), 6, -1000000000), 1));
}

// Whichever step of a freeze fails (by fault injection, or a mars.dat that is a directory), the
// game says why on row 23 and goes back to the wheel prompt; the old file stays whole and no
// temporary file is left.
class FreezeFault : public FrozenGame, public ::testing::WithParamInterface<FileFault> {};

TEST_P(FreezeFault, KeepsTheGameGoingAndTheOldFileWhole)
{
    const FileFault fault = GetParam();
    if (fault == FileFault::None) std::filesystem::create_directory(scratch / "mars.dat");
    else writeFile("mars.dat", goodText);
    setPlayedState();
    injectFileFault(fault);
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // back at the wheel prompt
    injectFileFault(FileFault::None);
    EXPECT_EQ(console.at(17, 23, 30), "The game could not be frozen: ") << console.rowText(23);
    EXPECT_EQ(console.at(17, 21, 17), "Spin cosmic wheel");
    EXPECT_FALSE(std::filesystem::exists("mars.dat." + std::to_string(::getpid()) + ".tmp"));
    EXPECT_TRUE(fault == FileFault::None ? std::filesystem::is_directory("mars.dat") : readFile("mars.dat") == goodText);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FreezeFault, ::testing::Values(FileFault::None, FileFault::Create, FileFault::Write,
                                                                  FileFault::Flush, FileFault::Close, FileFault::Rename));

// A sound file is resumed on R: the reader skips exactly fifty numbers whatever they hold (up
// to 32 bits), takes any line ends and blanks between numbers, leaves what follows the 82
// numbers unread and clamps nothing. A damaged one is refused (with the message the pipe test
// reads) and then only B or ESC are taken. Either way the file stays as it was. (Which decks are sound is the deck's own
// test; one broken deck here shows the reader asks.)
struct FileCase {
    const char* name;
    std::string text;
    bool sound = false;
    Numbers saved = goodGame;
};

// Counters at the billion a file may hold, either way, and a deck dealt to its last card.
const Numbers atTheLimits = game({2, 1, 250, -1000000000, 1000000000, 3, -1, 1, 0, 1, 1, 19},
                                 {20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1});

class FrozenFile : public FrozenGame, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FrozenFile, IsResumedOnlyWhenSoundAndStaysAsItWas)
{
    const FileCase& file = GetParam();
    writeFile("mars.dat", file.text);
    console.queueKeys(std::string("rR") + static_cast<char>(keyCtrlC) + "b");
    offerResume();
    EXPECT_EQ(mission.resumedGame, file.sound ? 1 : 0);
    EXPECT_EQ(savedFields(mission), file.sound ? file.saved : savedFields(MissionState{}));
    EXPECT_EQ(console.keysLeft(), file.sound ? 3u : 0u);
    EXPECT_EQ(readFile("mars.dat"), file.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrozenFile,
    ::testing::Values(
        FileCase{"decoysAtTheLeast32Bits", frozenText(goodGame, -2147483648LL), true},
        FileCase{"decoysOf31Bits", frozenText(goodGame, 2147483647LL), true},
        FileCase{"windowsLineEndsAndBlanks", "  " + frozenText(goodGame, 7, " \t\r\n"), true},
        FileCase{"notesAfter", goodText + "notes\n", true},
        FileCase{"atTheLimits", frozenText(atTheLimits), true, atTheLimits},
        FileCase{"oneMissing", goodText.substr(0, goodText.size() - 2)},
        FileCase{"lastNumberNotWhole", goodText.substr(0, goodText.size() - 1) + "x"},
        FileCase{"minusAlone", "-\n" + goodText},
        FileCase{"decoyOf32Bits", frozenText(goodGame, 2147483648LL)},
        FileCase{"hugeDecoy", "99999999999999999999\n" + goodText.substr(2)},
        FileCase{"fuelTooLarge", frozenText(with(goodGame, 2, 1000000001LL))},
        FileCase{"spinsTooNegative", frozenText(with(goodGame, 3, -1000000001LL))},
        FileCase{"diamondFlag2", frozenText(with(goodGame, 7, 2))},
        FileCase{"deckRepeats", frozenText(with(goodGame, 13, 10))}),
    [](const auto& info) { return std::string(info.param.name); });

// A named pipe by the file's name is reported as damaged at start-up, never opened (opening a
// pipe would wait for a writer for ever), and a freeze replaces it.
TEST_F(FrozenGame, APipeInItsPlaceIsDamagedAndNeverOpened)
{
    ASSERT_EQ(mkfifo("mars.dat", 0600), 0);
    console.queueKeys("rb");
    offerResume();
    EXPECT_EQ(console.at(23, 20, 49), "The frozen game is damaged and cannot be resumed.");
    freezeWithDecoys(0);
    EXPECT_TRUE(std::filesystem::is_regular_file("mars.dat"));
}

}  // namespace
