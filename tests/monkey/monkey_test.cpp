// Monkey games: whole games played from start-up by a player who presses random keys, mostly
// the ones the screen asks for, and types random lines at the time warp. Every game is
// replayable from its number: the number seeds both the player and the game's own chance.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string_view>

#include "core/status.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

// A game that goes on drawing and pausing this long without asking for input again is hung; one
// that still asks for keys after this many is caught in a loop that takes none of them.
constexpr long actionsWithoutInput = 200000;
constexpr int keysPerGame = 3000;

void check(bool ok, const char* what)
{
    if (!ok) throw std::runtime_error(what);
}

// At every key: no card dealt twice in a cycle of either deck; the status rows, where they tell
// of the miles or the fuel, tell the mission's own, whole; and no spin offered once an ending is
// due.
void checkScreen(const ScriptedConsole& console)
{
    check(deckIsValid(mission.eventDeck) && deckIsValid(mission.eraDeck), "a card was dealt twice in one cycle");
    const std::string miles = console.row(19).substr(16), fuel = console.row(20).substr(16);
    const auto whole = [](const std::string& words) { return (words + std::string(64, ' ')).substr(0, 64); };
    check(miles.find("Mars:") == std::string::npos || miles == whole(distanceWords(mission.distanceLeft)),
          "row 19 does not tell the miles left");
    check(fuel.find("fuel") == std::string::npos || fuel == whole(fuelWords(mission.fuel)), "row 20 does not tell the fuel left");
    if (console.at(17, 21, 17) == "Spin cosmic wheel")
        check(mission.damage < 5 && mission.distanceLeft > 0 && mission.warnings < 3 && mission.fuel > 0,
              "a spin was offered after the mission's end");
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

// Mostly a capital of the prompt's row (the keys it offers and a few it refuses), as often in
// lower case; else any byte, ENTER, Ctrl-C, now and then ESC (which ends the game), or a key the
// game takes somewhere. At the time warp: an empty line, one far too long, a number with junk
// after, or junk bytes.
void press(std::mt19937& random, MonkeyConsole& console, bool wantsLine)
{
    if (wantsLine) {
        std::string junk;
        for (unsigned n = random() % 40; n > 0; --n) junk += static_cast<char>(1 + random() % 255);
        const std::string lines[] = {"", std::string(5000 + random() % 5000, '9'), "-" + std::to_string(random() % 20) + "abc", junk};
        return console.queueLine(lines[random() % 4]);
    }
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

// The frozen game the next game finds: the one the last game left, none, one of a plausible
// voyage (now and then with its counters at the limits a file may hold, for the sanitizers to
// see any overflow), or a damaged one. (The bounds that end the mission have tests of their own.)
void setUpFrozenGame(std::mt19937& random)
{
    const int choice = static_cast<int>(random() % 10);
    if (choice < 3) return;
    std::filesystem::remove(frozenGameFile);
    if (choice < 6) return;
    mission = MissionState{};
    const int limit = random() % 4 == 0 ? 1000000000 : 400;
    for (std::int32_t* counter : {&mission.damage, &mission.fuel, &mission.spins, &mission.distanceLeft, &mission.barrierCharges})
        *counter = static_cast<std::int32_t>(random() % 2 ? limit : -limit / 20);
    mission.hasGold = mission.stationVisited = 1;
    for (unsigned cards = random() % 20; cards > 0; --cards) drawEventCard();
    std::string text = frozenGameText();
    for (int edits = choice - 7; edits > 0; --edits) text[random() % text.size()] = "0123456789-x \n"[random() % 14];
    std::ofstream(frozenGameFile, std::ios::binary) << text;
}

long fromEnvironment(const char* name, long otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : otherwise;
}

}  // namespace

// Whole games of random keys with the game's own chance, in both modes, some from frozen games
// sound or damaged: none fails, and between them they meet the Zapfest mode, a resumed game and
// a damaged file refused. The test line plays games 1 to 300; ZORVANE_MONKEY_GAMES=N and
// ZORVANE_MONKEY_FIRST=K play games K to K+N-1 instead (a failure names its game, which
// ZORVANE_MONKEY_GAMES=1 replays).
TEST_F(GameTest, MonkeysPlayWholeGamesWithoutAFault)
{
    chance.reset();
    const long games = fromEnvironment("ZORVANE_MONKEY_GAMES", 300), first = fromEnvironment("ZORVANE_MONKEY_FIRST", 1);
    long keys = 0, zapfest = 0, resumed = 0, refused = 0, failures = 0;
    std::string failure;
    for (long number = first; number < first + games; ++number) {
        std::mt19937 random(static_cast<std::uint32_t>(number));
        setUpFrozenGame(random);
        MonkeyConsole console;
        console.seedSeconds = 1700000000 + number;
        installConsole(console);
        mission = MissionState{};
        int pressed = 0;
        bool sawRefusal = false;
        console.onScriptEmpty = [&](bool wantsLine) {
            checkScreen(console);
            console.sinceInput = 0;
            if (console.log().size() > 20000) console.clearLog();
            sawRefusal |= console.screenDump().find("damaged and cannot be resumed") != std::string::npos;
            check(pressed++ < keysPerGame, "the game goes on asking for keys without ending");
            press(random, console, wantsLine);
        };
        try {
            try {
                runGame();
            } catch (const ProgramEnded&) {
            }
        } catch (const std::exception& caught) {
            if (failures++ == 0) failure = "game " + std::to_string(number) + ": " + caught.what() + "; the screen:\n" + console.screenDump();
        }
        keys += pressed, zapfest += mission.zapfestMode, resumed += mission.resumedGame, refused += sawRefusal;
    }
    std::printf("%ld games, %ld keys, failed %ld: Zapfest %ld, resumed %ld, damaged file refused %ld\n", games, keys, failures,
                zapfest, resumed, refused);
    EXPECT_EQ(failures, 0) << "first failure: " << failure;
    for (long seen : {zapfest, resumed, refused}) EXPECT_TRUE(games < 300 || seen > 0);
}
