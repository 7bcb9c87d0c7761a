// The frozen game on disk: its layout, what the reader takes and refuses, the damaged-file
// screen, a freeze that fails at any step, the temporary files of killed games and two games
// freezing at once.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <sstream>
#include <set>

#include "console/files.h"
#include "endings/frozen_screen.h"
#include "mission/wheel.h"
#include "support/game_test.h"
// After gtest, whose own write(2) call the game's write() would otherwise take.
#include "support/frozen_game_checks.h"

// The disk under the tests syncs as it should unless told to fail to sync a folder (after the
// rename that put a freeze in place), as a failing disk would.
static bool folderSyncFails = false;
extern "C" int fsync(int fd)
{
    struct stat entry {};
    if (folderSyncFails && fstat(fd, &entry) == 0 && S_ISDIR(entry.st_mode)) return errno = EIO, -1;
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

namespace checks = frozen_game_checks;
using Field = std::function<std::int32_t&(MissionState&)>;

// The saved fields in the order the file holds them after its fifty decoys (files frozen by
// earlier versions rely on it), then the event deck's twenty cards.
const std::vector<std::pair<std::string, Field>> layout = [] {
#define FIELD(name, member) {name, [](MissionState& s) -> std::int32_t& { return s.member; }}
    std::vector<std::pair<std::string, Field>> fields{
        FIELD("damage", damage), FIELD("warnings", warnings), FIELD("fuel", fuel), FIELD("spins", spins),
        FIELD("distanceLeft", distanceLeft), FIELD("phaserCells", phaserCells), FIELD("barrierCharges", barrierCharges),
        FIELD("hasDiamond", hasDiamond), FIELD("hasPlatinum", hasPlatinum), FIELD("hasGold", hasGold),
        FIELD("stationVisited", stationVisited), FIELD("deckLast", eventDeck.last)};
#undef FIELD
    for (std::size_t i = 0; i < 20; ++i)
        fields.emplace_back("card" + std::to_string(i + 1), [i](MissionState& s) -> std::int32_t& { return s.eventDeck.cards[i]; });
    return fields;
}();

// A game under way, its flags 1, 0, 1, 0; the fields the file does not hold keep the start values.
MissionState goodState()
{
    MissionState s = checks::startState();
    s.damage = 2, s.warnings = 1, s.fuel = 250, s.spins = 17, s.distanceLeft = 201, s.phaserCells = 3;
    s.barrierCharges = -1, s.hasDiamond = 1, s.hasGold = 1;
    s.eventDeck.cards = {10, 4, 13, 7};
    s.eventDeck.last = 3;
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

class FrozenGame : public GameTest {
protected:
    // Freezes with the decoys drawn from these raw results, the second from the 26th decoy on.
    void freezeWithDecoys(int raw, int secondRaw = 0)
    {
        for (int i = 0; i < 50; ++i) chance->push(i < 25 ? raw : secondRaw);
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { freezeGame(); }));
    }
    std::set<std::string> filesHere() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch)) names.insert(entry.path().filename().string());
        return names;
    }
};

