// Every prompt's keys, as the player sees them. Each group of keys a prompt answers leads, in
// either case, to one result (the outcome, the whole screen, the state, the clock and the cues),
// and every group to its own, none of them that of a refused key; ESC and Ctrl-C are answers
// where they count and refused where they do not. A refused key changes nothing on the screen
// or in the state: after the prompt's pause the prompt asks again. What each answer does is
// its path's worked example (tests/mission/paths_test.cpp).
#include <cctype>

#include "aliens/zapfest.h"
#include "core/status.h"
#include "encounters/hazards.h"
#include "endings/end_mission.h"
#include "endings/endings.h"
#include "instructions/instructions.h"
#include "landings/asteroid.h"
#include "landings/station.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "support/game_test.h"

namespace {

enum class After { Waits, Returns, Ends, Rolls };  // Rolls: went on to a die the test did not give
const std::string esc(1, char(keyEsc)), ctrlC(1, char(keyCtrlC)), enter(1, char(keyEnter));

// The console and the draws of the case running, for the ways in to the prompts.
ScriptedConsole* keyboard;
ForcedChance* draws;

struct Prompt {
    const char* name;
    void (*enter)();  // the state, the keys and the draws that lead to the prompt
    void (*ask)();
    std::vector<std::string> answers;  // groups of keys with one result each
    std::string refused;
    std::string again;  // the end of the cursor's row once it asks again after a refused key
    int pause;          // before it asks again
};
void PrintTo(const Prompt& p, std::ostream* os) { *os << p.name; }

// All a key leads to; the sound switch left out, as it holds every key pressed at the sound
// question until it is answered (the cues tell the answers apart).
struct Seen {
    After after;
    std::vector<std::string> rows, sounds;
    std::vector<std::int64_t> state;
    std::int64_t ms;
    int cursorRow;
    bool operator==(const Seen& o) const { return std::tie(after, rows, sounds, state, ms) == std::tie(o.after, o.rows, o.sounds, o.state, o.ms); }
};
std::vector<std::int64_t> stateOf(const MissionState& s)
{
    std::vector<std::int64_t> fields = {s.fuel, s.distanceLeft, s.oxygen, s.barrierCharges, s.dieRoll, s.phaserCells, s.damage, s.warnings, s.spins,
                                        s.hasDiamond, s.hasPlatinum, s.hasGold, s.stationVisited, s.resumedGame, s.zapfestMode, s.goldSquare,
                                        s.platinumSquare, s.diamondSquare, s.rocksPlaced, s.eventDeck.last, s.eraDeck.last, std::filesystem::exists("mars.dat")};
    for (const auto& deck : {s.eventDeck, s.eraDeck}) fields.insert(fields.end(), deck.cards.begin(), deck.cards.end());
    return fields;
}

// A frozen game of 82 lines whose fuel line (53) reads `fuel`, then F at the title.
void frozenGameOnDisk(const std::string& fuel)
{
    std::ofstream file("mars.dat");
    for (int line = 1; line <= 82; ++line) file << (line == 53 ? fuel : line <= 50 ? "1" : "0") << "\n";
    keyboard->queueKeys("f");
}
// The wheel at 33.8 million miles with the status rows drawn and sound on; a spin shows 6, then a frozen game's decoys.
void atTheWheel()
{
    std::tie(mission.soundOn, mission.spins, mission.distanceLeft) = std::tuple('y', 4, 338);
    showStatus();
    for (int raw = 5; raw < 55; ++raw) draws->push(raw);
}
// A meteor storm on a die of 9 with live supplies.
void inAMeteorStorm() { mission.barrierCharges = mission.phaserCells = 1; draws->face(9); }
// Landed on the asteroid, the diamond next to the ship; the dice of the cliff show no 13.
void onTheAsteroid() { keyboard->queueKeys("y"); draws->face(1).face(6).face(1).face(2).face(2).face(1); }
// At the station's sign of price list 1, carrying all three rocks.
void atTheSign() { mission.hasDiamond = mission.hasPlatinum = mission.hasGold = 1; keyboard->queueKeys("y"); draws->face(1).face(1); }

const std::vector<Prompt> prompts = {
    {"mode", [] {}, titleMenu, {"f", "w", esc}, "xn" + ctrlC, "Full game or Zapfest Game?  F or W", 200},
    {"resume", [] { frozenGameOnDisk("123"); }, titleMenu, {"r", "b", esc}, "xn" + ctrlC, "begin new game, R or B?", 500},
    {"damagedResume", [] { frozenGameOnDisk("x"); }, titleMenu, {"b", esc}, "xr" + ctrlC, "Begin new game with B, or ESCAPE to leave", 500},
    {"instructions", [] { keyboard->queueKeys("w"); }, titleMenu, {"y", "n", esc}, "x" + ctrlC, "Do you want instructions?  Y or N", 200},
    {"sound", [] { keyboard->queueKeys("wn"); }, titleMenu, {"y", "n", esc}, "x" + ctrlC, "Do you want sound effects?  Y or N", 200},
    {"page1", [] {}, instructionPages, {"c", "r", esc + ctrlC}, "xb", "Press C to continue or R to return to the game.", 200},
    {"page2", [] { keyboard->queueKeys("c"); }, instructionPages, {"c", "b", "r", esc + ctrlC}, "x", "or B to back up or R to return to the game", 200},
    {"page3", [] { keyboard->queueKeys("cc"); }, instructionPages, {"b", "r", esc + ctrlC}, "xc", "from the Zorvane developers", 0},
    {"launchPad", [] { draws->face(1).face(1).face(1); }, launchPad, {"b", esc + ctrlC}, "x", "Press B to blast off", 200},
    {"wheel", atTheWheel, [] { wheelTurn(); }, {enter, "s", "f", esc + ctrlC}, "xq", "Spin cosmic wheel", 200},
    {"freeze", [] { atTheWheel(); keyboard->queueKeys("f"); }, [] { wheelTurn(); }, {"n", "y"}, "x" + esc + ctrlC, "Want to freeze the game?  Y or N", 200},
    {"quit", [] { atTheWheel(); keyboard->queueKeys(esc); }, [] { wheelTurn(); }, {"n", "y"}, "x" + esc + ctrlC, "Do you want to quit this game?  Y or N", 200},
    {"action", inAMeteorStorm, meteorStorm, {"a", "b", "e", "f", "r", "n", "h"}, "x" + esc + ctrlC, "Press A, B, E, F, R, N, or H for help \x1e", 200},
    {"help", [] { inAMeteorStorm(); keyboard->queueKeys("h"); }, meteorStorm, {"a", "b", "e", "f", "r", "n"}, "xh" + esc + ctrlC,
     "Press the letter of your choice \x1e", 200},
    {"asteroidLanding", [] { draws->face(1); }, asteroidEncounter, {"y", "n"}, "x" + esc + ctrlC, "Do you want to land?  Y or N", 200},
    {"walk", onTheAsteroid, asteroidEncounter, {"w", "ens", "b", esc + ctrlC}, "xh", "Press E, W, N, S, or B \x1e", 0},
    {"takeIt", [] { onTheAsteroid(); keyboard->queueKeys("w"); }, asteroidEncounter, {"y", "n"}, "x" + esc + ctrlC, "Do you want to take it? Y or N", 0},
    {"stationLanding", [] { draws->face(1).face(1); }, spaceStation, {"y", "n"}, "x" + esc + ctrlC, "Do you want to land?  Y or N", 200},
    {"shop", atTheSign, spaceStation, {"f", "p", "b", "n"}, "xr" + esc + ctrlC, "N for none -", 0},
    {"stationBlastOff", [] { atTheSign(); keyboard->queueKeys("n"); draws->face(1); }, spaceStation, {"b"}, "xn" + esc + ctrlC,
     "Press B when ready to blast off", 200},
    {"marsOrbit", [] { draws->face(1); }, marsArrival, {"l"}, "x" + esc + ctrlC, "Press L when ready to land", 500},
    {"zapfestMenu", [] { std::tie(mission.zapfestMode, mission.soundOn) = std::tuple(1, 'n'); draws->face(1); }, zapfestLoop,
     {enter, "s", esc + ctrlC}, "xf", "Press ENTER to play or ESCAPE to quit", 200},
    {"battle", [] {}, [] { battlePrompt(); }, {"fb", esc}, "xa" + ctrlC, "F to fire phasers, B for force field barrier or Escape to quit", 200},
    {"lastScreen", [] {}, endMission, {esc}, "xy" + enter + ctrlC, "Press ESCAPE to exit", 0},
};

class PromptKeys : public GameTest, public ::testing::WithParamInterface<Prompt> {
protected:
    // The prompt from a fresh start with `key` typed at it (none: where it first asks).
    Seen run(const std::string& key)
    {
        SetUp();
        keyboard = &console;
        draws = &*chance;
        GetParam().enter();
        console.queueKeys(key);
        After after = After::Returns;
        try { GetParam().ask(); }
        catch (const ScriptExhausted&) { after = After::Waits; }
        catch (const ProgramEnded&) { after = After::Ends; }
        catch (const UnexpectedDraw&) { after = After::Rolls; }
        return {after, rows(1, ScriptedConsole::rows), sounds(), stateOf(mission), console.clockMs(), console.cursorRow()};
    }
};

TEST_P(PromptKeys, AnswerTheirKeysInBothCasesAndRefuseTheRest)
{
    const Prompt& p = GetParam();
    const Seen asked = run("");
    ASSERT_EQ(asked.after, After::Waits);
    for (const char key : p.refused) {
        SCOPED_TRACE("refused key " + std::to_string(int(key)));
        const Seen seen = run({key});
        ASSERT_EQ(seen.after, After::Waits);
        EXPECT_EQ(seen.ms - asked.ms, p.pause);
        EXPECT_EQ(seen.state, asked.state);
        EXPECT_EQ(seen.sounds, asked.sounds);
        const std::string& row = seen.rows[std::size_t(seen.cursorRow - 1)];
        EXPECT_EQ(row.substr(row.size() - std::min(row.size(), p.again.size())), p.again) << row;
        for (int r = 1; r <= ScriptedConsole::rows; ++r)
            if (r < asked.cursorRow || r > seen.cursorRow) { EXPECT_EQ(seen.rows[std::size_t(r - 1)], asked.rows[std::size_t(r - 1)]) << "row " << r; }
    }
    std::vector<Seen> results = {run(p.refused.substr(0, 1))};
    for (const std::string& group : p.answers) {
        const Seen first = run(group.substr(0, 1));
        for (const char key : group)
            for (const char typed : {key, char(std::toupper(key))}) EXPECT_TRUE(run({typed}) == first) << "key " << int(typed) << " is not " << group[0];
        for (std::size_t other = 0; other < results.size(); ++other)
            EXPECT_FALSE(first == results[other]) << "key " << int(group[0]) << (other == 0 ? " is refused" : " does what another does");
        results.push_back(first);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPrompt, PromptKeys, ::testing::ValuesIn(prompts), [](const auto& info) { return std::string(info.param.name); });

}  // namespace
