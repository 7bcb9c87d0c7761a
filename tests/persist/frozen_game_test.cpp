// The frozen game on disk: its layout, what the reader takes and refuses, a freeze that fails at
// any step, the temporary files of killed games and two games freezing at once.
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "console/files.h"
#include "endings/frozen_screen.h"
#include "mission/wheel.h"
#include "support/game_test.h"
// After gtest, whose own write(2) call the game's write() would otherwise take.
#include "support/frozen_game_checks.h"

// The disk under the tests syncs as it should, unless told to fail after a number of syncs, as a
// failing disk would. (A freeze syncs its file, and then the folder after the rename.)
static int syncsBeforeAFailure = -1;  // none fails while it is negative
extern "C" int fsync(int fd) { return syncsBeforeAFailure-- == 0 ? (errno = EIO, -1) : static_cast<int>(syscall(SYS_fsync, fd)); }

namespace {

namespace checks = frozen_game_checks;
using Field = std::function<std::int32_t&(MissionState&)>;

// The saved fields in the order the file holds them after its fifty decoys (files frozen by
// earlier versions rely on it), the event deck's twenty cards last.
const std::vector<std::pair<std::string, Field>> layout = [] {
#define FIELD(member) {#member, [](MissionState& s) -> std::int32_t& { return s.member; }}
    std::vector<std::pair<std::string, Field>> fields{FIELD(damage), FIELD(warnings), FIELD(fuel), FIELD(spins), FIELD(distanceLeft),
        FIELD(phaserCells), FIELD(barrierCharges), FIELD(hasDiamond), FIELD(hasPlatinum), FIELD(hasGold), FIELD(stationVisited),
        {"deckLast", [](MissionState& s) -> std::int32_t& { return s.eventDeck.last; }}};
    for (std::size_t i = 0; i < 20; ++i)
        fields.emplace_back("card" + std::to_string(i + 1), [i](MissionState& s) -> std::int32_t& { return s.eventDeck.cards[i]; });
    return fields;
}();

// A game under way, its flags 1, 0, 1, 0; the fields the file does not hold keep the start values.
MissionState goodState()
{
    MissionState s = checks::startState();
    s.damage = 2, s.warnings = 1, s.fuel = 250, s.spins = 17, s.distanceLeft = 201, s.phaserCells = 3, s.barrierCharges = -1;
    s.hasDiamond = 1, s.hasGold = 1, s.eventDeck.cards = {10, 4, 13, 7}, s.eventDeck.last = 3;
    return s;
}

// The file of `s` as laid out above, with fifty decoys `decoy` and each number followed by `end`.
std::string fileOf(MissionState s, const std::string& decoy = "7", const std::string& end = "\n")
{
    std::string text;
    for (int i = 0; i < 50; ++i) text += decoy + end;
    for (const auto& slot : layout) text += std::to_string(slot.second(s)) + end;
    return text;
}

using FrozenGame = GameTest;

// Texts offered as a frozen game, and the fuzz target's seed corpus (named bad- when it must be
// refused: it holds more of the texts the reader refuses, such as a number glued to a letter, one
// missing or beyond 32 bits). The reader skips fifty numbers of up to 32 bits, takes any blanks
// and line ends between numbers and leaves what follows the 82 numbers unread. Each field is taken at the edges
// of its range (counters up to a billion either way, flags 0 or 1, a deck of distinct cards 1-20
// up to its last slot and empty after it) and refused one step beyond. A text taken changes the
// fields it holds and no other (the state, when the row knows it); one refused changes nothing.
// Either way the fuzz checks hold.
struct FrozenText { std::string name, text; bool taken; std::optional<MissionState> state = goodState(); };
void PrintTo(const FrozenText& row, std::ostream* os) { *os << row.name; }

std::vector<FrozenText> frozenTexts()
{
    const std::string good = fileOf(goodState());
    std::vector<FrozenText> rows{{"decoysAtTheLeast32Bits", fileOf(goodState(), "-2147483648"), true},
                                 {"decoysOf31Bits", fileOf(goodState(), "2147483647"), true},
                                 {"windowsLineEndsAndBlanks", "  " + fileOf(goodState(), "7", " \t\r\n"), true},
                                 {"noLineEndAtTheEnd", good.substr(0, good.size() - 1), true},
                                 {"longerThan64KiBReadButNotResumed", (good + std::string(65536, ' ')).substr(0, 65537), true},
                                 {"lastNumberNotWhole", good.substr(0, good.size() - 1) + "x", false},
                                 {"minusAlone", "-\n" + good, false},
                                 {"hugeDecoy", fileOf(goodState(), "99999999999999999999"), false}};
    const auto add = [&](std::size_t slot, std::initializer_list<std::int32_t> taken, std::initializer_list<std::int32_t> refused) {
        for (bool isTaken : {true, false})
            for (std::int32_t value : isTaken ? taken : refused) {
                MissionState s = goodState();
                layout[slot].second(s) = value;
                const std::string shown = (value < 0 ? "_minus" : "_") + std::to_string(std::abs(std::int64_t{value}));
                rows.push_back({layout[slot].first + shown + (isTaken ? "_taken" : "_refused"), fileOf(s), isTaken, s});
            }
    };
    for (std::size_t counter = 0; counter < 7; ++counter) add(counter, {1000000000, -1000000000}, {1000000001, -1000000001});
    for (std::size_t flag = 7; flag < 11; ++flag) add(flag, {0, 1}, {-1, 2});
    add(11, {}, {-1, 2, 4, 20});  // the good deck holds 10, 4, 13, 7 and is at its slot 3
    add(12, {1, 20}, {0, 21, 4});  // 0: a hole up to the last slot; 4: a card dealt twice
    add(31, {}, {5});
    MissionState full = goodState();  // every card dealt: the last slot is 19, one beyond is no deck's
    for (int card = 1; card <= 20; ++card) full.eventDeck.cards[std::size_t(card - 1)] = card;
    for (const int last : {19, 20}) full.eventDeck.last = last, rows.push_back({"fullDeckLast_" + std::to_string(last), fileOf(full), last == 19, full});
    for (const auto& entry : std::filesystem::directory_iterator(ZORVANE_FUZZ_CORPUS)) {
        std::string name = "corpus_" + entry.path().filename().string();
        std::replace(name.begin(), name.end(), '-', '_');
        std::ifstream file(entry.path(), std::ios::binary);
        rows.push_back({name, {std::istreambuf_iterator<char>(file), {}}, name.rfind("corpus_bad_", 0) != 0, std::nullopt});
    }
    return rows;
}

class FrozenFile : public GameTest, public ::testing::WithParamInterface<FrozenText> {};

TEST_P(FrozenFile, IsTakenOnlyWhenSoundAndChangesOnlyWhatItHolds)
{
    chance.reset();
    const FrozenText& row = GetParam();
    const std::string beyond = row.text + '7';  // a digit just past the end, that the reader must not take
    MissionState loaded = checks::startState();
    EXPECT_EQ(readFrozenGame(std::string_view(beyond.data(), row.text.size()), loaded), row.taken);
    EXPECT_TRUE(row.taken ? !row.state || checks::same(loaded, *row.state) : checks::same(loaded, checks::startState()));
    EXPECT_STREQ(checks::brokenCheck(row.text), nullptr);
    installConsole(console);
}

INSTANTIATE_TEST_SUITE_P(Table, FrozenFile, ::testing::ValuesIn(frozenTexts()), [](const auto& info) { return info.param.name; });

std::set<std::string> filesHere()
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) names.insert(entry.path().filename().string());
    return names;
}
std::string temporary(const std::string& pid) { return "mars.dat." + pid + ".tmp"; }
std::string ourTemporary() { return temporary(std::to_string(getpid())); }

