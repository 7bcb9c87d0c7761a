#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "console/files.h"
#include "endings/frozen_screen.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/trace.h"
// After gtest, whose own write(2) call the game's write() would otherwise take.
#include "support/frozen_game_checks.h"

namespace {

namespace checks = frozen_game_checks;

// A game under way; the fields the file does not hold keep the fuzz checks' start values.
MissionState goodState()
{
    MissionState s = checks::startState();
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

// Written at start-up, before any test forces chance.
const std::string writtenGoodText = checks::frozenTextOf(goodState());

using Field = std::function<std::int32_t&(MissionState&)>;

// The good game as the writer writes it, each line ending in `lineEnd`, its fifty decoys made
// `decoy` when one is given, and the line of `field` (found by where the writer puts it) holding
// `value`.
std::string goodText(const std::string& decoy = "", const std::string& lineEnd = "\n", const Field& field = {}, std::int32_t value = 0)
{
    MissionState marked = goodState();
    if (field) field(marked) = 123456789;
    const std::vector<std::string> lines = linesOf(writtenGoodText), markedLines = linesOf(field ? checks::frozenTextOf(marked) : writtenGoodText);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (lines[i] != markedLines[i] ? std::to_string(value) : i < 50 && !decoy.empty() ? decoy : lines[i]) + lineEnd;
    return text;
}

class FrozenGame : public GameTest {
protected:
    // Freezes with the decoys drawn from these raw results, the second from the 26th decoy on.
    void freezeWithDecoys(int raw, int secondRaw = 0)
    {
        for (int i = 0; i < 50; ++i) chance->push(i < 25 ? raw : secondRaw);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { freezeGame(); }));
    }
};

// Freeze (50 decoys of rand() % 400 + 1, then the saved fields), resume: the saved fields come
// back and only those. Counters beyond the billion a file may hold are frozen at it. (The
// screens of both are the paths' examples.)
TEST_F(FrozenGame, RoundTrip)
{
    mission = goodState();
    freezeWithDecoys(400, 399);  // 1 (400 wraps round) and 400
    std::vector<std::string> decoys = linesOf(readFile("mars.dat"));
    decoys.resize(50);
    EXPECT_EQ(decoys[0] + " " + decoys[24] + " " + decoys[25] + " " + decoys[49], "1 1 400 400");

    mission = checks::startState();
    console.queueKeys("r");
    offerResume();
    MissionState expected = goodState();
    expected.resumedGame = 1;
    EXPECT_TRUE(checks::same(mission, expected));

    mission.fuel = 1000000040;
    mission.barrierCharges = -1000000001;
    freezeWithDecoys(0);
    ASSERT_TRUE(readFrozenGame(readFile("mars.dat"), expected));
    EXPECT_EQ(std::pair(expected.fuel, expected.barrierCharges), std::pair(1000000000, -1000000000));
}

// Whichever step of a freeze fails (by fault injection, or a mars.dat that is a directory), the
// game says why on row 23 and goes back to the wheel prompt; the old file stays whole and no
// temporary file is left.
class FreezeFault : public FrozenGame, public ::testing::WithParamInterface<FileFault> {};

TEST_P(FreezeFault, KeepsTheGameGoingAndTheOldFileWhole)
{
    const FileFault fault = GetParam();
    if (fault == FileFault::None) std::filesystem::create_directory(scratch / "mars.dat");
    else writeFile("mars.dat", goodText());
    mission = goodState();
    injectFileFault(fault);
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // back at the wheel prompt
    injectFileFault(FileFault::None);
    EXPECT_EQ(console.at(17, 23, 30), "The game could not be frozen: ") << console.rowText(23);
    EXPECT_EQ(console.at(17, 21, 17), "Spin cosmic wheel");
    EXPECT_FALSE(std::filesystem::exists("mars.dat." + std::to_string(::getpid()) + ".tmp"));
    EXPECT_TRUE(fault == FileFault::None ? std::filesystem::is_directory("mars.dat") : readFile("mars.dat") == goodText());
}

constexpr const char* faultNames[] = {"aDirectoryInTheWay", "create", "write", "flush", "close", "rename"};

INSTANTIATE_TEST_SUITE_P(EveryStep, FreezeFault,
                         ::testing::Values(FileFault::None, FileFault::Create, FileFault::Write, FileFault::Flush,
                                           FileFault::Close, FileFault::Rename),
                         [](const auto& info) { return std::string(faultNames[static_cast<int>(info.param)]); });

// Texts offered as a frozen game, each the good game as the writer writes it with one thing
// changed. The reader skips exactly fifty numbers whatever they hold (up to 32 bits), takes any
// line ends and blanks between numbers and leaves what follows the 82 numbers unread. Each field
// is taken at the edges of its range (counters up to a billion either way, flags 0 or 1, the
// deck's invariants) and refused one step beyond. A text taken changes the fields it holds and
// no other; one refused changes nothing. Either way the fuzz target's checks hold.
struct FrozenText {
    std::string name;
    std::function<std::string()> text;
    bool taken;
    std::function<void(MissionState&)> change = [](MissionState&) {};  // to the good game, when taken
};
void PrintTo(const FrozenText& row, std::ostream* out) { *out << row.name; }