// Freeze: fifty decoys of rand() % 400 + 1, then the saved fields in their places; resume: they
// come back, and only they. Counters beyond the billion a file may hold are frozen at it.
TEST_F(FrozenGame, FreezesInItsLayoutAndResumesTheSameGame)
{
    mission = goodState();
    freezeWithDecoys(400, 399);  // 1 (400 wraps round) and 400
    std::string decoys;
    for (int i = 0; i < 50; ++i) decoys += i < 25 ? "1\n" : "400\n";
    EXPECT_EQ(readFile("mars.dat"), decoys + fileOf(goodState()).substr(100));

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

// Texts offered as a frozen game: the reader skips fifty numbers of up to 32 bits, takes any
// blanks and line ends between numbers and leaves what follows the 82 numbers unread. Each field
// is taken at the edges of its range (counters up to a billion either way, flags 0 or 1, a deck
// of distinct cards 1-20 up to its last slot and empty after it) and refused one step beyond. A
// text taken changes the fields it holds and no other; one refused changes nothing. Either way
// the fuzz target's checks hold.
struct FrozenText {
    std::string name, text;
    bool taken;
    MissionState state = goodState();  // when taken
};

std::vector<FrozenText> frozenTexts()
{
    const std::string good = fileOf(goodState());
    std::vector<FrozenText> rows{{"decoysAtTheLeast32Bits", fileOf(goodState(), "-2147483648"), true},
                                 {"decoysOf31Bits", fileOf(goodState(), "2147483647"), true},
                                 {"windowsLineEndsAndBlanks", "  " + fileOf(goodState(), "7", " \t\r\n"), true},
                                 {"notesAfter", good + "notes\n", true},
                                 {"noLineEndAtTheEnd", good.substr(0, good.size() - 1), true},
                                 {"longerThan64KiBReadButNotResumed", (good + std::string(65536, ' ')).substr(0, 65537), true},
                                 {"oneMissing", good.substr(0, good.rfind('\n', good.size() - 2) + 1), false},
                                 {"lastNumberNotWhole", good.substr(0, good.size() - 1) + "x", false},
                                 {"minusAlone", "-\n" + good, false},
                                 {"firstNumberGluedToALetter", "7x" + good.substr(1), false},
                                 {"decoysOf32Bits", fileOf(goodState(), "2147483648"), false},
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
    constexpr std::int32_t limit = 1000000000;
    for (std::size_t counter = 0; counter < 7; ++counter) add(counter, {limit, -limit}, {limit + 1, -limit - 1});
    for (std::size_t flag = 7; flag < 11; ++flag) add(flag, {0, 1}, {-1, 2});
    // The good deck holds 10, 4, 13, 7 and is at its slot 3.
    add(11, {}, {-1, 2, 4, 20});
    add(12, {1, 20}, {0, 21, 4});  // 4: a card dealt twice
    add(15, {}, {0});
    add(31, {}, {5});
    return rows;
}

class FrozenFile : public FrozenGame, public ::testing::WithParamInterface<FrozenText> {};

TEST_P(FrozenFile, IsTakenOnlyWhenSoundAndChangesOnlyWhatItHolds)
{
    chance.reset();
    const FrozenText& row = GetParam();
    std::vector<char> beyond(row.text.begin(), row.text.end());
    beyond.push_back('7');  // a digit just past the end, that the reader must not take
    MissionState loaded = checks::startState();
    EXPECT_EQ(readFrozenGame(std::string_view(beyond.data(), row.text.size()), loaded), row.taken);
    EXPECT_TRUE(checks::same(loaded, row.taken ? row.state : checks::startState()));
    bool accepted = false;
    const char* broken = checks::brokenCheck(row.text, accepted);
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
    EXPECT_EQ(console.rowText(20), from(23, "The frozen game is damaged and cannot be resumed."));
    freezeWithDecoys(0);
    EXPECT_TRUE(std::filesystem::is_regular_file("mars.dat"));
}

std::string temporary(const std::string& pid) { return "mars.dat." + pid + ".tmp"; }

// A freeze that fails at any step, by the test seam (the reason it gives) or for real: a folder
// in the way of the temporary file or of mars.dat, a file size limit reached at the flush, a
// folder that will not sync. The player reads why on row 23, below the wheel prompt, and plays
// on; no file is added or left, and mars.dat is the old game whole (the new one, whole, when
// only the folder's sync failed).
struct Failure {
    std::string name;
    FileFault seam;
    std::string reason;
    std::function<void()> arrange = [] {};
    bool newGameInPlace = false;
};

class FreezeFault : public FrozenGame, public ::testing::WithParamInterface<Failure> {};

TEST_P(FreezeFault, SaysWhyAndLosesNothing)
{
    const Failure& row = GetParam();
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    writeFile("mars.dat", fileOf(goodState()));
    row.arrange();
    const auto marsDat = [this] { return std::filesystem::is_directory("mars.dat") ? "a folder" : readFile("mars.dat"); };
    const std::string before = marsDat();
    const std::set<std::string> files = filesHere();
    mission = goodState();
    mission.fuel = 99;
    for (int i = 0; i < 50; ++i) chance->push(0);
    console.queueKeys("fy");
    injectFileFault(row.seam);
    EXPECT_THROW(wheelTurn(), ScriptExhausted);  // back at the wheel prompt
    setrlimit(RLIMIT_FSIZE, &unlimited);
    folderSyncFails = false;
    EXPECT_EQ(console.rowText(23), from(17, "The game could not be frozen: " + row.reason + "."));
    EXPECT_EQ(console.at(17, 21, 17), "Spin cosmic wheel");
    EXPECT_EQ(filesHere(), files);
    EXPECT_EQ(marsDat(), row.newGameInPlace ? fileOf(mission, "1") : before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FreezeFault,
    ::testing::Values(
        Failure{"createRefused", FileFault::Create, "Permission denied"},
        Failure{"diskFullAtTheWrite", FileFault::Write, "No space left on device"},
        Failure{"diskFullAtTheFlush", FileFault::Flush, "No space left on device"},
        Failure{"diskFullAtTheClose", FileFault::Close, "No space left on device"},
        Failure{"diskFullAtTheRename", FileFault::Rename, "No space left on device"},
        Failure{"aFolderNamedAsTheTemporary", FileFault::None, "Is a directory",
                [] { std::filesystem::create_directory(temporary(std::to_string(getpid()))); }},
        Failure{"aFolderNamedMarsDat", FileFault::None, "Is a directory", [] { std::filesystem::remove("mars.dat"), std::filesystem::create_directory("mars.dat"); }},
        Failure{"fileSizeLimitAtTheFlush", FileFault::None, "File too large",
                [] {
                    std::signal(SIGXFSZ, SIG_IGN);
                    rlimit none{};
                    getrlimit(RLIMIT_FSIZE, &none), none.rlim_cur = 0;
                    setrlimit(RLIMIT_FSIZE, &none);
                }},
        Failure{"folderWillNotSync", FileFault::None, "Input/output error", [] { folderSyncFails = true; }, true}),
    [](const auto& info) { return info.param.name; });

// Start-up clears the temporary files killed games left: those named for its own process id (a
// game before it had that id) and for an id no process has; it leaves those of a game still
// running (the process that started the tests), names that are not a process id's and what is
// not a plain file. None is ever read as the frozen game.
TEST_F(FrozenGame, TheNextStartClearsWhatAKilledGameLeft)
{
    std::set<std::string> kept{temporary(std::to_string(getppid())), temporary("old"), temporary("1234567890"),
                               temporary("99999999999999999999"), "mars.dat.7"};
    for (const std::string& name : kept) writeFile(name, fileOf(goodState()));
    for (const std::string& pid : {std::to_string(getpid()), std::string("999999999")}) writeFile(temporary(pid), fileOf(goodState()));
    std::filesystem::create_directory(temporary("999999998"));
    kept.insert(temporary("999999998"));
    offerResume();  // no frozen game: the title goes on without a question
    EXPECT_EQ(filesHere(), kept);
}

// Two games freezing in one folder at once, as two processes that wait until the start pipe
// closes: the frozen game is always one of the two whole games and nothing is left beside it.
TEST_F(FrozenGame, TwoGamesFreezingAtOnceLeaveOneWholeGame)
{
    const auto setGame = [this](int fuel) {
        mission.fuel = fuel;
        for (int i = 0; i < 100; ++i) chance->push(i % 50);  // the same decoys for the text and the freeze
        return frozenGameText();
    };
    const std::set<std::string> whole{setGame(111), setGame(222)};
    for (int round = 0; round < 100; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            if ((children[i] = fork()) != 0) continue;
            close(start[1]);
            if (char go; read(start[0], &go, 1) != 0) _exit(3);
            setGame(111 * (i + 1));
            console.queueKey(keyEsc);
            _exit(ends([] { freezeGame(); }) ? 0 : 1);  // 0 once the frozen-game screen ended it
        }
        close(start[0]);
        close(start[1]);
        int status = -1;
        for (pid_t child : children) ASSERT_TRUE(waitpid(child, &status, 0) == child && status == 0) << "round " << round;
        ASSERT_EQ(whole.count(readFile("mars.dat")), 1u) << "round " << round;
        ASSERT_EQ(filesHere(), std::set<std::string>{"mars.dat"}) << "round " << round;
    }
}

}  // namespace