// F and Y at the wheel, and the freeze fails at some step: by the test seam (which gives the
// reason named), or for real: a folder in the way of the temporary file or of mars.dat, a full
// device where the temporary file is written, a folder that will not sync. The player reads why
// on row 23, below the wheel prompt, and plays on; no temporary file is left, and mars.dat is
// the old game or the new one, whole (the new one only when the folder's sync failed).
struct Failure { std::string name; FileFault seam; std::string reason; std::function<void()> arrange = [] {}; };
void PrintTo(const Failure& row, std::ostream* os) { *os << row.name; }

class FreezeFault : public GameTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(FreezeFault, SaysWhyAndLosesNothing)
{
    GetParam().arrange();
    writeFile("mars.dat", fileOf(goodState()));  // unless a folder is in its way
    const auto marsDat = [this] { return std::filesystem::is_directory("mars.dat") ? "a folder" : readFile("mars.dat"); };
    const std::string before = marsDat();
    mission = goodState(), mission.fuel = 99;
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    injectFileFault(GetParam().seam);
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // back at the wheel prompt
    EXPECT_EQ(console.rowText(23), from(17, "The game could not be frozen: " + GetParam().reason + "."));
    EXPECT_FALSE(std::filesystem::is_regular_file(ourTemporary()));
    EXPECT_TRUE(marsDat() == before || marsDat() == fileOf(mission, "1")) << marsDat();
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FreezeFault,
    ::testing::Values(Failure{"createRefused", FileFault::Create, "Permission denied"},
                      Failure{"diskFullAtTheWrite", FileFault::Write, "No space left on device"},
                      Failure{"diskFullAtTheFlush", FileFault::Flush, "No space left on device"},
                      Failure{"diskFullAtTheClose", FileFault::Close, "No space left on device"},
                      Failure{"diskFullAtTheRename", FileFault::Rename, "No space left on device"},
                      Failure{"aFolderNamedMarsDat", {}, "Is a directory", [] { std::filesystem::create_directory("mars.dat"); }},
                      Failure{"aFullDevice", {}, "No space left on device", [] { std::filesystem::create_symlink("/dev/full", ourTemporary()); }},
                      Failure{"aFolderThatWillNotSync", {}, "Input/output error", [] { syncsBeforeAFailure = 1; }}),
    [](const auto& info) { return info.param.name; });