std::vector<FrozenText> frozenTexts()
{
    std::vector<FrozenText> rows{
        {"decoysAtTheLeast32Bits", [] { return goodText("-2147483648"); }, true},
        {"decoysOf31Bits", [] { return goodText("2147483647"); }, true},
        {"windowsLineEndsAndBlanks", [] { return "  " + goodText("", " \t\r\n"); }, true},
        {"notesAfter", [] { return goodText() + "notes\n"; }, true},
        {"noLineEndAtTheEnd", [] { return goodText().substr(0, goodText().size() - 1); }, true},
        {"longerThan64KiBReadButNotResumed", [] { return (goodText() + std::string(65536, ' ')).substr(0, 65537); }, true},
        {"oneMissing", [] { return goodText().substr(0, goodText().rfind('\n', goodText().size() - 2) + 1); }, false},
        {"lastNumberNotWhole", [] { return goodText().substr(0, goodText().size() - 1) + "x"; }, false},
        {"minusAlone", [] { return "-\n" + goodText(); }, false},
        {"firstNumberGluedToALetter", [] { return "7x" + goodText().substr(goodText().find('\n')); }, false},
        {"decoysOf32Bits", [] { return goodText("2147483648"); }, false},
        {"hugeDecoy", [] { return goodText("99999999999999999999"); }, false}};
    const auto add = [&](const std::string& name, Field field, std::initializer_list<std::int32_t> taken,
                         std::initializer_list<std::int32_t> refused) {
        for (bool isTaken : {true, false})
            for (std::int32_t value : isTaken ? taken : refused) {
                std::string rowName;  // eventDeck.cards[0] as eventDeckcards0
                for (char c : name)
                    if (std::isalnum(static_cast<unsigned char>(c))) rowName += c;
                rowName += (value < 0 ? "_minus" : "_") + std::to_string(std::abs(std::int64_t{value}));
                rows.push_back({rowName + (isTaken ? "_taken" : "_refused"), [=] { return goodText("", "\n", field, value); }, isTaken,
                                [=](MissionState& s) { field(s) = value; }});
            }
    };
    constexpr std::int32_t limit = 1000000000;
#define FIELD(member) #member, [](MissionState& s) -> std::int32_t& { return s.member; }
    using Named = std::vector<std::pair<std::string, Field>>;
    for (const auto& [name, field] : Named{{FIELD(damage)}, {FIELD(warnings)}, {FIELD(fuel)}, {FIELD(spins)},
                                           {FIELD(distanceLeft)}, {FIELD(phaserCells)}, {FIELD(barrierCharges)}})
        add(name, field, {limit, -limit}, {limit + 1, -limit - 1});
    for (const auto& [name, field] : Named{{FIELD(hasDiamond)}, {FIELD(hasPlatinum)}, {FIELD(hasGold)}, {FIELD(stationVisited)}})
        add(name, field, {0, 1}, {-1, 2});
    // The good deck holds 10, 4, 13, 7 and is at its slot 3.
    add(FIELD(eventDeck.last), {}, {-1, 2, 4, 20});
    add(FIELD(eventDeck.cards[0]), {1, 20}, {0, 21, 4});
    add(FIELD(eventDeck.cards[3]), {}, {0});
    add(FIELD(eventDeck.cards[19]), {}, {5});
#undef FIELD
    return rows;
}

class FrozenFile : public FrozenGame, public ::testing::WithParamInterface<FrozenText> {};

TEST_P(FrozenFile, IsTakenOnlyWhenSoundAndChangesOnlyWhatItHolds)
{
    chance.reset();
    const std::string text = GetParam().text();
    MissionState expected = GetParam().taken ? goodState() : checks::startState();
    if (GetParam().taken) GetParam().change(expected);
    MissionState loaded = checks::startState();
    std::vector<char> exact(text.begin(), text.end());  // for AddressSanitizer to see a read past its end
    EXPECT_EQ(readFrozenGame(std::string_view(exact.data(), exact.size()), loaded), GetParam().taken);
    exact.push_back('7');  // and for any build, a digit just past the end that the reader must not take
    MissionState again = checks::startState();
    EXPECT_EQ(readFrozenGame(std::string_view(exact.data(), text.size()), again), GetParam().taken);
    EXPECT_TRUE(checks::same(loaded, expected));
    bool accepted = false;
    const char* broken = checks::brokenCheck(text, accepted);
    EXPECT_EQ(broken, nullptr) << broken;
    installConsole(console);
}

INSTANTIATE_TEST_SUITE_P(Table, FrozenFile, ::testing::ValuesIn(frozenTexts()), [](const auto& info) { return info.param.name; });

// The fuzz target's seed corpus, under the fuzz target's own checks, on every run: the texts
// named bad- are refused, the others taken.
TEST_F(FrozenGame, TheFuzzCorpusPassesTheFuzzChecks)
{
    chance.reset();
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZORVANE_FUZZ_CORPUS)) {
        const std::string text = (std::ostringstream() << std::ifstream(entry.path(), std::ios::binary).rdbuf()).str();
        const std::string name = entry.path().filename().string();
        bool accepted = false;
        const char* broken = checks::brokenCheck(text, accepted);
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
