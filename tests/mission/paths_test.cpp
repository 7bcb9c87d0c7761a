// Every path a player can take, one worked example each: the last screen whole (every row, all 80
// columns, the verses read from the game's own constants; and the screen that stands only while
// the first cue sounds, where there is one), the cues heard in order (and the
// screen's clears between them) with the sound on, the time the path takes on the virtual clock
// (the sum of its pauses: a screen too many on the way shows there), and that every key and draw
// the example gives is used. The start-up's paths run the whole start-up, so a screen of another
// path shows.
//
// Every prompt's keys, as the player sees them, on the prompt's row. Each group of keys a prompt
// answers leads, in either case, to one result (the outcome, the whole screen, the state, the
// clock and the cues), and every group to its own, none of them that of a refused key; ESC and
// Ctrl-C are answers where they count and refused where they do not. A refused key changes
// nothing on the screen or in the state: after the prompt's pause the prompt asks again. What
// each answer does is its path's worked example above.
#include <cctype>

#include "aliens/pursuit.h"
#include "aliens/zapfest.h"
#include "core/status.h"
#include "encounters/action_prompt.h"
#include "encounters/hazards.h"
#include "encounters/moon.h"
#include "encounters/scenery.h"
#include "encounters/time_warp.h"
#include "endings/end_mission.h"
#include "endings/endings.h"
#include "instructions/instructions.h"
#include "landings/asteroid.h"
#include "landings/station.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/game_test.h"  // before the checks: gtest before the console's write()
#include "support/frozen_game_checks.h"