// Start-up finds a named pipe by the file's name damaged, and never opens it (that would wait for
// a writer for ever). It clears the temporary files killed games left: those named for its own
// process id (a game before it had that id) and for an id no process has; it leaves those of a
// game still running (the process that started the tests), names that are not a process id's and
// what is not a plain file.
TEST_F(FrozenGame, TheNextStartClearsWhatAKilledGameLeft)
{
    std::set<std::string> kept{temporary(std::to_string(getppid())), temporary("old"), temporary("1234567890"),
                               temporary("99999999999999999999"), "mars.dat.7", temporary("999999998"), "mars.dat",
                               "mbrs.dat.999999999.tmp", "mars.datx999999999.tmp", "mars.dat.999999999.tmq"};
    for (const std::string& name : kept) writeFile(name, fileOf(goodState()));
    for (const std::string& name : {ourTemporary(), temporary("999999999"), temporary("0")}) writeFile(name, fileOf(goodState()));
    std::filesystem::remove(temporary("999999998")), std::filesystem::create_directory(temporary("999999998"));
    std::filesystem::remove("mars.dat"), mkfifo("mars.dat", 0600);
    console.queueKeys("rb");
    offerResume();
    EXPECT_EQ(console.rowText(20), from(23, "The frozen game is damaged and cannot be resumed."));
    EXPECT_EQ(filesHere(), kept);
}

// A freeze writes fifty decoys of rand() % 400 + 1, then the saved fields in their places (a
// counter beyond the billion a file may hold at it, so that the game resumes again). Two games
// freezing in one folder at once, as two processes: the file is always one of the two, whole,
// and nothing is left beside it.
TEST_F(FrozenGame, IsWrittenWholeInItsLayoutEvenByTwoGamesAtOnce)
{
    std::set<std::string> whole;
    for (std::int32_t fuel : {111, 1000000000}) {
        MissionState written = goodState();
        written.fuel = fuel;
        whole.insert(fileOf(written, "1").substr(0, 50) + fileOf(written, "400").substr(100));
    }
    for (int round = 0; round < 100; ++round) {
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            if ((children[i] = fork()) != 0) continue;
            mission = goodState(), mission.fuel = i == 0 ? 111 : 1000000040;
            for (int decoy = 0; decoy < 50; ++decoy) chance->push(decoy < 25 ? 400 : 399);  // 1 (400 wraps round), 400
            console.queueKey(keyEsc);
            _exit(ends([] { freezeGame(); }) ? 0 : 1);  // 0 once the frozen-game screen ended it
        }
        int status = -1;
        for (pid_t child : children) ASSERT_TRUE(waitpid(child, &status, 0) == child && status == 0) << "round " << round;
        ASSERT_EQ(whole.count(readFile("mars.dat")), 1u) << "round " << round;
        ASSERT_EQ(filesHere(), std::set<std::string>{"mars.dat"}) << "round " << round;
    }
}

}  // namespace
