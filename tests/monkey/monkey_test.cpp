// Monkey games: whole games played from start-up by a player who presses random keys, mostly
// the ones the screen asks for, and types random lines at the time warp. Every game is
// replayable from its number: the number seeds both the player and the game's own chance.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <tuple>

#include "core/status.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

// A game that goes on drawing and pausing this long without asking for input again is hung; one
// that still asks for keys after this many is caught in a loop that takes none of them.
constexpr long actionsWithoutInput = 200000;
constexpr int keysPerGame = 3000;
// A frozen game may hold counters up to a billion either way; a game taken up from one moves
// them by small steps only, so one far beyond is on its way to overflowing.
constexpr long counterLimit = 1000000000, counterAlarm = 1100000000;

// Games that met the main ways out, met a damaged mars.dat and were refused, or failed (with
// the first failing game's number, what went wrong and its screen).
struct Tally {
    long keys = 0, zapfest = 0, frozen = 0, resumed = 0, refused = 0, failures = 0;
    std::string failure;
};

// A failed check, like anything else the game throws, fails the game.
void check(bool ok, const char* what)
{
    if (!ok) throw std::runtime_error(what);
}

// Counters far from overflowing, and no card dealt twice in a cycle of either deck.
void checkCounters()
{
    for (long value : {mission.fuel, mission.distanceLeft, mission.oxygen, mission.barrierCharges,
                       mission.phaserCells, mission.damage, mission.warnings, mission.spins})
        check(std::abs(value) <= counterAlarm, "a counter ran towards overflow");
    check(deckIsValid(mission.eventDeck) && deckIsValid(mission.eraDeck), "a card was dealt twice in one cycle");
}

// The row from column 17 on, as the status rows write it.
std::string statusRow(const std::string& words) { return (words + std::string(64, ' ')).substr(0, 64); }

// At the wheel prompt: no spin offered once an ending is due, and the status rows, where they
// tell of the miles or the fuel, tell the mission's own, in the game's own words, whole.
void checkWheelScreen(const ScriptedConsole& console)
{
    if (console.at(17, 21, 17) != "Spin cosmic wheel") return;
    check(mission.damage < 5 && mission.distanceLeft > 0 && mission.warnings < 3 && mission.fuel > 0,
          "a spin was offered after the mission's end");
    const std::string miles = console.row(19).substr(16), fuel = console.row(20).substr(16);
    for (const char* word : {"Mars", "million", "thousand"})
        check(miles.find(word) == std::string::npos || miles == statusRow(distanceWords(mission.distanceLeft)),
              "row 19 does not tell the miles left");
    check(fuel.find("fuel") == std::string::npos || fuel == statusRow(fuelWords(mission.fuel)), "row 20 does not tell the fuel left");
}

// The scripted console, counting what the game draws, pauses and plays between two inputs.
class MonkeyConsole : public ScriptedConsole {
public:
    long sinceInput = 0;
    void moveCursor(int col0, int row0) override { tick(), ScriptedConsole::moveCursor(col0, row0); }
    void write(std::string_view text) override { tick(), ScriptedConsole::write(text); }
    void clear() override { tick(), ScriptedConsole::clear(); }
    void pause(int ms) override { tick(), ScriptedConsole::pause(ms); }
    void playSound(const char* name) override { tick(), ScriptedConsole::playSound(name); }

private:
    void tick() { check(++sinceInput <= actionsWithoutInput, "the game stopped asking for input without ending"); }
};

struct Monkey {
    std::mt19937 random;
    MonkeyConsole& console;
    int pressed = 0;
    bool sawRefusal = false, sawFreeze = false;

    void play(bool wantsLine)
    {
        checkCounters();
        checkWheelScreen(console);
        console.sinceInput = 0;
        if (console.log().size() > 20000) console.clearLog();
        const std::string screen = console.screenDump();
        sawRefusal |= screen.find("damaged and cannot be resumed") != std::string::npos;
        sawFreeze |= screen.find("GAME HAS BEEN FROZEN") != std::string::npos;
        check(pressed++ < keysPerGame, "the game goes on asking for keys without ending");
        if (wantsLine) return console.queueLine(randomLine());
        // Mostly a capital of the prompt's row (the keys it offers and a few it refuses), as often
        // in lower case; else any byte, ENTER, Ctrl-C, now and then ESC (which ends the game), or
        // a letter or digit the game takes somewhere.
        std::string capitals;
        for (char c : console.rowText(console.cursorRow()))
            if (std::isupper(static_cast<unsigned char>(c))) capitals += c;
        const int roll = static_cast<int>(random() % 100);
        if (!capitals.empty() && roll >= 40) return console.queueKey(capitals[random() % capitals.size()] + (roll % 2) * 32);
        if (roll % 4 == 0) return console.queueKey(static_cast<int>(random() % 256));
        if (roll % 4 == 1) return console.queueKey(roll < 2 ? keyEsc : roll < 25 ? keyCtrlC : keyEnter);
        static constexpr std::string_view common = "fwynrbladefhnsewqpc0123456789";
        console.queueKey(common[random() % common.size()]);
    }