namespace {

// The paths, by what the player meets: one name a path, each with exactly one example below.
const char* const everyPath[] = {
    "title: full game", "title: zapfest mode", "title: quit", "title: instructions", "title: no instructions", "title: sound on", "title: sound off",
    "resume: resumed", "resume: begin new game", "resume: quit", "resume: damaged file", "launch pad: blast-off", "launch pad: crash", "launch pad: quit",
    "wheel: spin", "wheel: sound off", "wheel: sound on", "wheel: freeze", "wheel: freeze failed", "wheel: freeze declined", "wheel: quit",
    "wheel: quit declined", "wheel: reaching mars", "wheel: time warp", "wheel: the moon", "ending: damage", "ending: warnings", "ending: out of fuel",
    "ending: landed on mars", "ending: crashed on mars", "action: help page", "action: accelerate", "quiet: repair", "moon: passed", "moon: crash",
    "shuttle: explosion", "time warp: home", "time warp: wrong era", "time warp: line refused", "time warp: out of fuel", "pursuit: hit and escape", "pursuit: vaporized",
    "pursuit: at the limits", "pursuit: aliens flee", "zapfest: battle", "zapfest: aliens flee", "zapfest: blown apart", "zapfest: quit", "zapfest: quit declined",
    "asteroid: not landing", "asteroid: landing crash", "asteroid: landed", "asteroid: walk and blast-off", "asteroid: walk onto square 99", "asteroid: blast-off crash",
    "asteroid: rock taken", "asteroid: rock left", "asteroid: radioactive rock", "asteroid: cliff", "asteroid: suffocation", "asteroid: quit",
    "asteroid: quit declined", "asteroid: wall", "station: not landing", "station: landing crash", "station: fuel bought", "station: cells bought",
    "station: barrier bought", "station: cannot pay", "station: blast-off", "station: blast-off crash", "instructions: forward", "instructions: back",
    "instructions: return", "instructions: quit",
};

// Returns; ends the program; asks for a key the script has not; goes on to a die the test did not give.
enum Outcome { back, over, asks, rolls };
Outcome outcomeOf(void (*step)())
{
    try { step(); }
    catch (const ProgramEnded&) { return over; }
    catch (const ScriptExhausted&) { return asks; }
    catch (const UnexpectedDraw&) { return rolls; }
    return back;
}

struct Example {
    const char* path;
    void (*state)();  // the state before the step (sound on, a fresh MissionState otherwise)
    std::vector<int> draws;  // raw results of the generator: n-1 shows n on any die of n or more
    std::string keys;
    void (*step)();
    Outcome outcome;
    Screen screen;  // the last screen
    std::string heard;  // the cues' short names, in order, one blank between two, " |" where the screen clears
    long ms;
    bool (*holds)() = nullptr;  // the state the path leaves
    std::vector<std::string> lines = {};  // typed lines (the time warp's)
    int firstRow = 1;  // the rows above it are left to other tests
    Screen atFirstCue = {};  // where it is not the last: the screen while the first cue sounds
};
void PrintTo(const Example& e, std::ostream* os) { *os << e.path; }

const std::string esc = "\x1b", ctrlC = "\x03", enter = "\r", pressEscape = from(34, "Press ESCAPE to exit");
// The last screen of a mission: what stands above, the appeal, the goodbye and the ESC prompt.
Screen goodbye(const char* bye = "Bye for now space traveller!")
{
    return {{18, "Zorvane is free.  If it gave you a good trip, a small gift to its developers"},
            {19, "keeps the cosmic wheel spinning.  Thank you, and come back soon!"}, {21, from(34, bye)}, {22, pressEscape}};
}
// An ending's screen: the verse from `row`, the spins and the distance left right below it.
Screen endingScreen(int row, const Lines& lines, const std::string& distance = "You had 35 million miles to go.")
{
    const Screen text = verseRows(row, lines);
    const int after = text.rbegin()->first + 1;
    return text + Screen{{after, "You made 0 spins of the cosmic wheel."}, {after + 1, distance}} + goodbye();
}
const Screen quitScreen = {{12, from(16, "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.")}, {22, pressEscape}};
const std::string wheelPrompt = from(17, "Spin cosmic wheel"), landQuestion = from(17, "Do you want to land?  Y or N");
const std::string zapfestMenu = from(17, "Press ENTER to play or ESCAPE to quit"), fuel390 = from(17, "You have 390 units of fuel");
const Screen title = {{7, from(33, "ZORVANE")}, {9, from(28, "Version " ZORVANE_VERSION " for Windows")}, {12, from(12, "A voyage from the Earth to Mars, written by the Zorvane developers.")},
                      {13, from(40, "Tell the Zorvane developers your tales!")}, {15, "Zorvane is free: copy it and give it away, with all of its files intact, but"},
                      {16, "never sell it.  It comes as it is, without warranties of any kind."}};
Screen titleAsking(const char* question) { return title + Screen{{21, from(23, question)}}; }
const char* const soundQuestion = "Do you want sound effects?  Y or N";
const Screen launchPadScreen = {{12, from(15, "** YOU ARE ON THE LAUNCHING PAD AT CAPE CANAVERAL **")}, {21, from(28, "Press B to blast off")}};
const Screen asteroidBlastedOff = {{5, "Pretty cool blastoff!"}, {6, "You are on your way again space traveller."}};
const Screen quitAtTheWheel = Screen{{1, "You made 0 spins of the cosmic wheel."}, {2, "You had 35 million miles to go."}} + goodbye();

// A row written over end to end, and what stays of it left of the status rows' column.
void scribble(int row) { gotoColRow(1, row), writeText(std::string(80, '#')); }
const std::string scribbled(16, '#');
bool hasFile() { return std::filesystem::exists(frozenGameFile); }
void atRow5() { gotoColRow(1, 5); }
void fresh() {}
// The asteroid's rocks: the diamond on square 3, platinum on 5, gold on 8.
void rocksAround()
{
    atRow5();
    std::tie(mission.rocksPlaced, mission.diamondSquare, mission.platinumSquare, mission.goldSquare) = std::tuple(1, 3, 5, 8);
}
// The station's sign when the fuel costs a diamond, then one purchase, and the trading prompt again.
Screen sign(const char* bought)
{
    const char* trade = "Press the first letter of the item you want or N for none -";
    return {{5, "Beautiful landing."}, {6, "You see a large sign, it says:"}, {7, "SUPPLIES FOR SALE HERE!"}, {8, "FUEL - ONE DIAMOND ROCK"},
            {10, "PHASER POWER CELLS - ONE PLATINUM ROCK"}, {12, "BARRIER GENERATOR - ONE GOLD ROCK"}, {14, trade}, {15, bought}, {16, trade}};
}
// The diamond found on square 3: the oxygen, the rock, the question (asked as often as it was), the answer.
Screen rockOffered(const char* asked, const char* answer)
{
    return {{5, "You have 100 units of oxygen."}, {6, "You see a sparkling rock, it looks like a diamond."}, {7, asked}, {8, answer}};
}
std::string times(int n, const std::string& text) { return n == 0 ? "" : text + times(n - 1, text); }
// The rows of an instruction page above its prompt are left to the prompts' own test.
const int pagePrompt = 24;
// A frozen game of 82 lines: its fuel line (53) reads `fuel`, the distance's (55) 123.
void frozenGameWith(const std::string& fuel)
{
    std::ofstream file(frozenGameFile);
    for (int line = 1; line <= 82; ++line) file << (line == 53 ? fuel : line == 55 ? "123" : line <= 50 ? "1" : "0") << "\n";
}
void frozenGame() { frozenGameWith("400"); }
void nearEveryEnd() { std::tie(mission.damage, mission.warnings, mission.fuel, mission.distanceLeft) = std::tuple(4, 2, 1, 3); }

const std::vector<Example>& examples()
{
    static const std::vector<Example> list = {
        // path, state, draws, keys, step, outcome, last screen, cues heard, ms (state left, lines typed, first row looked at)
        {"title: full game", fresh, {}, "fnn", runGame, asks, launchPadScreen, "", 800},
        {"title: zapfest mode", frozenGame, {}, "wnn", runGame, asks, title + Screen{{21, zapfestMenu}}, "", 800, [] { return mission.zapfestMode == 1; }},
        {"title: quit", fresh, {}, "x" + ctrlC + esc + "x" + esc, titleMenu, over, quitScreen, "", 1600},
        {"title: instructions", fresh, {}, "fY", titleMenu, asks, {{24, "Press C to continue or R to return to the game."}}, "", 600, nullptr, {}, pagePrompt},
        {"title: no instructions", fresh, {}, "fn", titleMenu, asks, titleAsking(soundQuestion), "", 600},
        {"title: sound on", [] { mission.soundOn = 0; }, {}, "fnxY", titleMenu, back, titleAsking(soundQuestion), "| intr", 800, [] { return mission.soundOn == 'y'; }},
        {"title: sound off", [] { mission.soundOn = 0; }, {}, "fnn", titleMenu, back, titleAsking(soundQuestion), "", 600, [] { return mission.soundOn == 'n'; }},

        {"resume: resumed", frozenGame, {}, "fRnn", runGame, asks, title + Screen{{20, from(23, "Resuming prior game")}, {21, wheelPrompt}}, "", 1500,
         [] { return mission.resumedGame == 1 && mission.fuel == 400 && mission.distanceLeft == 123; }},
        {"resume: begin new game", frozenGame, {}, "xb", offerResume, back, {{21, from(23, "Resume prior game  or begin new game, R or B?")}}, "", 1000,
         [] { return mission.resumedGame == 0 && mission.fuel == 400 && hasFile(); }},
        {"resume: quit", frozenGame, {}, esc + esc, offerResume, over, quitScreen, "", 1500, hasFile},
        {"resume: damaged file", [] { std::ofstream(frozenGameFile) << "1\n2\n"; }, {}, "rb", offerResume, back,
         {{20, from(23, "The frozen game is damaged and cannot be resumed.")}, {21, from(23, "Begin new game with B, or ESCAPE to leave")}}, "", 1000},

        {"launch pad: blast-off", fresh, {22, 5, 9}, "xB", launchPad, back,
         {{12, from(31, "SUCCESSFUL BLASTOFF!")}, {14, from(20, "* You are now in orbit around the Earth *")},
          {16, from(17, "You are ready to begin your 35 million mile trip.")}, {20, from(17, "You have 400 units of fuel")}}, "| stup blof", 1400,
         [] { return mission.phaserCells == 3 && mission.barrierCharges == 7; }, {}, 1, {{12, from(36, "IGNITION!")}}},
        {"launch pad: crash", frozenGame, {32}, "b" + esc, launchPad, over, verseRows(5, launchPadCrashVerse) + Screen{{22, pressEscape}}, "| stup blof expl | exit", 3200, hasFile},
        {"launch pad: quit", fresh, {}, "x" + ctrlC + esc, launchPad, over, quitScreen, "", 1400},

        // A spin, its encounter, and the wheel's prompt again.
        {"wheel: spin", [] { mission.spins = 4; }, {5, 1, 0, 0}, "\rn", wheelLoop, asks,
         {{5, "You are studying the stars with your telescope."}, {6, "Saturn with its rings is clearly in view."}, {9, "You are zooming to Mars."},
          {19, from(17, "Miles to Mars: 33 million, 8 hundred thousand")}, {20, fuel390}, {21, wheelPrompt}, {22, from(17, "You spun a 6")}}, "| whee", 3600,
         [] { return mission.spins == 5 && mission.distanceLeft == 338 && mission.fuel == 390; }},
        // The status rows are theirs from column 17 to the edge, whatever stood there (here the
        // whole of both rows written over): the toggle's message takes all of row 19.
        {"wheel: sound off", [] { mission.distanceLeft = 338; scribble(19), scribble(20), showStatus(); }, {}, "s", [] { wheelTurn(); }, asks,
         {{19, scribbled + "* Sound off *"}, {20, scribbled + "You have 400 units of fuel"}, {21, wheelPrompt}}, "", 2400,
         [] { return mission.soundOn == 'n'; }},
        {"wheel: sound on", [] { mission.soundOn = 'n'; }, {}, "S", [] { wheelTurn(); }, asks, {{19, from(17, "* Sound on *")}, {21, wheelPrompt}}, "", 400,
         [] { return mission.soundOn == 'y'; }},
        {"wheel: freeze", [] { mission.spins = 3; }, std::vector<int>(50, 0), "fxY" + esc, [] { wheelTurn(); }, over,
         Screen{{12, from(16, "GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION")}} + goodbye("Bye for now pal!"), "| exit", 3600, hasFile},
        {"wheel: freeze failed", [] { std::filesystem::create_directory(frozenGameFile); }, std::vector<int>(50, 0), "fy", [] { wheelTurn(); }, asks,
         {{21, wheelPrompt}, {23, from(17, "The game could not be frozen: Is a directory.")}}, "", 600},
        {"wheel: freeze declined", fresh, {}, "fn", [] { wheelTurn(); }, asks, {{21, wheelPrompt}}, "", 600},
        // Nothing ends the mission yet: each of its ends is one step away.
        {"wheel: quit", [] { nearEveryEnd(); frozenGame(); }, {}, ctrlC + "xy" + esc, [] { wheelTurn(); }, over,
         Screen{{1, "You made 0 spins of the cosmic wheel."}, {2, "You had 3 hundred thousand miles to go."}} + goodbye(), "| quit exit", 3600, [] { return !hasFile(); }},
        {"wheel: quit declined", fresh, {}, esc + "N", [] { wheelTurn(); }, asks, {{21, wheelPrompt}}, "", 600},
        {"wheel: reaching mars", [] { mission.distanceLeft = 2; }, {0}, "\r", [] { wheelTurn(); }, asks,
         {{12, from(19, "** YOU ARE NOW IN ORBIT AROUND MARS **")}, {21, from(17, "Press L when ready to land")}}, "| whee | tune", 1700,
         [] { return mission.distanceLeft == 0 && mission.fuel == 390; }},
        {"wheel: time warp", [] { mission.distanceLeft = 200; }, {9, 3, 0}, "\r", wheelLoop, asks,
         {{5, "Oh no!  You are going too fast."}, {6, "You have entered a time warp."}, {12, from(10, "* The year is 1943, a world war is raging  *")},
          {20, fuel390}, {21, from(17, "Enter 0 to 9 to get back")}, {22, from(17, "You spun a 10")}}, "| whee tiwa", 1400},
        {"wheel: the moon", fresh, {0, 4, 0}, "\r", [] { wheelTurn(); }, asks,
         {{5, "You are approaching the moon \x1e it looks creepy and desolate."}, {19, from(17, "Miles to Mars: 34 million, 8 hundred thousand")},
          {20, fuel390}, {21, from(17, "Make your move \x1e")}, {22, from(17, "You spun a 1")}}, "| whee", 3400},

        // Each ending at its own bound alone, the others one step short of theirs (their order: tests/mission/mission_test.cpp).
        {"ending: damage", [] { mission.damage = 5; mission.warnings = 2; }, {}, esc, wheelLoop, over, endingScreen(3, damageVerse), "expl | exit", 5000},
        {"ending: warnings", [] { mission.warnings = 3; mission.damage = 4; }, {}, esc, wheelLoop, over, endingScreen(3, warningsVerse), "warn | exit", 7000},
        {"ending: out of fuel", [] { nearEveryEnd(); std::tie(mission.fuel, mission.distanceLeft) = std::tuple(0, 123); }, {}, esc, wheelLoop, over,
         endingScreen(3, outOfFuelVerse, "You had 12 million 3 hundred thousand miles to go."), "fuel | exit", 5000},
        {"ending: landed on mars", [] { nearEveryEnd(); std::tie(mission.distanceLeft, mission.fuel, mission.spins) = std::tuple(0, 10, 21); frozenGame(); }, {31},
         esc + ctrlC + "xL" + esc, wheelLoop, over,
         verseRows(3, marsSuccessVerse) + goodbye() + Screen{{12, "It took you 21 spins of the cosmic wheel."}, {13, "You had 10 units of fuel remaining."}},
         "| tune lago grjo appl appl appl appl appl paho | exit", 8000, [] { return !hasFile(); }},
        {"ending: crashed on mars", [] { mission.distanceLeft = 0; }, {32}, "l" + esc, wheelLoop, over, endingScreen(3, marsCrashVerse, ""), "| tune lago expl | exit", 4500},

        {"action: help page", fresh, {}, "hX", [] { actionPrompt(); }, asks,
         verseRows(2, helpPageText) + Screen{{24, "Press the letter of your choice \x1e"}}, "", 600},
        {"action: accelerate", atRow5, {1}, "xA", meteorStorm, back,
         {{5, "You are caught in a huge meteor storm."}, {6, "Giant meteors are whizzing past your ship on all sides."},
          {9, "Bing bong kaboom \x1e you have been hit by a meteor."}, {10, "There is a hole in your hull."},
          {19, from(17, "Miles to Mars: 34 million, 8 hundred thousand")}, {20, from(17, "You have 380 units of fuel")}},
         "mete mete mete mete acce dama", 3400, [] { return mission.fuel == 380 && mission.damage == 1; }},
        {"quiet: repair", [] { atRow5(); mission.damage = 2; }, {0, 2, 0}, "r", [] { quietViewThenQuietSpace(QuietView::ShootingStar); }, back,
         {{5, "The beauty of the vast universe captivates you."}, {6, "A shooting star travels across the dark curtain of space."},
          {9, "Nice fix up job!"}, {10, "You are handy and dandy."}}, "star hamm", 200, [] { return mission.damage == 1; }},

        {"moon: passed", atRow5, {1}, "n", moonPass, back, {{5, "You are approaching the moon \x1e it looks creepy and desolate."}, {9, "You have passed the moon."},
          {10, "It is shrinking in your rear view monitor."}}, "", 200},
        {"moon: crash", atRow5, {6}, "n" + esc, moonPass, over, endingScreen(3, moonCrashVerse), "| expl exit", 3200},
        {"shuttle: explosion", [] { atRow5(); mission.phaserCells = 1; }, {9}, "f" + esc, abandonedShuttle, over, endingScreen(5, shuttleExplosionVerse),
         "shut phas expl expl | exit", 5700},

        // From the spin that warps, home, and the wheel's prompt again.
        {"time warp: home", [] { std::tie(mission.spins, mission.distanceLeft) = std::tuple(15, 200); }, {9, 0, 0}, "\r", wheelLoop, asks,
         {{21, wheelPrompt}, {22, from(17, "Good job, you made it back to the present!")}}, "| whee tiwa tw_g | ouwa", 4500,
         [] { return mission.fuel == 390; }, {"abc", "10", "12", "-1", "", "   ", "+", "- 3", "+-3", "\xb5" "0", std::string(10000, '9'), std::string(1, '\0') + "0", " +9x"}},
        {"time warp: wrong era", [] { mission.spins = 16; }, {0, 1}, "", timeWarp, asks,
         {{12, from(10, "* The year is 46 B C, Julius Caesar gives Rome a new calendar *")}, {20, from(17, "You have 380 units of fuel")},
          {21, from(17, "Enter 0 to 9 to get back")}}, "tiwa tw_g", 1400, nullptr, {"0"}},
        // The line refused goes from the row with the prompt asked again, however long it was.
        {"time warp: line refused", fresh, {0}, "", timeWarp, asks, {{5, "Oh no!  You are going too fast."}, {6, "You have entered a time warp."},
         {12, from(10, "* The year is 1943, a world war is raging  *")}, {20, fuel390}, {21, from(17, "Enter 0 to 9 to get back")}}, "tiwa", 1400,
         nullptr, {"no, I will not, I will stay right here"}},
        {"time warp: out of fuel", [] { mission.fuel = 10; }, {}, esc, timeWarp, over, endingScreen(3, outOfFuelVerse), "tiwa fuel | exit", 6000},

        {"pursuit: hit and escape", [] { atRow5(); mission.phaserCells = 5; }, {11, 0, 0, 0, 18}, "xFe", alienPursuit, back,
         {{5, "You have eluded the alien dirtbags."}, {6, "You have left them in a cloud of cosmic dust."}}, "alie | phas hit phal | evad", 3600,
         [] { return mission.phaserCells == 4 && mission.fuel == 390; }},
        {"pursuit: aliens flee", [] { atRow5(); mission.phaserCells = 5; }, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "fff", alienPursuit, back,
         {{5, "Good shot!  You clipped the buggers"}, {6, "The stinking goon aliens are running away!"}, {7, "You have whipped their butts."},
          {8, "They cannot take anymore of a beating."}, {9, "They have  run away like dirty dogs."}},
         "alie | phas hit phal | phas hit phal | phas hit laug", 6600, [] { return mission.phaserCells == 2; }},
        {"pursuit: vaporized", atRow5, {0, 9}, "n" + esc, alienPursuit, over, endingScreen(3, vaporizedVerse), "alie | phal expl alla | exit", 6200},
        {"pursuit: at the limits", [] { atRow5(); mission.damage = 5; }, {}, "", alienPursuit, back,
         {{5, "Be careful!  An alien ship is following you."}, {6, "You have no indication of its intentions, but the dudes look nasty."}}, "alie", 0},

        {"zapfest: aliens flee", fresh, {0, 9, 5, 9, 5, 9, 5, 9, 5, 9, 5}, "bbbbb", zapfestBattle, back,
         {{3, "They are firing but the shot deflected off your force field barrier."}, {4, "And hehehehehehehehe, it hit the space goons!"},
          {5, "The stinking goon aliens are running away!"}, {6, "You have whacked them."}, {7, "They cannot take any more hits."},
          {8, "They have  absconded in terror."}}, "| alie " + times(5, "| barr phal defl hit ") + "laug", 14500},
        {"zapfest: blown apart", fresh, {0, 9, 2, 9, 2, 9, 2, 9, 2, 9, 2}, "fffff", zapfestBattle, back,
         {{3, "You missed them."}, {4, "Hit the deck, you have been hit."}, {5, "Oh no, you have sustained too much damage and have blown apart."},
          {6, "You have been whacked by the space goons."}}, "| alie " + times(5, "| phas phal dama ") + "expl alla", 14500},
        {"zapfest: battle", [] { mission.zapfestMode = 1; mission.damage = 4; }, {0, 19, 0}, "\rf", zapfestLoop, asks,
         {{3, "Hehehehehehehehehehehehehe, wow, you whacked  the ugly space goons."},
          {4, "You turned them into cosmic gas and it stinks of alien around here."}, {21, zapfestMenu}}, "| alie | phas expl laug", 600,
         [] { return mission.phaserCells == 7 && mission.barrierCharges == 8 && mission.damage == 0; }},
        {"zapfest: quit", [] { mission.zapfestMode = 1; frozenGame(); }, {}, esc + "y" + esc, zapfestLoop, over, goodbye(), "| quit zapf", 3400, hasFile},
        {"zapfest: quit declined", [] { mission.zapfestMode = 1; }, {}, ctrlC + "n", zapfestLoop, asks, {{21, zapfestMenu}}, "", 600},

        {"asteroid: not landing", atRow5, {}, "xn", asteroidEncounter, back,
         {{5, "You are approaching a large asteroid."}, {6, "It looks parched and barren."}, {21, landQuestion}}, "aste", 400},
        {"asteroid: landing crash", atRow5, {12}, "y" + esc, asteroidEncounter, over, endingScreen(3, asteroidLandingCrashVerse), "aste | lago expl | exit", 3200},
        {"asteroid: landed", atRow5, {0, 0, 1, 2}, "y", asteroidEncounter, asks,
         {{3, "Very smooth landing."}, {4, "The rocky landscape is dimly lit by the stars."},
          {5, "Your options are E, W, N, or S, for direction of movement, or B to blast off."}, {6, "You are in your ship."}}, "aste | lago", 200},
        {"asteroid: walk and blast-off", atRow5, {0, 0, 1, 2, 0, 12, 0, 33}, "yweb", asteroidEncounter, back, asteroidBlastedOff, "aste | lago | stup blof", 200,
         [] { return mission.oxygen == 100; }},
        // Square 99 is the move reader's blast-off: a walk onto it blasts off.
        {"asteroid: walk onto square 99", [] { mission.oxygen = 1000; },
         {0, 0, 1, 2, /* 25 moves, no cliff: */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 33}, "yw" + times(23, "s") + "e", asteroidEncounter, back, asteroidBlastedOff,
         "aste | lago | stup blof", 200, [] { return mission.oxygen == 880; }},
        {"asteroid: blast-off crash", atRow5, {0, 0, 1, 2, 0, 12, 0, 32}, "yweb" + esc, asteroidEncounter, over, endingScreen(3, asteroidBlastOffCrashVerse),
         "aste | lago | stup blof expl | exit", 3200},
        {"asteroid: rock taken", rocksAround, {11}, "xY", [] { chargeOxygenAndOfferRock(3); }, back,
         rockOffered("Do you want to take it? Y or N   Do you want to take it? Y or N", "Okay, you have it."), "rock", 0, [] { return mission.hasDiamond == 1; }},
        {"asteroid: rock left", [] { rocksAround(); mission.oxygen = 10; }, {}, "n", [] { chargeOxygenAndOfferRock(3); }, back,  // the last oxygen but 5
         rockOffered("Do you want to take it? Y or N", "All right, move on.") + Screen{{5, "You have 5 units of oxygen."}}, "", 0, [] { return mission.hasDiamond == 0; }},
        {"asteroid: radioactive rock", rocksAround, {12}, "y" + esc, [] { chargeOxygenAndOfferRock(3); }, over, endingScreen(5, radioactiveRockVerse), "roen | exit", 3000,
         nullptr, {}, 1, rockOffered("Do you want to take it? Y or N", "")},
        {"asteroid: cliff", atRow5, {0, 0, 1, 2, 12}, "yw" + esc, asteroidEncounter, over, endingScreen(5, cliffVerse), "aste | lago | clif | exit", 3200},
        {"asteroid: suffocation", [] { mission.oxygen = 5; }, {}, esc, chargeOxygen, over, endingScreen(5, suffocationVerse), "oxyg | exit", 6000},
        {"asteroid: quit", atRow5, {}, esc + "y" + esc, [] { readMove(6); }, over, quitAtTheWheel, "| quit exit", 3200},
        // Declined where the walk's text has come down to the quit question's row: no tail of the walk's line or of
        // the question stays there.
        {"asteroid: quit declined", [] { gotoColRow(1, 21); writeText("Your options are E, W, N, or S, for direction of movement, or B to blast off.\n"); },
         {}, esc + "n", [] { readMove(6); }, asks, {{22, "Press E, W, N, or S \x1e"}}, "", 200},
        {"asteroid: wall", atRow5, {}, "e", [] { readMove(shipSquare); }, asks, {{6, "Watch out! You are walking into the wall."}}, "trip", 0},

        {"station: not landing", atRow5, {}, "xn", spaceStation, back,
         {{5, "You are nearing a space station."}, {6, "Its flashing lights are visible in the darkness."}, {21, landQuestion}}, "stat stat stat", 400},
        {"station: landing crash", atRow5, {12}, "y" + esc, spaceStation, over, endingScreen(3, stationLandingCrashVerse), "stat stat stat | lago expl | exit", 3200},
        {"station: fuel bought", [] { atRow5(); mission.hasDiamond = 1; }, {0, 0}, "yf", spaceStation, asks, sign("Okay, you now have 600 units of fuel"),
         "stat stat stat | lago rock", 2200, [] { return mission.fuel == 600 && mission.hasDiamond == 0; }},
        {"station: cells bought", [] { atRow5(); mission.hasPlatinum = 1; }, {0, 0}, "yp", spaceStation, asks, sign("You now have fresh phaser power cells."),
         "stat stat stat | lago rock", 2200, [] { return mission.phaserCells == 5 && mission.hasPlatinum == 0; }},
        {"station: barrier bought", [] { atRow5(); mission.hasGold = 1; }, {0, 0}, "yb", spaceStation, asks, sign("Nice job, you have a new barrier generator."),
         "stat stat stat | lago rock", 2200, [] { return mission.barrierCharges == 5 && mission.hasGold == 0; }},
        {"station: cannot pay", [] { atRow5(); mission.hasGold = 1; }, {0, 0}, "yf" + esc, spaceStation, over, endingScreen(3, arrestVerse),
         "stat stat stat | lago dama arre arre arre | exit", 7200},
        {"station: blast-off", atRow5, {0, 0, 0}, "ynb", spaceStation, back,
         {{5, "Successful blastoff!"}, {6, "You are back on course and ready to resume your trip."}}, "stat stat stat | lago stup blof", 2400},
        {"station: blast-off crash", atRow5, {0, 0, 12}, "ynxb" + esc, spaceStation, over, endingScreen(3, stationBlastOffCrashVerse),
         "stat stat stat | lago stup blof expl | exit", 5600},

        {"instructions: forward", fresh, {}, "cC", instructionPages, asks, {{24, "Press B to back up or R to return to the game     from the Zorvane developers"}},
         "", 400, nullptr, {}, pagePrompt},
        {"instructions: back", fresh, {}, "ccb", instructionPages, asks, {{24, "Press C to continue or B to back up or R to return to the game"}}, "", 600,
         nullptr, {}, pagePrompt},
        {"instructions: return", fresh, {}, "cR", instructionPages, back, {{7, from(33, "ZORVANE")}}, "", 400},
        {"instructions: quit", fresh, {}, "c" + esc + esc, instructionPages, over, quitScreen, "", 1400},
    };
    return list;
}

struct Paths : GameTest, ::testing::WithParamInterface<Example> {};

// The screen while the first cue sounds, played again from the console's log.
ScriptedConsole screenAtFirstCue(const ScriptedConsole& console)
{
    ScriptedConsole replay;
    for (const LogEntry& entry : console.log()) {
        if (entry.kind == LogEntry::Sound) break;
        if (entry.kind == LogEntry::Clear) replay.clear();
        if (entry.kind == LogEntry::Move) replay.moveCursor(entry.a - 1, entry.b - 1);
        if (entry.kind == LogEntry::Write || entry.kind == LogEntry::Line) replay.write(entry.text + (entry.kind == LogEntry::Line ? "\n" : ""));
    }
    return replay;
}

// The game reads a draw only through its remainder by the faces of its die or the entries of its
// list: each example is played as drawn, then with every draw a multiple of every die and list
// higher (past the last face of any), and must be the same path; a die of other faces shows.
const int pastEveryDie = 1200;

TEST_P(Paths, PlayTheirExample)
{
    const Example& e = GetParam();
    for (const int past : {0, pastEveryDie}) {
        SCOPED_TRACE(past == 0 ? "as drawn" : "every draw past every die");
        SetUp();
        mission.soundOn = 'y';
        e.state();
        for (int raw : e.draws) chance->push(raw + past);
        console.queueKeys(e.keys);
        for (const std::string& line : e.lines) console.queueLine(line);
        EXPECT_EQ(outcomeOf(e.step), e.outcome);
        EXPECT_TRUE(showsScreen(console, e.screen, e.firstRow));
        std::string heard;  // the cues' short names, "|" where the screen was cleared before one
        for (const LogEntry& entry : console.log()) {
            if (entry.kind == LogEntry::Sound) heard += (heard.empty() ? "" : " ") + shortNames({entry.text})[0];
            if (entry.kind == LogEntry::Clear && (heard.empty() || heard.back() != '|')) heard += heard.empty() ? "|" : " |";
        }
        if (!heard.empty() && heard.back() == '|') heard.resize(heard.size() > 1 ? heard.size() - 2 : 0);
        EXPECT_EQ(heard, e.heard);
        EXPECT_EQ(console.clockMs(), e.ms);
        EXPECT_TRUE(console.scriptUsedUp()) << "keys or lines left";
        EXPECT_EQ(chance->left(), 0u) << "draws left";
        if (e.holds) { EXPECT_TRUE(e.holds()) << "the state it leaves"; }
        if (!e.atFirstCue.empty()) { EXPECT_TRUE(showsScreen(screenAtFirstCue(console), e.atFirstCue)) << "while the first cue sounds"; }
    }
}

INSTANTIATE_TEST_SUITE_P(Every, Paths, ::testing::ValuesIn(examples()), [](const auto& info) {
    std::string name;  // "launch pad: blast-off" is launch_pad_blast_off
    for (const char c : std::string(info.param.path)) name += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c) : name.back() == '_' ? "" : "_";
    return name;
});

