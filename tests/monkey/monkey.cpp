#include "monkey/monkey.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include "console/scripted_console.h"
#include "mission/chance.h"
#include "mission/mission_state.h"
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
        check(value <= counterAlarm && value >= -counterAlarm, "a counter ran towards overflow");
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

// The keys a prompt offers: capitals standing alone ("Press A, B, E, F, R, N, or H"), ESC and
// ENTER where it names them.
std::string offeredKeys(const std::string& row)
{
    std::string keys;
    for (std::size_t i = 0; i < row.size(); ++i)
        if (std::isupper(static_cast<unsigned char>(row[i])) && (i == 0 || !std::isalpha(row[i - 1])) &&
            (i + 1 == row.size() || !std::isalpha(row[i + 1])))
            keys += row[i];
    if (row.find("ESCAPE") != std::string::npos) keys += static_cast<char>(keyEsc);
    if (row.find("ENTER") != std::string::npos || row.find("Spin cosmic wheel") != std::string::npos)
        keys += static_cast<char>(keyEnter);
    return keys;
}

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
        const std::string offered = offeredKeys(console.rowText(console.cursorRow()));
        const int roll = percent();
        if (!offered.empty() && roll >= 30) {
            const char key = offered[random() % offered.size()];
            // Lower case as often as upper case; ESC less often, or every game ends at once.
            if (key == keyEsc && percent() < 70) return console.queueKeys("x");
            return console.queueKey(std::isupper(key) && percent() < 50 ? key + 32 : key);
        }
        static constexpr std::string_view common = "fwynrbladefhnsewqpc0123456789";
        switch (roll % 6) {
        case 0: return console.queueKey(random() % 256);
        case 1: return console.queueKeys("\x1b[A");  // an arrow key, byte by byte
        case 2: return console.queueKey(percent() < 50 ? keyEnter : keyCtrlC);
        default: return console.queueKey(common[random() % common.size()]);
        }
    }

    // Lines typed at the time warp: empty, far too long, signed, junk bytes, or a digit.
    std::string randomLine()
    {
        std::string junk;
        for (unsigned n = random() % 40; n > 0; --n) junk += static_cast<char>(1 + random() % 255);
        const std::string lines[] = {"", std::string(5000 + random() % 5000, '9'), "-" + std::to_string(random() % 20),
                                     "  +" + std::to_string(random() % 12) + "abc", junk, std::to_string(random() % 10)};
        return lines[std::min(percent() % 8, 5)];
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
    const bool atLimits = random() % 4 == 0;
    for (std::int32_t* counter : {&mission.damage, &mission.warnings, &mission.fuel, &mission.spins,
                                  &mission.distanceLeft, &mission.phaserCells, &mission.barrierCharges})
        *counter = atLimits ? (random() % 2 ? counterLimit : -counterLimit) : static_cast<std::int32_t>(random() % 400) - 20;
    for (std::int32_t* flag : {&mission.hasDiamond, &mission.hasPlatinum, &mission.hasGold, &mission.stationVisited})
        *flag = static_cast<std::int32_t>(random() % 2);
    for (unsigned cards = random() % 20; cards > 0; --cards) drawEventCard();
    std::string text = frozenGameText();
    if (choice >= 8) {  // damaged: bytes changed, or the end cut off
        for (unsigned edits = 1 + random() % 4; edits > 0; --edits)
            text[random() % text.size()] = "0123456789-x \n"[random() % 14];
        if (random() % 3 == 0) text.resize(random() % text.size());
    }
    std::ofstream(frozenGameFile, std::ios::binary) << text;
}

// A game's own frozen file must resume: whatever it wrote, its reader takes back.
void checkFrozenFile()
{
    std::stringstream text;
    text << std::ifstream(frozenGameFile, std::ios::binary).rdbuf();
    MissionState probe;
    check(readFrozenGame(text.str(), probe), "the game froze a file it then refuses as damaged");
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
            if (monkey.sawFreeze) checkFrozenFile();
        }
    } catch (const MonkeyFailure& caught) {
        failure = caught.what;
    } catch (const std::exception& caught) {
        failure = std::string("the game threw: ") + caught.what();
    } catch (...) {
        failure = "the game threw something that is not an exception";
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
