#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "console/files.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/trace.h"
// After gtest, whose own write(2) call the game's write() would otherwise take.
#include "fuzz/frozen_game_checks.h"

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

constexpr const char* faultNames[] = {"aDirectoryInTheWay", "create", "write", "flush", "close", "rename"};

INSTANTIATE_TEST_SUITE_P(EveryStep, FreezeFault,
                         ::testing::Values(FileFault::None, FileFault::Create, FileFault::Write, FileFault::Flush,
                                           FileFault::Close, FileFault::Rename),
                         [](const auto& info) { return std::string(faultNames[static_cast<int>(info.param)]); });

// A sound file is resumed on R: the reader skips exactly fifty numbers whatever they hold (up
// to 32 bits), takes any line ends and blanks between numbers and leaves what follows the 82
// numbers unread. A damaged one is refused (with the message the pipe test reads) and then only
// B or ESC are taken. Either way the file stays as it was. (The ranges of the fields are the
// next table's.)
struct FileCase {
    const char* name;
    std::string text;
    bool sound = false;
};
void PrintTo(const FileCase& file, std::ostream* out) { *out << file.name; }

class FrozenFile : public FrozenGame, public ::testing::WithParamInterface<FileCase> {};

TEST_P(FrozenFile, IsResumedOnlyWhenSoundAndStaysAsItWas)
{
    const FileCase& file = GetParam();
    writeFile("mars.dat", file.text);
    console.queueKeys(std::string("rR") + static_cast<char>(keyCtrlC) + "b");
    offerResume();
    EXPECT_EQ(mission.resumedGame, file.sound ? 1 : 0);
    EXPECT_EQ(savedFields(mission), file.sound ? goodGame : savedFields(MissionState{}));
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
        FileCase{"oneMissing", goodText.substr(0, goodText.size() - 2)},
        FileCase{"lastNumberNotWhole", goodText.substr(0, goodText.size() - 1) + "x"},
        FileCase{"minusAlone", "-\n" + goodText},
        FileCase{"decoyOf32Bits", frozenText(goodGame, 2147483648LL)},
        FileCase{"hugeDecoy", "99999999999999999999\n" + goodText.substr(2)}),
    [](const auto& info) { return std::string(info.param.name); });

// The reader's ranges, one field a row: a good frozen game as the writer writes it, with the
// line of one field (found by where the writer puts it) changed. Counters up to a billion either
// way, flags 0 or 1, and the deck's invariants; at the edge of its range a field is taken back
// as it is and nothing else changes, beyond it the file is refused and nothing changes. Either
// way the checks the fuzz target makes hold.
using Field = std::function<std::int32_t&(MissionState&)>;
struct RangeCase {
    std::string name;
    Field field;
    std::int32_t value;
    bool accepted;
};
void PrintTo(const RangeCase& row, std::ostream* out) { *out << row.name; }

// A game under way; the fields the file does not hold keep the fuzz checks' start values.
MissionState goodState()
{
    MissionState s = frozen_game_checks::startState();
    s.damage = 2, s.warnings = 1, s.fuel = 250, s.spins = 17, s.distanceLeft = 201, s.phaserCells = 3;
    s.barrierCharges = -1, s.hasDiamond = 1, s.hasGold = 1;
    s.eventDeck.cards = {10, 4, 13, 7};
    s.eventDeck.last = 3;
    return s;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The good game's text with the field's line holding `value`.
std::string textWith(const Field& field, std::int32_t value)
{
    MissionState marked = goodState();
    field(marked) = 123456789;
    std::vector<std::string> lines = linesOf(frozen_game_checks::frozenTextOf(goodState()));
    const std::vector<std::string> markedLines = linesOf(frozen_game_checks::frozenTextOf(marked));
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (lines[i] != markedLines[i] ? std::to_string(value) : lines[i]) + "\n";
    return text;
}

std::vector<RangeCase> rangeCases()
{
    std::vector<RangeCase> cases;
    const auto add = [&](const std::string& name, Field field, std::initializer_list<std::int32_t> good,
                         std::initializer_list<std::int32_t> bad) {
        for (bool accepted : {true, false})
            for (std::int32_t value : accepted ? good : bad)
                cases.push_back({name + (value < 0 ? "_minus" : "_") + std::to_string(std::abs(std::int64_t{value})) +
                                     (accepted ? "_taken" : "_refused"),
                                 field, value, accepted});
    };
    constexpr std::int32_t limit = 1000000000;
#define FIELD(member) #member, [](MissionState& s) -> std::int32_t& { return s.member; }
    using Named = std::vector<std::pair<std::string, Field>>;
    for (const auto& [name, field] : Named{{FIELD(damage)}, {FIELD(warnings)}, {FIELD(fuel)}, {FIELD(spins)},
                                           {FIELD(distanceLeft)}, {FIELD(phaserCells)}, {FIELD(barrierCharges)}})
        add(name, field, {limit, -limit}, {limit + 1, -limit - 1});
    for (const auto& [name, field] : Named{{FIELD(hasDiamond)}, {FIELD(hasPlatinum)}, {FIELD(hasGold)}, {FIELD(stationVisited)}})
        add(name, field, {0, 1}, {-1, 2});
    // The deck holds 10, 4, 13, 7 and is at its slot 3.
    add(FIELD(eventDeck.last), {}, {-1, 0, 2, 4, 19, 20});
    add(FIELD(eventDeck.cards[0]), {1, 20}, {0, -1, 21, 4});
    add(FIELD(eventDeck.cards[3]), {}, {0});
    add(FIELD(eventDeck.cards[19]), {}, {5});
#undef FIELD
    for (RangeCase& c : cases)
        for (char& ch : c.name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return cases;
}

class FrozenRange : public FrozenGame, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(FrozenRange, IsTakenWithinItsRangeAndRefusedBeyond)
{
    chance.reset();
    const RangeCase& row = GetParam();
    const std::string text = textWith(row.field, row.value);
    MissionState expected = goodState();
    row.field(expected) = row.value;
    MissionState loaded = frozen_game_checks::startState();
    EXPECT_EQ(readFrozenGame(text, loaded), row.accepted);
    EXPECT_TRUE(frozen_game_checks::same(loaded, row.accepted ? expected : frozen_game_checks::startState()));
    bool accepted = false;
    const char* broken = frozen_game_checks::brokenCheck(text, accepted);
    EXPECT_EQ(broken, nullptr) << broken;
}

INSTANTIATE_TEST_SUITE_P(EveryField, FrozenRange, ::testing::ValuesIn(rangeCases()),
                         [](const auto& info) { return info.param.name; });

// The fuzz target's seed corpus, under the fuzz target's own checks, on every run: the texts
// named bad- are refused, the others taken.
TEST_F(FrozenGame, TheFuzzCorpusPassesTheFuzzChecks)
{
    chance.reset();
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZORVANE_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        bool accepted = false;
        const char* broken = frozen_game_checks::brokenCheck(text, accepted);
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(broken, nullptr) << name << ": " << broken;
        EXPECT_EQ(accepted, name.rfind("bad-", 0) != 0) << name;
        ++files;
    }
    EXPECT_GT(files, 10);
    installConsole(console);
}

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
