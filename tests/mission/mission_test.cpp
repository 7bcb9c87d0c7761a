// The mission's frame: start-up, the key rules of the prompts, the wheel, the dispatcher, the
// endings and their order, and the cues' sound switch.
#include <set>

#include "core/sound.h"
#include "endings/end_mission.h"
#include "mission/startup.h"
#include "mission/wheel.h"
#include "persist/frozen_game.h"
#include "support/trace.h"

namespace {

using Mission = GameTest;

// Keys to type among letters.
const std::string esc(1, static_cast<char>(keyEsc)), ctrlC(1, static_cast<char>(keyCtrlC));

// A roll of 13 at the blast-off crashes on the pad and leaves the frozen game alone.
TEST_F(Mission, BlastOffOrCrashOnThePad)
{
    writeFile("mars.dat", "old game\n");
    mission.soundOn = 'y';
    chance->push(32);  // 13 only on a die of 20
    console.queueKeys("Bq" + esc);
    EXPECT_TRUE(ends([] { launchPad(); }));
    EXPECT_EQ(console.rowText(5), "Oh no!  You crashed on blastoff.");
    EXPECT_EQ(shortNames(sounds()), (Trace{"stup", "blof", "expl", "exit"}));
    EXPECT_EQ(readFile("mars.dat"), "old game\n");
}

// The whole start-up: full game, no instructions, sound, a blast-off (the raw draw of 23 shows
// 4, not 13, only on a die of 20), phaser cells and barrier charges; then ESC at the wheel and a
// quit. The pauses pin the rhythm of the title questions.
TEST_F(Mission, AWholeVoyageToAQuit)
{
    chance->push(23).face(2).face(5);
    // ESC at the wheel and N to the quit question, which is blanked, and the wheel asks again;
    // then ESC and Y, and ESC at the end.
    console.queueKeys("fnyb" + esc + "n" + esc + "y" + esc);
    EXPECT_TRUE(ends([] { runGame(); }));
    EXPECT_EQ(std::tuple(mission.phaserCells, mission.barrierCharges), std::tuple(4, 7));
    EXPECT_EQ(shortNames(sounds()), (Trace{"intr", "stup", "blof", "quit", "exit"}));
    EXPECT_EQ(console.rowText(1), "You made 0 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(2), "You had 35 million miles to go.");
    EXPECT_EQ(pauses(), (std::vector<int>{200, 200, 200, 200, 1000, 200, 200, 200, 200, 3000}));
    EXPECT_TRUE(logHasRun(console, {moved(31, 12), wrote(std::string(29, ' ')), moved(31, 12), wrote("SUCCESSFUL BLASTOFF!")}));
    EXPECT_TRUE(logHasRun(console, {moved(17, 16), paused(1000), wrote("You are ready to begin your 35 million mile trip.")}));
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
    console.queueKeys("\rn");  // ENTER spins
    EXPECT_TRUE(wheelTurn());
    EXPECT_EQ(std::tuple(mission.spins, mission.distanceLeft, mission.fuel), std::tuple(5, 338, 390));
    EXPECT_EQ(console.at(17, 22, 12), "You spun a 6");
    EXPECT_EQ(console.at(17, 19, 42), "Miles to Mars: 33 million, 8 hundred thous");
    EXPECT_EQ(shortNames(sounds()).front(), "whee");
}

// A ten between 51 and 299 throws the ship into a time warp two times in three (the die of 3
// shows 1 or 2) instead of moving it; on a 3, and on a ten anywhere else, the ship flies on and
// the wheel tells the distance left in millions and hundred thousands, leaving out a zero part.
TEST_F(Mission, ATenNearMarsWarpsTwoTimesInThree)
{
    for (auto [distance, third, told] : {std::tuple{200, 1, ""}, {200, 2, ""}, {200, 3, "18 million"}, {51, 1, ""},
                                         {299, 1, ""}, {50, 1, "3 million"}, {300, 1, "28 million"}, {23, 1, "3 hundred thousand"}}) {
        SetUp();
        mission.distanceLeft = distance;
        chance->face(10).push(third + 2);  // raw 3, 4 and 5 show 1, 2 and 3 only on a die of 3
        console.queueKey(keyEnter);
        EXPECT_ANY_THROW(wheelTurn());  // stops at the next draw or key the test does not give
        const bool warps = *told == '\0';
        EXPECT_EQ(textAfterClear(console).find("time warp") != std::string::npos, warps) << distance << " " << third;
        EXPECT_EQ(mission.distanceLeft, warps ? distance : distance - 20) << distance << " " << third;
        EXPECT_EQ(console.rowText(19), warps ? "" : std::string(16, ' ') + "Miles to Mars: " + told) << distance;
    }
}

// Damage before warnings before arrival before fuel; none of them while all is well, and the
// wheel asks again (here a quit). At Mars only L lands, and a roll of 13 crashes. Every ending
// plays its cues ending with the exit cue, tells the spins and then the distance left (of the
// full game), pauses 3 s and deletes the frozen game.
TEST_F(Mission, EndingsComeInTheirOrderAndDeleteTheFrozenGame)
{
    for (auto [damage, warnings, distance, fuel, roll, firstLine, afterSpins] :
         {std::tuple{5, 3, 0, 0, 12, "Oh no!  You have sustained too much damage.", "\nZorvane is free."},
          {0, 3, -3, 0, 12, "Oh no!  You have received too many warnings.", "\nZorvane is free."},
          {4, 2, 0, 0, 12, "YOU DID IT!  CONGRATULATIONS.", "\nYou had 0 units of fuel remaining."},
          {4, 2, -3, -20, 13, "Oh no!  You crashed while trying to land.", "\nZorvane is free."},
          {4, 2, 123, 0, 12, "Oh no!  You are out of fuel.", "\nYou had 12 million 3 hundred thousand miles to go."},
          {4, 2, 3, 1, 12, "", "\nYou had 3 hundred thousand miles to go."}}) {
        SetUp();
        writeFile("mars.dat", "frozen\n");
        mission.soundOn = 'y';
        mission.spins = 21;
        std::tie(mission.damage, mission.warnings, mission.distanceLeft, mission.fuel) = std::tie(damage, warnings, distance, fuel);
        // At Mars: refused keys, then L, and only ESC ends the goodbye. At the wheel: ESC, then Y quits.
        console.queueKeys(esc + ctrlC + "xLqy" + esc);
        chance->push(roll + 19);  // the landing roll: 12 or 13 on a die of 20 only
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
    for (int raw = 0; raw < 6; ++raw) {
        chance->push(raw);
        cue(Cue::RepairTool);
    }
    const Trace heard = shortNames(sounds());
    EXPECT_EQ(std::set<std::string>(heard.begin(), heard.end()).size(), 7u);  // "dama" and six tools
    EXPECT_EQ(mission.dieRoll, 0);
    mission.zapfestMode = 1;
    cue(Cue::Exit);
    EXPECT_EQ(shortNames(sounds()).back(), "zapf");
}

}  // namespace
