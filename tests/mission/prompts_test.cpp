// Every prompt's keys, as the player sees them: each key a prompt answers, in both cases, moves
// the game on to what that key means (a row of the screen says so, the state agrees); ESC and
// Ctrl-C count where they quit and are refused where they do not; a refused key changes nothing
// on the screen or in the state, and the prompt asks again.
#include <functional>

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
#include "persist/frozen_game.h"
#include "support/game_test.h"

namespace {

// What the game did once the key was read.
enum class After { Waits, Returns, Ends, Rolls };  // Rolls: went on to a die the test did not give

const char esc = static_cast<char>(keyEsc), ctrlC = static_cast<char>(keyCtrlC), enter = static_cast<char>(keyEnter);

// A row as the player reads it: `text` starting at column `col`.
std::string at(int col, const std::string& text) { return std::string(static_cast<std::size_t>(col - 1), ' ') + text; }

// What a key answers: each of `keys` typed alone leads there; `row` then reads `text`.
struct Answer {
    std::string keys;
    After after;
    int row;
    std::string text;
    bool (*holds)() = [] { return true; };
};

// The console and the draws of the case running, for the ways in to the prompts.
ScriptedConsole* keyboard;
ForcedChance* draws;

struct Prompt {
    const char* name;
    void (*enter)();  // the state, the keys and the draws that lead to the prompt
    void (*ask)();
    std::string again;  // the cursor's row when it asks again after a refused key
    int pause;          // before it asks again
    std::string refused;
    std::vector<Answer> answers;
    bool appends = false;  // asks again after the last text rather than in place; `again` ends that row
};

// The state but the sound switch, which holds every key pressed at the sound question until it is
// answered, and is seen on the screen where it is toggled.
std::vector<std::int64_t> stateOf(const MissionState& s)
{
    std::vector<std::int64_t> fields = {s.fuel, s.distanceLeft, s.oxygen, s.barrierCharges, s.dieRoll, s.phaserCells,
                                        s.damage, s.warnings, s.spins, s.hasDiamond, s.hasPlatinum, s.hasGold,
                                        s.stationVisited, s.resumedGame, s.zapfestMode, s.goldSquare, s.platinumSquare,
                                        s.diamondSquare, s.rocksPlaced, s.eventDeck.last, s.eraDeck.last};
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

// The wheel at 33.8 million miles with the status rows drawn and sound on; a spin shows 6.
void atTheWheel()
{
    mission.soundOn = 'y';
    mission.spins = 4;
    mission.distanceLeft = 338;
    showStatus();
    draws->face(6);
}

// A meteor storm on a die of 9 with live supplies, and each action's first line on row 9.
void inAMeteorStorm()
{
    mission.barrierCharges = mission.phaserCells = 1;
    draws->face(9);
}
const std::vector<Answer> meteorActions = {
    {"aA", After::Returns, 9, "You escaped from the meteor deluge \x1e good job!", [] { return mission.fuel == 380; }},
    {"bB", After::Returns, 9, "Very clever space captain.", [] { return mission.barrierCharges == 0; }},
    {"eE", After::Returns, 9, "You turned the wrong way!", [] { return mission.damage == 1; }},
    {"fF", After::Returns, 9, "Your phasers have had no effect on the meteors.", [] { return mission.phaserCells == 0; }},
    {"rR", After::Returns, 9, "This is no time to repair your ship.", [] { return mission.warnings == 1; }},
    {"nN", After::Returns, 9, "The meteors have miraculously missed your ship."},
    {"hH", After::Waits, 2, "You need help \x1e here it is."}};  // at the action prompt only

// Landed on the asteroid, the diamond next to the ship (then platinum and gold); the die of the
// cliff and the next one show no 13.
void onTheAsteroid()
{
    keyboard->queueKeys("y");
    draws->face(1).face(6).face(1).face(2).face(2).face(1);
}

// At the station's sign of price list 1 (fuel for diamond, cells for platinum, the barrier for
// gold), carrying all three rocks.
void atTheSign()
{
    mission.hasDiamond = mission.hasPlatinum = mission.hasGold = 1;
    keyboard->queueKeys("y");
    draws->face(1).face(1);
}

const std::string quitQuestion = at(17, "Do you want to quit this game?  Y or N"), wheelPrompt = at(17, "Spin cosmic wheel");
const std::string instructionsQuestion = at(23, "Do you want instructions?  Y or N");
const std::string page1 = at(18, "* INSTRUCTIONS FOR ZORVANE *"), page3 = "Most of the prompts explain themselves, so read them carefully.";
const std::string page2 = "You travel by spinning the cosmic wheel: press ENTER to spin it.  The wheel";
const Answer quits = {{esc}, After::Waits, 12, at(16, "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.")};
const Answer quitsOnBoth = {{esc, ctrlC}, quits.after, quits.row, quits.text};
const Answer asksToQuit = {{esc, ctrlC}, After::Waits, 21, quitQuestion};
const Answer leavesThePages = {"rR", After::Returns, 7, at(33, "ZORVANE")};

const std::vector<Prompt> prompts = {
    {"mode", [] {}, titleMenu, at(23, "Full game or Zapfest Game?  F or W"), 200, {'x', 'n', ctrlC},
     {{"fF", After::Waits, 21, instructionsQuestion, [] { return mission.zapfestMode == 0; }},
      {"wW", After::Waits, 21, instructionsQuestion, [] { return mission.zapfestMode == 1; }}, quits}},
    {"resume", [] { frozenGameOnDisk("123"); }, titleMenu, at(23, "Resume prior game  or begin new game, R or B?"),
     500, {'x', 'n', ctrlC},
     {{"rR", After::Waits, 20, at(23, "Resuming prior game"), [] { return mission.fuel == 123 && mission.resumedGame == 1; }},
      {"bB", After::Waits, 21, instructionsQuestion, [] { return mission.fuel == 400 && mission.resumedGame == 0; }}, quits}},
    {"damagedResume", [] { frozenGameOnDisk("x"); }, titleMenu, at(23, "Begin new game with B, or ESCAPE to leave"),
     500, {'x', 'r', ctrlC}, {{"bB", After::Waits, 21, instructionsQuestion}, quits}},
    {"instructions", [] { keyboard->queueKeys("w"); }, titleMenu, instructionsQuestion, 200, {'x', ctrlC},
     {{"yY", After::Waits, 2, page1}, {"nN", After::Waits, 21, at(23, "Do you want sound effects?  Y or N")}, quits}},
    {"sound", [] { keyboard->queueKeys("wn"); }, titleMenu,
     at(23, "Do you want sound effects?  Y or N"), 200, {'x', ctrlC},
     {{"yY", After::Returns, 21, at(23, "Do you want sound effects?  Y or N"), [] { return soundIsOn(); }},
      {"nN", After::Returns, 21, at(23, "Do you want sound effects?  Y or N"), [] { return !soundIsOn(); }}, quits}},
    {"page1", [] {}, instructionPages, "Press C to continue or R to return to the game.", 200, {'x', 'b'},
     {{"cC", After::Waits, 2, page2}, leavesThePages, quitsOnBoth}},
    {"page2", [] { keyboard->queueKeys("c"); }, instructionPages,
     "Press C to continue or B to back up or R to return to the game", 200, {'x'},
     {{"cC", After::Waits, 2, page3}, {"bB", After::Waits, 2, page1}, leavesThePages, quitsOnBoth}},
    {"page3", [] { keyboard->queueKeys("cc"); }, instructionPages,
     "Press B to back up or R to return to the game     from the Zorvane developers", 0, {'x', 'c'},
     {{"bB", After::Waits, 2, page2}, leavesThePages, quitsOnBoth}},
    {"launchPad", [] { draws->face(1).face(1).face(1); }, launchPad, at(28, "Press B to blast off"), 200, {'x'},
     {{"bB", After::Returns, 12, at(31, "SUCCESSFUL BLASTOFF!"), [] { return mission.phaserCells == 3; }}, quitsOnBoth}},
    // The sound toggle and the question to freeze take the whole row they wrote on: no tail of
    // the miles line or of the question is left.
    {"wheel", atTheWheel, [] { wheelTurn(); }, wheelPrompt, 200, {'x', 'q'},
     {{{enter}, After::Rolls, 22, at(17, "You spun a 6"), [] { return mission.spins == 5 && mission.distanceLeft == 326; }},
      {"sS", After::Waits, 19, at(17, "* Sound off *"), [] { return mission.soundOn == 'n'; }},
      {"fF", After::Waits, 18, at(42, "Want to freeze the game?  Y or N")}, asksToQuit}},
    {"freeze",
     [] {
         atTheWheel();
         keyboard->queueKeys("f");
         for (int decoy = 0; decoy < 50; ++decoy) draws->push(decoy);  // the frozen game's decoys
     },
     [] { wheelTurn(); }, at(42, "Want to freeze the game?  Y or N"), 200, {'x', esc, ctrlC},
     {{"nN", After::Waits, 18, ""},
      {"yY", After::Waits, 12, at(16, "GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION"),
       [] { return std::filesystem::exists("mars.dat"); }}}},
    {"quit", [] { atTheWheel(); keyboard->queueKey(keyEsc); }, [] { wheelTurn(); }, quitQuestion, 200, {'x', esc, ctrlC},
     {{"nN", After::Waits, 21, wheelPrompt}, {"yY", After::Waits, 1, "You made 4 spins of the cosmic wheel."}}},
    {"action", inAMeteorStorm, meteorStorm, at(17, "Press A, B, E, F, R, N, or H for help \x1e"), 200, {'x', esc, ctrlC},
     meteorActions},
    {"help", [] { inAMeteorStorm(); keyboard->queueKeys("h"); }, meteorStorm, "Press the letter of your choice \x1e",
     200, {'x', 'h', esc, ctrlC}, {meteorActions.begin(), meteorActions.end() - 1}},
    {"asteroidLanding", [] { draws->face(1); }, asteroidEncounter, at(17, "Do you want to land?  Y or N"), 200, {'x', esc, ctrlC},
     {{"yY", After::Rolls, 3, "Very smooth landing."}, {"nN", After::Returns, 5, "You are approaching a large asteroid."}}},
    {"walk", onTheAsteroid, asteroidEncounter, "Press E, W, N, S, or B \x1e", 0, {'x', 'h'},
     {{"wW", After::Waits, 7, " You are in a clearing at the entrance to your ship."},
      {"eEnNsS", After::Waits, 8, "Watch out! You are walking into the wall.", [] { return mission.oxygen == 105; }},
      {"bB", After::Returns, 5, "Pretty cool blastoff!"}, asksToQuit},
     true},
    {"takeIt", [] { onTheAsteroid(); keyboard->queueKeys("w"); }, asteroidEncounter, "Do you want to take it? Y or N",
     0, {'x', esc, ctrlC},
     {{"yY", After::Waits, 11, "Okay, you have it.", [] { return mission.hasDiamond == 1; }},
      {"nN", After::Waits, 11, "All right, move on.", [] { return mission.hasDiamond == 0; }}},
     true},
    {"stationLanding", [] { draws->face(1).face(1); }, spaceStation, at(17, "Do you want to land?  Y or N"),
     200, {'x', esc, ctrlC},
     {{"yY", After::Waits, 5, "Beautiful landing."}, {"nN", After::Returns, 5, "You are nearing a space station."}}},
    {"shop", atTheSign, spaceStation, "N for none -", 0, {'x', 'r', esc, ctrlC},
     {{"fF", After::Waits, 15, "Okay, you now have 600 units of fuel", [] { return mission.hasDiamond == 0; }},
      {"pP", After::Waits, 15, "You now have fresh phaser power cells.", [] { return mission.phaserCells == 5; }},
      {"bB", After::Waits, 15, "Nice job, you have a new barrier generator.", [] { return mission.barrierCharges == 5; }},
      {"nN", After::Waits, 21, at(17, "Press B when ready to blast off")}},
     true},
    {"stationBlastOff", [] { atTheSign(); keyboard->queueKeys("n"); draws->face(1); }, spaceStation,
     at(17, "Press B when ready to blast off"), 200, {'x', 'n', esc, ctrlC}, {{"bB", After::Returns, 5, "Successful blastoff!"}}},
    {"marsOrbit", [] { draws->face(1); }, marsArrival, at(17, "Press L when ready to land"), 500, {'x', esc, ctrlC},
     {{"lL", After::Waits, 3, "YOU DID IT!  CONGRATULATIONS."}}},
    {"zapfestMenu", [] { mission.zapfestMode = 1; mission.soundOn = 'n'; draws->face(1); }, zapfestLoop,
     at(17, "Press ENTER to play or ESCAPE to quit"), 200, {'x', 'f'},
     {{{enter}, After::Rolls, 3, "Be careful, an alien ship is following you."},
      {"sS", After::Waits, 19, at(17, "* Sound on *"), [] { return mission.soundOn == 'y'; }}, asksToQuit}},
    {"battle", [] {}, [] { battlePrompt(); }, at(17, "F to fire phasers, B for force field barrier or Escape to quit"),
     200, {'x', 'a', ctrlC}, {{"fFbB", After::Returns, 21, ""}, {{esc}, After::Waits, 21, quitQuestion}}},
    {"lastScreen", [] {}, endMission, at(34, "Press ESCAPE to exit"), 0, {'x', 'y', enter, ctrlC},
     {{{esc}, After::Ends, 22, at(34, "Press ESCAPE to exit")}}},
};

// One key at one prompt: an answer, or a key the prompt refuses.
struct KeyCase {
    const Prompt* prompt;
    char key;
    const Answer* answer;  // null for a refused key
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.prompt->name << " " << int(c.key); }

std::vector<KeyCase> everyKey()
{
    std::vector<KeyCase> cases;
    for (const Prompt& prompt : prompts) {
        for (const Answer& answer : prompt.answers)
            for (const char key : answer.keys) cases.push_back({&prompt, key, &answer});
        for (const char key : prompt.refused) cases.push_back({&prompt, key, nullptr});
    }
    return cases;
}

class PromptKeys : public GameTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    // Runs the prompt from a fresh start with `keys` typed at it.
    After run(const std::string& keys)
    {
        SetUp();
        keyboard = &console;
        draws = &*chance;
        GetParam().prompt->enter();
        console.queueKeys(keys);
        try {
            GetParam().prompt->ask();
        } catch (const ScriptExhausted&) {
            return After::Waits;
        } catch (const ProgramEnded&) {
            return After::Ends;
        } catch (const UnexpectedDraw&) {
            return After::Rolls;
        }
        return After::Returns;
    }
};

TEST_P(PromptKeys, TakesItsKeysAndRefusesTheRest)
{
    const KeyCase& c = GetParam();
    ASSERT_EQ(run(""), After::Waits);
    const auto asked = console.clockMs();
    const std::vector<std::string> before = rows(1, ScriptedConsole::rows);
    const auto stateBefore = stateOf(mission);
    const int promptRow = console.cursorRow();

    const After after = run({&c.key, 1});
    if (c.answer != nullptr) {
        EXPECT_EQ(after, c.answer->after);
        EXPECT_EQ(console.rowText(c.answer->row), c.answer->text) << "row " << c.answer->row;
        EXPECT_TRUE(c.answer->holds());
        return;
    }
    ASSERT_EQ(after, After::Waits) << "a refused key is asked again";
    EXPECT_EQ(console.clockMs() - asked, c.prompt->pause);
    const std::vector<std::string> now = rows(1, ScriptedConsole::rows);
    if (c.prompt->appends) {
        const std::string row = console.rowText(console.cursorRow());
        EXPECT_EQ(row.substr(row.size() - std::min(row.size(), c.prompt->again.size())), c.prompt->again);
    } else {
        EXPECT_EQ(console.cursorRow(), promptRow);
        EXPECT_EQ(console.rowText(promptRow), c.prompt->again);
    }
    for (int row = 1; row <= ScriptedConsole::rows; ++row)
        if (row < promptRow || row > console.cursorRow()) { EXPECT_EQ(now[row - 1], before[row - 1]) << "row " << row; }
    EXPECT_EQ(stateOf(mission), stateBefore);
}

INSTANTIATE_TEST_SUITE_P(EveryPrompt, PromptKeys, ::testing::ValuesIn(everyKey()), [](const auto& info) {
    const KeyCase& c = info.param;
    const std::string key = c.key == esc ? "Esc" : c.key == ctrlC ? "CtrlC" : c.key == enter ? "Enter" : std::string(1, c.key);
    // A capital is named as such: some filters ignore the case of test names.
    return std::string(c.prompt->name) + "_" + (c.answer ? "" : "refuses_") + (std::isupper(c.key) ? "capital" : "") + key;
});

}  // namespace
