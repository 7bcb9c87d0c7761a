#include "monkey/monkey.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include "console/scripted_console.h"
#include "mission/chance.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"

namespace {

// A game that goes on writing and pausing this long without asking for input again is hung.
constexpr long actionsWithoutInput = 200000;
// A frozen game may hold counters up to a billion either way; a game taken up from one moves
// them by small steps only, so one far beyond is on its way to overflowing.
constexpr long counterLimit = 1000000000, counterAlarm = 1100000000;
constexpr int keysPerGame = 3000;

struct MonkeyFailure {
    std::string what;
};

void check(bool ok, const char* what)
{
    if (!ok) throw MonkeyFailure{what};
}

void checkDeck(const NoRepeatDeck& deck) { check(deckIsValid(deck), "a card was dealt from a broken deck"); }

void checkCounters()
{
    for (long value : {mission.fuel, mission.distanceLeft, mission.oxygen, mission.barrierCharges,
                       mission.phaserCells, mission.damage, mission.warnings, mission.spins})
        check(std::abs(value) <= counterAlarm, "a counter ran towards overflow");
    checkDeck(mission.eventDeck);
    checkDeck(mission.eraDeck);
}

// The scripted console, counting what the game writes and pauses between two inputs.
class MonkeyConsole : public ScriptedConsole {
public:
    long sinceInput = 0;
    void write(std::string_view text) override { tick(), ScriptedConsole::write(text); }
    void pause(int ms) override { tick(), ScriptedConsole::pause(ms); }

private:
    void tick() { check(++sinceInput <= actionsWithoutInput, "the game stopped asking for input without ending"); }
};

struct Monkey {
    std::mt19937 random;
    MonkeyConsole& console;
    MonkeyTally& tally;
    int pressed = 0;
    bool capped = false, sawRefusal = false, sawFreeze = false;

    int percent() { return static_cast<int>(random() % 100); }

    void play(bool wantsLine)
    {
        checkCounters();
        console.sinceInput = 0;
        if (console.log().size() > 20000) console.clearLog();
        const std::string screen = console.screenDump();
        sawRefusal |= screen.find("damaged and cannot be resumed") != std::string::npos;
        sawFreeze |= screen.find("GAME HAS BEEN FROZEN") != std::string::npos;
        if (pressed++ >= keysPerGame) {
            capped = true;
            console.endProgram();  // as when the player's keys run out: end of input
        }
        ++tally.keys;
        if (wantsLine) return console.queueLine(randomLine());
        // Mostly a capital of the prompt's row (the keys it offers and a few it refuses), as often
        // in lower case; else any byte, ENTER, Ctrl-C, now and then ESC (which ends the game), or
        // a letter or digit the game takes somewhere.
        std::string capitals;
        for (char c : console.rowText(console.cursorRow()))
            if (std::isupper(static_cast<unsigned char>(c))) capitals += c;
        const int roll = percent();
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
// voyage (now and then with its counters at the limits a file may hold), or a damaged one.
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
    mission.hasGold = mission.stationVisited = 1;
    for (unsigned cards = random() % 20; cards > 0; --cards) drawEventCard();
    std::string text = frozenGameText();
    for (int edits = choice - 7; edits > 0; --edits)  // damaged: bytes changed
        text[random() % text.size()] = "0123456789-x \n"[random() % 14];
    std::ofstream(frozenGameFile, std::ios::binary) << text;
}

}  // namespace

void playMonkeyGame(std::uint32_t number, MonkeyTally& tally)
{
    ++tally.games;
    std::mt19937 random(number);
    setUpFrozenGame(random);
    MonkeyConsole console;
    console.seedSeconds = 1700000000 + number;
    installConsole(console);
    mission = MissionState{};
    Monkey monkey{std::mt19937(number), console, tally};
    console.onScriptEmpty = [&monkey](bool wantsLine) { monkey.play(wantsLine); };
    cardDealtWatcher = checkDeck;
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
    } catch (const MonkeyFailure& caught) {
        failure = caught.what;
    } catch (const std::exception& caught) {
        failure = std::string("the game threw: ") + caught.what();
    }
    cardDealtWatcher = nullptr;
    tally.zapfest += mission.zapfestMode;
    tally.resumed += mission.resumedGame;
    tally.frozen += monkey.sawFreeze;
    tally.refused += monkey.sawRefusal;
    if (failure.empty()) {
        ++(monkey.capped ? tally.capped : tally.ended);
    } else if (tally.failures++ == 0) {
        tally.firstFailure = number;
        tally.failure = failure + "; the screen:\n" + console.screenDump();
    }
}
