// The mission's frame: start-up, the key rules of the prompts, the wheel, the dispatcher, the
// endings and their order, and the cues' sound switch.
#include <set>

#include "mission/endings.h"
#include "mission/sound.h"
#include "mission/startup.h"
#include "mission/status.h"
#include "mission/wheel.h"
#include "persist/end_mission.h"
#include "persist/frozen_game.h"
#include "support/trace.h"

namespace {

using Mission = GameTest;

// Every prompt: a refused key (any letter it does not offer, or Ctrl-C) asks again; the answer
// is taken in lower case; ESC, where it is offered, goes to the quit screen. The launch pad
// takes Ctrl-C as ESC.
struct Prompt {
    const char* name;
    const char* keys;  // typed before the prompt
    void (*ask)();
    const char* question;
    const char* answer;  // keys the prompt takes, typed in capitals
    bool (*answered)();  // the answer's effect
    bool escQuits, ctrlCQuits;
};

class Prompts : public Mission, public ::testing::WithParamInterface<Prompt> {};

TEST_P(Prompts, RefuseOtherKeysTakeLowerCaseAndQuitOnEsc)
{
    const Prompt& p = GetParam();
    for (bool esc : {false, true}) {
        if (esc && !p.escQuits) continue;
        SetUp();
        std::string frozen;  // a sound frozen game: 50 decoys, 12 fields (fuel 400), 20 cards
        for (int line = 1; line <= 82; ++line) frozen += line == 53 ? "400\n" : line <= 50 ? "1\n" : "0\n";
        if (p.ask == offerResume) writeFile("mars.dat", frozen);
        mission.soundOn = 'n';
        chance->face(4).face(1).face(1);
        console.queueKeys(std::string(p.keys) + "q");
        if (!p.ctrlCQuits) console.queueKey(keyCtrlC);
        if (esc) {
            console.queueKey(p.ctrlCQuits ? keyCtrlC : keyEsc);
            console.queueKey(keyEsc);
            EXPECT_TRUE(ends(p.ask));
            EXPECT_EQ(console.at(16, 12, 49), "SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
        } else {
            console.queueKeys(p.answer);
            try { p.ask(); } catch (const ScriptExhausted&) {}
            EXPECT_TRUE(p.answered());
            const auto w = writes();
            EXPECT_EQ(std::count(w.begin(), w.end(), p.question), p.ctrlCQuits ? 2 : 3);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPrompt, Prompts,
    ::testing::Values(
        Prompt{"mode", "", [] { titleMenu(); }, "Full game or Zapfest Game?  F or W  ", "WNN",
               [] { return mission.zapfestMode == 1; }, true, false},
        Prompt{"sound", "wn", [] { titleMenu(); }, "Do you want sound effects?  Y or N     ", "Y",
               [] { return mission.soundOn == 'y'; }, true, false},
        Prompt{"blastOff", "", [] { launchPad(); }, "Press B to blast off  ", "B",
               [] { return mission.phaserCells != 0; }, true, true},
        Prompt{"resume", "", offerResume, "Resume prior game  or begin new game, R or B? ", "B",
               [] { return mission.resumedGame == 0; }, true, false},
        Prompt{"quit", "", [] { confirmQuit(); }, "Do you want to quit this game?  Y or N  ", "N",
               [] { return true; }, false, false},
        Prompt{"freeze", "f", [] { wheelTurn(); }, "Want to freeze the game?  Y or N  ", "N",
               [] { return mission.spins == 0; }, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Start-up to the blast-off, whose roll of 13 crashes on the pad and leaves the frozen game alone.
TEST_F(Mission, BlastOffOrCrashOnThePad)
{
    for (int roll : {4, 13}) {
        SetUp();
        writeFile("mars.dat", "old game\n");
        mission.soundOn = 'y';
        // The blast-off roll, phaser cells, barrier charges. The raw draw past 20 pins the die's
        // size: 32 shows 13 and 23 shows 4 only on a die of 20.
        chance->push(roll == 13 ? 32 : 23).face(2).face(5);
        console.queueKeys("Bq");
        console.queueKey(keyEsc);
        EXPECT_EQ(ends([] { launchPad(); }), roll == 13);
        EXPECT_EQ(readFile("mars.dat"), "old game\n");
        EXPECT_EQ(shortNames(sounds()), (roll == 13 ? Trace{"stup", "blof", "expl", "exit"} : Trace{"stup", "blof"}));
        if (roll == 13) {
            EXPECT_EQ(console.rowText(5), "Oh no!  You crashed on blastoff.");
            continue;
        }
        EXPECT_EQ(std::tuple(mission.phaserCells, mission.barrierCharges), std::tuple(4, 7));
        EXPECT_EQ(console.rowText(16), std::string(16, ' ') + "You are ready to begin your 35 million mile trip.");
        EXPECT_TRUE(logHasRun(console, {moved(31, 12), wrote(std::string(29, ' ')), moved(31, 12),
                                        wrote("SUCCESSFUL BLASTOFF!")}));
    }
}

// The whole start-up with the game's own chance: full game, no instructions, no sound, blast
// off, then ESC at the wheel and a quit; the pauses pin the rhythm of the title questions.
TEST_F(Mission, AWholeVoyageToAQuit)
{
    chance.reset();
    console.queueKeys("fnnb");
    console.queueKey(keyEsc);
    console.queueKeys("n");  // the question is blanked and the wheel asks again
    console.queueKey(keyEsc);
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { runGame(); }));
    EXPECT_EQ(console.rowText(1), "You made 0 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(2), "You had 35 million miles to go.");
    EXPECT_EQ(pauses(), (std::vector<int>{200, 200, 200, 200, 1000, 200, 200, 200, 200, 3000}));
    EXPECT_TRUE(logHasRun(console, {moved(1, 21), wrote(std::string(69, ' ')), moved(17, 21), paused(200),
                                    wrote("Do you want to quit this game?  Y or N  "), pressed('n'), moved(17, 21),
                                    wrote(std::string(29, ' ')), moved(17, 21)}));
    EXPECT_TRUE(console.scriptUsedUp());
}

TEST_F(Mission, ASpinMovesTheShipBurnsFuelAndDispatches)
{
    mission.soundOn = 'y';
    mission.spins = 4;
    chance->face(6).face(10).face(9);  // the wheel, the event card (the meteor storm), its die
    console.queueKey(keyEnter);
    console.queueKeys("n");
    EXPECT_TRUE(wheelTurn());
    EXPECT_EQ(std::tuple(mission.spins, mission.distanceLeft, mission.fuel), std::tuple(5, 338, 390));
    EXPECT_EQ(console.at(17, 22, 12), "You spun a 6");
    EXPECT_EQ(console.at(17, 19, 42), "Miles to Mars: 33 million, 8 hundred thous");
    EXPECT_EQ(shortNames(sounds()).front(), "whee");
    // S at the wheel prompt turns the sound over.
    for (char after : {'n', 'y'}) {
        console.queueKeys("s");
        EXPECT_THROW(wheelTurn(), ScriptExhausted);
        EXPECT_EQ(mission.soundOn, after);
    }
    // F asks on row 18 whether to freeze; N blanks the question and the wheel asks again.
    console.clearLog();
    console.queueKeys("fn");
    EXPECT_THROW(wheelTurn(), ScriptExhausted);
    EXPECT_TRUE(logHasRun(console, {moved(17, 18), wrote(std::string(25, ' ')), paused(200),
                                    wrote("Want to freeze the game?  Y or N  ")}));
    EXPECT_TRUE(logHasRun(console, {moved(17, 18), wrote(std::string(26, ' ')), moved(17, 18)}));
}

// A ten between 51 and 299 throws the ship into a time warp two times in three (the die of 3
// shows 1 or 2) instead of moving it; on a 3, and on a ten anywhere else, the ship flies on.
TEST_F(Mission, ATenNearMarsWarpsTwoTimesInThree)
{
    for (auto [distance, third, warps] : {std::tuple{200, 1, true}, {200, 2, true}, {200, 3, false},
                                          {51, 1, true}, {299, 1, true}, {50, 1, false}, {300, 1, false}}) {
        SetUp();
        mission.distanceLeft = distance;
        chance->face(10).face(third);
        console.queueKey(keyEnter);
        EXPECT_ANY_THROW(wheelTurn());  // stops at the next draw or key the test does not give
        const bool warped = textAfterClear(console).find("time warp") != std::string::npos;
        EXPECT_EQ(warped, warps) << distance << " " << third;
        EXPECT_EQ(mission.distanceLeft, warps ? distance : distance - 20) << distance << " " << third;
    }
}

// The wheel tells the distance left in millions and hundred thousands, leaving out a zero part.
TEST_F(Mission, TheWheelTellsTheDistanceLeft)
{
    for (auto [distance, told] : {std::pair{120, "12 million"}, {3, "3 hundred thousand"}}) {
        clearScreen();
        mission.distanceLeft = distance;
        showStatus();
        EXPECT_EQ(console.rowText(19), std::string(16, ' ') + "Miles to Mars: " + told);
    }
}

// Damage before warnings before arrival before fuel; none of them while all is well, and the
// wheel asks again. At Mars only L lands, and a roll of 13 crashes. Every ending plays its cues
// ending with the exit cue, tells the spins and then the distance left (of the full game), pauses
// 3 s and deletes the frozen game.
TEST_F(Mission, EndingsComeInTheirOrderAndDeleteTheFrozenGame)
{
    for (auto [damage, warnings, distance, fuel, roll, firstLine, afterSpins] :
         {std::tuple{5, 3, 0, 0, 12, "Oh no!  You have sustained too much damage.", "\nZorvane is free."},
          {0, 3, -3, 0, 12, "Oh no!  You have received too many warnings.", "\nZorvane is free."},
          {4, 2, 0, 0, 12, "YOU DID IT!  CONGRATULATIONS.", "\nYou had 0 units of fuel remaining."},
          {4, 2, -3, -20, 13, "Oh no!  You crashed while trying to land.", "\nZorvane is free."},
          {4, 2, 3, 0, 12, "Oh no!  You are out of fuel.", "\nYou had 3 hundred thousand miles to go."},
          {4, 2, 123, -5, 12, "Oh no!  You are out of fuel.", "\nYou had 12 million 3 hundred thousand miles to go."},
          {4, 2, 1, 1, 12, "", ""}}) {
        SetUp();
        writeFile("mars.dat", "frozen\n");
        mission.soundOn = 'y';
        mission.spins = 21;
        std::tie(mission.damage, mission.warnings, mission.distanceLeft, mission.fuel) = std::tie(damage, warnings, distance, fuel);
        // At Mars: refused keys, then L; the landing roll; ESC only ends the goodbye.
        console.queueKey(keyEsc);
        console.queueKey(keyCtrlC);
        console.queueKeys("xLq");
        console.queueKey(keyEsc);
        chance->push(roll + 19);  // 12 or 13 on a die of 20 only
        if (*firstLine == '\0') {
            EXPECT_THROW(wheelLoop(), ScriptExhausted);  // the wheel prompt waits for keys
            continue;
        }
        EXPECT_FALSE(wheelTurn());
        EXPECT_TRUE(ends([] { wheelLoop(); }));
        EXPECT_EQ(console.rowText(3), firstLine);
        EXPECT_NE(textAfterClear(console).find(" 21 spins of the cosmic wheel." + std::string(afterSpins)), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists("mars.dat"));
        EXPECT_EQ(shortNames(sounds()).back(), "exit");
        EXPECT_EQ(pauses().back(), 3000);
        // Only the warnings' ending pauses a second on the cleared screen.
        EXPECT_EQ(logHasRun(console, {cleared(), paused(1000)}), warnings == 3 && damage < 5);
        const bool atMars = damage < 5 && warnings < 3 && distance <= 0;
        const auto w = writes();
        EXPECT_EQ(std::count(w.begin(), w.end(), "Press L when ready to land  "), atMars ? 4 : 0);
        const auto heard = shortNames(sounds());
        EXPECT_EQ(std::count(heard.begin(), heard.end(), "appl"), atMars && roll == 12 ? 5 : 0);  // five rounds of applause
    }
}

// The card drawn chooses the encounter: twenty kinds, twenty different scenes. Kind 1 is the
// space station once, in the second half; the Moon comes at 348 whatever the card.
TEST_F(Mission, EachCardStartsItsOwnEncounter)
{
    auto firstRow = [this](int kind, int distance, int visited) {
        SetUp();
        mission.soundOn = 'n';
        mission.distanceLeft = distance;
        mission.stationVisited = visited;
        chance->face(kind).face(1).face(1).face(1);
        try { dispatchEvent(); } catch (const ScriptExhausted&) {}
        EXPECT_EQ(mission.eventDeck.cards[0], kind);
        return console.rowText(5);
    };
    std::set<std::string> scenes;
    for (int kind = 1; kind <= 20; ++kind) scenes.insert(firstRow(kind, 300, 0));
    EXPECT_EQ(scenes.size(), 20u);
    EXPECT_EQ(scenes.count(""), 0u);
    const std::string station = firstRow(1, 174, 0);
    EXPECT_EQ(mission.stationVisited, 1);
    EXPECT_EQ(scenes.count(station), 0u);
    EXPECT_EQ(firstRow(1, 175, 0), firstRow(1, 100, 1));
    const std::string moon = firstRow(13, 348, 0);
    EXPECT_NE(moon.find("moon"), std::string::npos);
    EXPECT_EQ(firstRow(1, 348, 0), moon);
    EXPECT_NE(firstRow(3, 347, 0), moon);
}

// Cues sound only with the switch at 'y'; the repair tool is one of six drawn from the
// generator, leaving the die alone; the exit cue of the alien battle mode is its own.
TEST_F(Mission, CuesFollowTheSoundSwitch)
{
    for (char setting : {'n', '\0', 'Y'}) {
        mission.soundOn = setting;
        cue(Cue::RepairTool);  // no draw: the forced queue is empty
        pauseThenCue(1000, Cue::Dama);
        EXPECT_TRUE(console.log().empty());
    }
    mission.soundOn = 'y';
    pauseThenCue(1000, Cue::Dama);
    EXPECT_EQ(console.log(), (std::vector<LogEntry>{paused(1000), played("dama")}));
    std::set<Trace> tools;
    for (int raw = 0; raw < 12; ++raw) {
        console.clearLog();
        chance->push(raw);
        cue(Cue::RepairTool);
        tools.insert(shortNames(sounds()));
    }
    EXPECT_EQ(tools.size(), 6u);
    EXPECT_EQ(mission.dieRoll, 0);
    mission.zapfestMode = 1;
    cue(Cue::Exit);
    EXPECT_EQ(shortNames(sounds()).back(), "zapf");
}

}  // namespace
