#include "monkey/monkey.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include "console/console.h"
#include "console/scripted_console.h"
#include "mission/chance.h"
#include "mission/mission_state.h"
#include "mission/startup.h"
#include "persist/frozen_game.h"

namespace {

// A game that goes on writing and pausing without ever asking for input again is hung.
constexpr long actionsWithoutInput = 200000;
// A frozen game may hold counters up to a billion either way; a game taken up from one moves
// them by small steps only, so one far beyond is on its way to overflowing.
constexpr long counterLimit = 1000000000;
constexpr long counterAlarm = 1100000000;

struct MonkeyFailure {
    std::string what;
};

// The scripted console, counting what the game does between two inputs.
class MonkeyConsole : public ScriptedConsole {
public:
    long sinceInput = 0;

    void write(std::string_view text) override
    {
        tick();
        ScriptedConsole::write(text);
    }
    void pause(int ms) override
    {
        tick();
        ScriptedConsole::pause(ms);
    }
    void moveCursor(int col0, int row0) override
    {
        tick();
        ScriptedConsole::moveCursor(col0, row0);
    }

private:
    void tick()
    {
        if (++sinceInput > actionsWithoutInput) throw MonkeyFailure{"the game stopped asking for input without ending"};
    }
};

void checkDeck(const NoRepeatDeck& deck)
{
    if (!deckIsValid(deck)) throw MonkeyFailure{"a card was dealt from a broken deck"};
}

void checkCounters()
{
    for (std::int32_t value : {mission.fuel, mission.distanceLeft, mission.oxygen, mission.barrierCharges,
                               mission.phaserCells, mission.damage, mission.warnings, mission.spins})
        if (value > counterAlarm || value < -counterAlarm) throw MonkeyFailure{"a counter ran towards overflow"};
    checkDeck(mission.eventDeck);
    checkDeck(mission.eraDeck);
}

// The letters a prompt offers: capitals standing alone ("Press A, B, E, F, R, N, or H"), and
// the keys it names.
std::string offeredKeys(const std::string& row)
{
    std::string keys;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        const bool alone = (i == 0 || !std::isalpha(static_cast<unsigned char>(row[i - 1]))) &&
                           (i + 1 == row.size() || !std::isalpha(static_cast<unsigned char>(row[i + 1])));
        if (c >= 'A' && c <= 'Z' && alone) keys += c;
    }
    if (row.find("ESCAPE") != std::string::npos) keys += static_cast<char>(keyEsc);
    if (row.find("ENTER") != std::string::npos || row.find("Spin cosmic wheel") != std::string::npos)
        keys += static_cast<char>(keyEnter);
    return keys;
}

class Monkey {
public:
    Monkey(std::uint32_t number, const MonkeyOptions& options, MonkeyTally& tally, MonkeyConsole& console)
        : random_(number), options_(options), tally_(tally), console_(console)
    {
    }

    void play(bool wantsLine)
    {
        checkCounters();
        console_.sinceInput = 0;
        if (console_.log().size() > 20000) console_.clearLog();
        const std::string screen = console_.screenDump();
        if (screen.find("damaged and cannot be resumed") != std::string::npos) sawRefusal = true;
        if (screen.find("GAME HAS BEEN FROZEN") != std::string::npos) sawFreeze = true;
        if (screen.find("CONGRATULATIONS") != std::string::npos) sawLanding = true;

        if (pressed_++ >= options_.keysPerGame) {
            capped = true;
            console_.endProgram();  // as when the player's keys run out: end of input
        }
        if (wantsLine) {
            ++tally_.lines;
            console_.queueLine(randomLine());
        } else {
            ++tally_.keys;
            pressKey(offeredKeys(console_.rowText(console_.cursorRow())));
        }
    }

    bool capped = false;
    bool sawRefusal = false;
    bool sawFreeze = false;
    bool sawLanding = false;

private:
    int percent() { return static_cast<int>(random_() % 100); }

    void pressKey(const std::string& offered)
    {
        const int roll = percent();
        if (!offered.empty() && roll >= options_.wildness) {
            const char key = offered[random_() % offered.size()];
            // Lower case as often as upper case; ESC less often, or every game ends at once.
            if (key == keyEsc && percent() < 70) return console_.queueKeys("x");
            return console_.queueKey(key >= 'A' && key <= 'Z' && percent() < 50 ? key + 32 : key);
        }
        static constexpr std::string_view common = "fwynrbladefhnsewqpc0123456789";
        switch (roll % 6) {
        case 0: return console_.queueKey(random_() % 256);
        case 1: return console_.queueKeys("\x1b[A");  // an arrow key, byte by byte
        case 2: return console_.queueKey(percent() < 50 ? keyEnter : keyCtrlC);
        default: return console_.queueKey(common[random_() % common.size()]);
        }
    }

    std::string randomLine()
    {
        switch (percent() % 8) {
        case 0: return "";
        case 1: return std::string(5000 + random_() % 5000, '9');
        case 2: return "-" + std::to_string(random_() % 20);
        case 3: return "  +" + std::to_string(random_() % 12) + "abc";
        case 4: {
            std::string junk;
            for (unsigned n = random_() % 40; n > 0; --n) junk += static_cast<char>(1 + random_() % 255);
            return junk;
        }
        default: return std::to_string(random_() % 10);
        }
    }

    std::mt19937 random_;
    const MonkeyOptions& options_;
    MonkeyTally& tally_;
    MonkeyConsole& console_;
    int pressed_ = 0;
};

// The frozen game the next game finds: none, the one the last game left, one of a plausible
// voyage (now and then with its counters at the limits a file may hold), or a damaged one.
void setUpFrozenGame(std::mt19937& random)
{
    const int choice = static_cast<int>(random() % 10);
    if (choice < 3) return;  // whatever the last game left
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
    std::ifstream in(frozenGameFile, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    MissionState probe;
    if (!readFrozenGame(text.str(), probe)) throw MonkeyFailure{"the game froze a file it then refuses as damaged"};
}

}  // namespace

void playMonkeyGame(std::uint32_t number, const MonkeyOptions& options, MonkeyTally& tally)
{
    ++tally.games;
    std::mt19937 random(number);
    setUpFrozenGame(random);

    MonkeyConsole console;
    console.seedSeconds = 1700000000 + number;
    installConsole(console);
    mission = MissionState{};
    Monkey monkey(number, options, tally, console);
    console.onScriptEmpty = [&monkey](bool wantsLine) { monkey.play(wantsLine); };
    cardDealtWatcher = checkDeck;

    std::string failure;
    try {
        runGame();
    } catch (const ProgramEnded&) {
        try {
            checkCounters();
            if (monkey.sawFreeze) checkFrozenFile();
        } catch (const MonkeyFailure& caught) {
            failure = caught.what;
        }
    } catch (const MonkeyFailure& caught) {
        failure = caught.what;
    } catch (const std::exception& caught) {
        failure = std::string("the game threw: ") + caught.what();
    } catch (...) {
        failure = "the game threw something that is not an exception";
    }
    cardDealtWatcher = nullptr;

    if (failure.empty() && !monkey.capped) ++tally.ended;
    if (failure.empty() && monkey.capped) ++tally.capped;
    tally.zapfest += mission.zapfestMode;
    tally.resumed += mission.resumedGame;
    tally.landed += monkey.sawLanding;
    tally.frozen += monkey.sawFreeze;
    tally.refused += monkey.sawRefusal;
    if (!failure.empty()) {
        if (tally.failures++ == 0) {
            tally.firstFailure = number;
            tally.failure = failure + "; the screen:\n" + console.screenDump();
        }
    }
}