    // Lines typed at the time warp: empty, far too long, signed with junk after, or junk bytes.
    std::string randomLine()
    {
        std::string junk;
        for (unsigned n = random() % 40; n > 0; --n) junk += static_cast<char>(1 + random() % 255);
        const std::string lines[] = {"", std::string(5000 + random() % 5000, '9'), "-" + std::to_string(random() % 20) + "abc", junk};
        return lines[random() % 4];
    }
};

// The frozen game the next game finds: the one the last game left, none, one of a plausible
// voyage (now and then with its counters at the limits a file may hold, or at the bounds that
// end the mission), or a damaged one.
void setUpFrozenGame(std::mt19937& random)
{
    const int choice = static_cast<int>(random() % 10);
    if (choice < 3) return;
    std::filesystem::remove(frozenGameFile);
    if (choice < 6) return;
    mission = MissionState{};
    const int limit = random() % 4 == 0 ? counterLimit : 400;
    for (std::int32_t* counter : {&mission.damage, &mission.fuel, &mission.spins, &mission.distanceLeft, &mission.barrierCharges})
        *counter = static_cast<std::int32_t>(random() % 2 ? limit : -limit / 20);
    // Half the time the counters that end the mission stand one step either side of their bounds.
    if (random() % 2)
        for (auto [counter, before, at] : {std::tuple{&mission.damage, 4, 5}, {&mission.warnings, 2, 3}, {&mission.fuel, 10, 0},
                                           {&mission.distanceLeft, 1, 0}})
            *counter = random() % 4 ? before : at;
    mission.hasGold = mission.stationVisited = 1;
    for (unsigned cards = random() % 20; cards > 0; --cards) drawEventCard();
    std::string text = frozenGameText();
    for (int edits = choice - 7; edits > 0; --edits)  // damaged: bytes changed
        text[random() % text.size()] = "0123456789-x \n"[random() % 14];
    std::ofstream(frozenGameFile, std::ios::binary) << text;
}

// Plays game `number` in the current working directory and adds it to the tally.
void playMonkeyGame(std::uint32_t number, Tally& tally)
{
    std::mt19937 random(number);
    setUpFrozenGame(random);
    MonkeyConsole console;
    console.seedSeconds = 1700000000 + number;
    installConsole(console);
    mission = MissionState{};
    Monkey monkey{std::mt19937(number), console};
    console.onScriptEmpty = [&monkey](bool wantsLine) { monkey.play(wantsLine); };
    std::string failure;
    try {
        try {
            runGame();
        } catch (const ProgramEnded&) {
            checkCounters();
            // A game's own frozen file must resume: whatever it wrote, its reader takes back.
            std::stringstream text;
            text << std::ifstream(frozenGameFile, std::ios::binary).rdbuf();
            MissionState probe;
            check(!monkey.sawFreeze || readFrozenGame(text.str(), probe), "the game froze a file it then refuses");
        }
    } catch (const std::exception& caught) {
        failure = caught.what();
    }
    tally.keys += monkey.pressed;
    tally.zapfest += mission.zapfestMode;
    tally.resumed += mission.resumedGame;
    tally.frozen += monkey.sawFreeze;
    tally.refused += monkey.sawRefusal;
    if (!failure.empty() && tally.failures++ == 0)
        tally.failure = "game " + std::to_string(number) + ": " + failure + "; the screen:\n" + console.screenDump();
}

long fromEnvironment(const char* name, long otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : otherwise;
}

}  // namespace

// Whole games of random keys with the game's own chance, in both modes, some from frozen games
// sound or damaged: none fails, and between them a few hundred meet the main ways out. The test
// line plays games 1 to 300; ZORVANE_MONKEY_GAMES=N and ZORVANE_MONKEY_FIRST=K play games K to
// K+N-1 instead (a failure names its game, which ZORVANE_MONKEY_GAMES=1 replays).
TEST_F(GameTest, MonkeysPlayWholeGamesWithoutAFault)
{
    chance.reset();
    const long games = fromEnvironment("ZORVANE_MONKEY_GAMES", 300), first = fromEnvironment("ZORVANE_MONKEY_FIRST", 1);
    Tally tally;
    for (long number = first; number < first + games; ++number) playMonkeyGame(static_cast<std::uint32_t>(number), tally);
    std::printf("%ld games, %ld keys, failed %ld: Zapfest %ld, frozen %ld, resumed %ld, damaged file refused %ld\n", games,
                tally.keys, tally.failures, tally.zapfest, tally.frozen, tally.resumed, tally.refused);
    EXPECT_EQ(tally.failures, 0) << "first failure: " << tally.failure;
    for (long seen : {tally.zapfest, tally.resumed, tally.refused, tally.frozen}) EXPECT_TRUE(games < 300 || seen > 0);
}