// Each path has exactly one example, and each example is of a listed path.
TEST(PathList, EachPathHasOneExample)
{
    std::multiset<std::string> covered;
    for (const Example& e : examples()) covered.insert(e.path);
    for (const char* path : everyPath) EXPECT_EQ(covered.count(path), 1u) << path;
    EXPECT_EQ(covered.size(), std::size(everyPath));
}


// The instruction pages as the player pages through them: each run of rows whose text starts in
// one column, with that column (a page's groups stand apart by a blank row; the letters of the
// action prompt are indented by ten blanks, a few first lines by five; the prompt is on row 24).
TEST_F(GameTest, InstructionPagesFillTheirRows)
{
    const char* const pages[] = {"2-2@18 3-3@38 5-9@1 11-17@1 24-24@1", "2-6@1 8-10@1 11-17@11 18-21@1 24-24@1",
                                 "2-7@1 9-9@6 10-10@1 12-12@6 13-14@1 16-24@1"};
    const auto startOf = [this](int row) { return static_cast<int>(console.rowText(row).find_first_not_of(' ')) + 1; };
    for (std::size_t page = 0; page < std::size(pages); ++page) {
        SetUp();
        console.queueKeys(std::string(page, 'c'));
        EXPECT_THROW(instructionPages(), ScriptExhausted);
        std::string runs;
        for (int row = 1; row <= ScriptedConsole::rows;) {
            if (console.rowText(row).empty()) { ++row; continue; }
            const int first = row, col = startOf(row);
            while (row <= ScriptedConsole::rows && !console.rowText(row).empty() && startOf(row) == col) ++row;
            runs += (runs.empty() ? "" : " ") + std::to_string(first) + "-" + std::to_string(row - 1) + "@" + std::to_string(col);
        }
        EXPECT_EQ(runs, pages[page]) << console.screenDump();
    }
}

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
    int row;            // where it asks (a walk's, a rock's and the shop's: where their text has come to)
};
void PrintTo(const Prompt& p, std::ostream* os) { *os << p.name; }

