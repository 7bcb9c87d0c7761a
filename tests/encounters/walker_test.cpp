// The rules of the walkers that read the tables, each shown once on a small table of the
// test's own: the rows of the game are the business of tables_test.cpp.
#include "support/trace.h"

#include "aliens/battle.h"
#include "encounters/encounter.h"

namespace {

// Tables are settled on the encounter's die, here 1.
struct Walk : GameTest {
    void SetUp() override { GameTest::SetUp(); mission.dieRoll = 1; }
};

class Walker : public Walk, public ::testing::WithParamInterface<bool> {};

// Cues in the row's order, the pauses of the hit and alarm cues only with sound on, a beat
// with sound off too; the lines read the supplies as they stood before the row spent them.
TEST_P(Walker, CuesInOrderThenLinesOfTheSuppliesBeforeTheChange)
{
    mission.soundOn = GetParam() ? 'y' : 'n';
    mission.barrierCharges = 1;
    settle('b', {{'b', always, {keyCue, hitCue, beat(300), alarmCue, play(Cue::Star)},
                  {"first\n", onlyIf(Need::BarrierLive, "live\n"), onlyIf(Need::BarrierDead, "dead\n")},
                  spendBarrierEvenDead | addDamage | addWarning}});
    expectHeard(console, {"cue barr", "pause 1000 (sound)", "cue dama", "pause 300", "pause 1000 (sound)", "cue aler",
                          "cue star", "first\nlive\n"}, GetParam());
    EXPECT_EQ(mission.barrierCharges * 100 + mission.damage * 10 + mission.warnings, 11);
}

// The key cues: each action's own, dead for a dead supply (sound on).
TEST_F(Walk, KeyCuesNameTheActionAndADeadSupply)
{
    mission.soundOn = 'y';
    mission.barrierCharges = mission.phaserCells = 1;
    for (const char action : std::string("aebfn")) playKeyCue(action);
    mission.barrierCharges = mission.phaserCells = 0;
    for (const char action : std::string("bf")) playKeyCue(action);
    EXPECT_EQ(shortNames(sounds()), (Trace{"acce", "evad", "barr", "phas", "dead", "dead"}));
}

// Spending from a live supply always; from a dead one only the EvenDead changes: spent twice
// from 1, each supply in each form.
TEST_F(Walk, SpendingFromADeadSupply)
{
    for (auto [changes, barrier, phasers] : {std::tuple{spendBarrierEvenDead | spendPhasersWhileLive, -1, 0},
                                             {spendBarrierWhileLive | spendPhasersEvenDead, 0, -1}}) {
        mission.barrierCharges = mission.phaserCells = 1;
        for (int twice = 0; twice < 2; ++twice) settle('n', {{'n', always, {}, {}, changes}});
        EXPECT_EQ(std::pair(mission.barrierCharges, mission.phaserCells), std::pair(barrier, phasers)) << changes;
    }
}

// The A move after the lines, before them (the status still after), or with no fuel check;
// with the last 20 units the check ends the mission. The row's finale comes after everything
// else, the move included.
int seenAtFinale = -1;

// Each form with its flags: checks before the lines, checks the fuel.
TEST_F(Walk, TheAMoveChecksTheTankWhereItsFormSays)
{
    for (auto [change, checksBeforeLines, checksFuel] :
         {std::tuple{aMove, false, true}, {aMoveFirst, true, true}, {aMoveUnchecked, false, false}}) {
        SCOPED_TRACE(change);
        SetUp();
        const Table table = {{'a', always, {}, {"line\n"}, change, [] { seenAtFinale = mission.fuel; }}};
        EXPECT_FALSE(ends([&] { settle('a', table); }));
        EXPECT_EQ(seenAtFinale * 1000 + mission.distanceLeft, 380348);
        EXPECT_EQ(writes().front(), "line\n");
        EXPECT_EQ(console.rowText(20).substr(16), "You have 380 units of fuel");

        SetUp();
        mission.fuel = 20;
        if (checksFuel) console.queueKey(keyEsc);  // the ending's last screen
        EXPECT_EQ(ends([&] { settle('a', table); }), checksFuel);
        EXPECT_EQ(textAfterClear(console).find("line\n") == 0, !checksBeforeLines);
    }
}

// An exchange's deeds in order: the aliens' reply skipped once they flee, and a reply that
// kills the ship ends the row at once.
int replies = 0;

TEST_F(Walk, ExchangeDeedsStopAtTheFleeingHitOrAKill)
{
    const Battle battle = {"test", {{'f', always, {}, {}, {scoreHit, fireIfStanding, spendCell}, nextExchange}}, 2,
                           [](char, Score& score) { score.killed = ++replies == 2; }};
    Score score;  // {hits, killed}
    EXPECT_FALSE(fightExchange(battle, 'f', 1, score));  // hit, reply, cell spent
    score.hits = 0;
    EXPECT_TRUE(fightExchange(battle, 'f', 1, score));   // the reply kills: no cell spent
    score = {1, 0};
    EXPECT_FALSE(fightExchange(battle, 'f', 1, score));  // the fleeing hit: no reply
    EXPECT_EQ(std::pair(replies, mission.phaserCells), std::pair(2, -2));
}

TEST_P(Walker, AlienShotFiresThenTakesItsRowOrTheDeadlyOneWhenDefenceless)
{
    mission.soundOn = GetParam() ? 'y' : 'n';
    const AlienGun gun = {"test", 4, "defenceless\n",
                          {{roll(1, 3), eitherCover, {}, {"missed\n"}, noBlow},
                           {roll(4, 4), behindBarrier, {}, {"back\n"}, aliensHit},
                           {roll(4, 4), unprotected, {}, {"killed\n"}, shipKilled}}};
    int hits = 0, killed = 0;
    mission.phaserCells = 1;
    chance->push(3).push(3).push(0);
    alienShot(gun, 'f', hits, killed);
    mission.barrierCharges = 1;
    alienShot(gun, 'b', hits, killed);
    mission.barrierCharges = mission.phaserCells = 0;
    alienShot(gun, 'b', hits, killed);
    expectHeard(console, {"pause 1000", "cue phal", "pause 1000 (sound)", "killed\n", "pause 1000", "cue phal",
                          "pause 1000 (sound)", "back\n", "pause 1000", "cue phal", "pause 1000 (sound)",
                          "defenceless\n", "pause 2000", "killed\n"}, GetParam());
    EXPECT_EQ(hits * 10 + killed, 11);
}

INSTANTIATE_TEST_SUITE_P(Sound, Walker, ::testing::Bool());

}  // namespace