// All a key leads to; the sound switch left out, as it holds every key pressed at the sound
// question until it is answered (the cues tell the answers apart).
struct Seen {
    Outcome after;
    std::vector<std::string> rows, sounds;
    MissionState state;  // with the sound switch at 0
    bool frozen;         // whether mars.dat is on disk
    std::int64_t ms;
    int cursorRow;
    bool sameState(const Seen& o) const { return frozen_game_checks::same(state, o.state) && frozen == o.frozen; }
    bool operator==(const Seen& o) const
    {
        return std::tie(after, rows, sounds, ms) == std::tie(o.after, o.rows, o.sounds, o.ms) && sameState(o);
    }
};

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
    {"mode", [] {}, titleMenu, {"f", "w", esc}, "xn" + ctrlC, "Full game or Zapfest Game?  F or W", 200, 21},
    {"resume", [] { frozenGameWith("123"); keyboard->queueKeys("f"); }, titleMenu, {"r", "b", esc}, "xn" + ctrlC, "begin new game, R or B?", 500, 21},
    {"damagedResume", [] { frozenGameWith("x"); keyboard->queueKeys("f"); }, titleMenu, {"b", esc}, "xr" + ctrlC, "Begin new game with B, or ESCAPE to leave", 500, 21},
    {"instructions", [] { keyboard->queueKeys("w"); }, titleMenu, {"y", "n", esc}, "x" + ctrlC, "Do you want instructions?  Y or N", 200, 21},
    {"sound", [] { keyboard->queueKeys("wn"); }, titleMenu, {"y", "n", esc}, "x" + ctrlC, "Do you want sound effects?  Y or N", 200, 21},
    {"page1", [] {}, instructionPages, {"c", "r", esc + ctrlC}, "xb", "Press C to continue or R to return to the game.", 200, 24},
    {"page2", [] { keyboard->queueKeys("c"); }, instructionPages, {"c", "b", "r", esc + ctrlC}, "x", "or B to back up or R to return to the game", 200, 24},
    {"page3", [] { keyboard->queueKeys("cc"); }, instructionPages, {"b", "r", esc + ctrlC}, "xc", "from the Zorvane developers", 0, 24},
    {"launchPad", [] { draws->face(1).face(1).face(1); }, launchPad, {"b", esc + ctrlC}, "x", "Press B to blast off", 200, 21},
    {"wheel", atTheWheel, [] { wheelTurn(); }, {enter, "s", "f", esc + ctrlC}, "xq", "Spin cosmic wheel", 200, 21},
    {"freeze", [] { atTheWheel(); keyboard->queueKeys("f"); }, [] { wheelTurn(); }, {"n", "y"}, "x" + esc + ctrlC, "Want to freeze the game?  Y or N", 200, 18},
    {"quit", [] { atTheWheel(); keyboard->queueKeys(esc); }, [] { wheelTurn(); }, {"n", "y"}, "x" + esc + ctrlC, "Do you want to quit this game?  Y or N", 200, 21},
    {"action", inAMeteorStorm, meteorStorm, {"a", "b", "e", "f", "r", "n", "h"}, "x" + esc + ctrlC, "Press A, B, E, F, R, N, or H for help \x1e", 200, 21},
    {"help", [] { inAMeteorStorm(); keyboard->queueKeys("h"); }, meteorStorm, {"a", "b", "e", "f", "r", "n"}, "xh" + esc + ctrlC,
     "Press the letter of your choice \x1e", 200, 24},
    {"asteroidLanding", [] { draws->face(1); }, asteroidEncounter, {"y", "n"}, "x" + esc + ctrlC, "Do you want to land?  Y or N", 200, 21},
    {"walk", onTheAsteroid, asteroidEncounter, {"w", "ens", "b", esc + ctrlC}, "xh", "Press E, W, N, S, or B \x1e", 0, 7},
    {"takeIt", [] { onTheAsteroid(); keyboard->queueKeys("w"); }, asteroidEncounter, {"y", "n"}, "x" + esc + ctrlC, "Do you want to take it? Y or N", 0, 10},
    {"stationLanding", [] { draws->face(1).face(1); }, spaceStation, {"y", "n"}, "x" + esc + ctrlC, "Do you want to land?  Y or N", 200, 21},
    {"shop", atTheSign, spaceStation, {"f", "p", "b", "n"}, "xr" + esc + ctrlC, "N for none -", 0, 14},
    {"stationBlastOff", [] { atTheSign(); keyboard->queueKeys("n"); draws->face(1); }, spaceStation, {"b"}, "xn" + esc + ctrlC,
     "Press B when ready to blast off", 200, 21},
    {"marsOrbit", [] { draws->face(1); }, marsArrival, {"l"}, "x" + esc + ctrlC, "Press L when ready to land", 500, 21},
    {"zapfestMenu", [] { std::tie(mission.zapfestMode, mission.soundOn) = std::tuple(1, 'n'); draws->face(1); }, zapfestLoop,
     {enter, "s", esc + ctrlC}, "xf", "Press ENTER to play or ESCAPE to quit", 200, 21},
    {"battle", [] {}, [] { battlePrompt(); }, {"fb", esc}, "xa" + ctrlC, "F to fire phasers, B for force field barrier or Escape to quit", 200, 21},
    {"lastScreen", [] {}, endMission, {esc}, "xy" + enter + ctrlC, "Press ESCAPE to exit", 0, 22},
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
        const Outcome after = outcomeOf(GetParam().ask);
        MissionState state = mission;
        state.soundOn = 0;
        return {after, rows(1, ScriptedConsole::rows), sounds(), state, hasFile(), console.clockMs(), console.cursorRow()};
    }
};

TEST_P(PromptKeys, AnswerTheirKeysInBothCasesAndRefuseTheRest)
{
    const Prompt& p = GetParam();
    const Seen asked = run("");
    ASSERT_EQ(asked.after, asks);
    EXPECT_EQ(asked.cursorRow, p.row);
    for (const char key : p.refused) {
        SCOPED_TRACE("refused key " + std::to_string(int(key)));
        const Seen seen = run({key});
        ASSERT_EQ(seen.after, asks);
        EXPECT_EQ(seen.ms - asked.ms, p.pause);
        EXPECT_TRUE(seen.sameState(asked));
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
