#include "support/trace.h"

#include "aliens/pursuit.h"

namespace {

const char* const firstMiss = "The bums are firing but they missed you\n";
const char* const deflectedLine = "They are firing but the shot deflected off your force field barrier.\n";
const char* const damagedLine = "Hit the deck!    Boom, you have been hit and there is damage.\n";
const char* const firstHit = "Good shot!  You clipped the buggers\n";
const Trace aliensFire = {"pause 1000", "cue phal", "pause 1000 (sound)"};
const Trace deflectedBack = {"cue defl", "pause 500 (sound)", "cue hit",
                             "They are firing but your force field barrier deflected the shot.\n",
                             "And hehehehehehehehehe, it hit the space goons!\n"};
const Trace fleeing = {"pause 2000 (sound)", "cue laug", "The stinking goon aliens are running away!\n",
                       "You have whipped their butts.\n", "They cannot take anymore of a beating.\n",
                       "They have  run away like dirty dogs.\n"};
// The status redraw after an A move from 300 units of distance and 300 of fuel.
const Trace statusAfterA = {"pause 1000", "Miles to Mars: 29 million, 8 hundred thousand", "pause 1000",
                            "You have 280 units of fuel"};

// The aliens' reply that misses with the first entry of the list.
Trace withMiss(const Trace& before) { return plus(plus(before, aliensFire), {firstMiss}); }

class Pursuit : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        mission.fuel = 300;
        mission.distanceLeft = 300;
        mission.phaserCells = 4;
        mission.barrierCharges = 4;
        mission.soundOn = 'n';
    }
    // One exchange with the die showing `die`; `draws` are the raw results the exchange takes
    // after the die. A battle that goes on gets a second exchange in which the aliens leave
    // (N with a 7), so the draws and keys of the first are counted exactly.
    void exchange(char key, int die, const std::vector<int>& draws, bool goesOn = false)
    {
        chance->face(die);
        for (int raw : draws) chance->push(raw);
        console.queueKey(key);
        if (goesOn) {
            chance->face(7);
            console.queueKey('n');
        }
    }
};

// --- Every row of the exchange table, with sound on and off --------------------------------

struct ExchangeRow {
    const char* name;
    int hitsBefore;  // phaser hits scored before the exchange, each answered by a miss
    char key;
    int die, cells, charges;
    std::vector<int> draws;  // after the die; a repair tool's draw is added with sound on
    Trace rules;
    bool ends;
    int cellsAfter, chargesAfter, damageAfter, warningsAfter, fuelAfter, distanceAfter;
    int damageBefore = 0, warningsBefore = 0;
};

const ExchangeRow exchangeRows[] = {
    {"AccelerateEscapesAtTen", 0, 'a', 10, 4, 4, {},
     plus({"cue acce", "Nice job!  You got away from those slime balls.\n"}, statusAfterA), true, 4, 4, 0, 0, 280, 298},
    {"AccelerateAtOneTakesFireThenMoves", 0, 'a', 1, 4, 4, {0, 0}, plus(withMiss({"cue acce"}), statusAfterA), false,
     4, 4, 0, 0, 280, 298},
    {"AccelerateAtNineTakesFireThenMoves", 0, 'a', 9, 4, 4, {0, 12}, plus(withMiss({"cue acce"}), statusAfterA), false,
     4, 4, 0, 0, 280, 298},
    // The shot sees the last charge before the exchange spends it.
    {"BarrierWithOneChargeDeflects", 0, 'b', 5, 4, 1, {6}, plus(plus({"cue barr"}, aliensFire), {"cue defl", deflectedLine}),
     false, 4, 0, 0, 0, 290, 300},
    {"DeadBarrierLeavesTheShipOpenAndCountsBelowZero", 0, 'b', 5, 4, 0, {7},
     plus(plus({"cue dead", "No good!  Your force field generator is dead.\n", "pause 1000"}, aliensFire),
          {"cue dama", damagedLine}),
     false, 4, -1, 1, 0, 290, 300},
    {"EvadeEludesAtNine", 0, 'e', 9, 4, 4, {},
     {"cue evad", "pause 1000", "You have eluded the alien dirtbags.\n", "You have left them in a cloud of cosmic dust.\n"},
     true, 4, 4, 0, 0, 300, 300},
    {"EvadeAtEightTakesFire", 0, 'e', 8, 4, 4, {0, 0}, withMiss({"cue evad"}), false, 4, 4, 0, 0, 290, 300},
    {"EvadeAtTenTakesFire", 0, 'e', 10, 4, 4, {0, 0}, withMiss({"cue evad"}), false, 4, 4, 0, 0, 290, 300},
    {"DeadPhasersAtTenOnlyTakeFire", 0, 'f', 10, 0, 4, {0, 0},
     withMiss({"cue dead", "Forget it!  Your phaser power cells are dead.\n", "pause 1000"}), false, 0, 4, 0, 0, 290, 300},
    {"PhasersDestroyTheAliensAtTen", 0, 'f', 10, 1, 4, {3},
     {"cue phas", "cue expl", "cue laug", "Hehehehehehehehehehehehehe you vaporized the space goons.\n",
      "You turned them into cosmic gas and it stinks of alien around here.\n"},
     true, 0, 4, 0, 0, 300, 300},
    {"PhasersHitAtOne", 0, 'f', 1, 4, 4, {5, 0, 0}, withMiss({"cue phas", "cue hit", firstHit}), false, 3, 4, 0, 0, 290, 300},
    {"PhasersHitAtThree", 0, 'f', 3, 4, 4, {0, 0, 0}, withMiss({"cue phas", "cue hit", firstHit}), false, 3, 4, 0, 0, 290, 300},
    {"PhasersMissAtFour", 0, 'f', 4, 4, 4, {0, 0}, withMiss({"cue phas", "pause 1000", "You missed them!\n"}), false,
     3, 4, 0, 0, 290, 300},
    {"PhasersMissAtNine", 0, 'f', 9, 1, 4, {0, 0}, withMiss({"cue phas", "pause 1000", "You missed them!\n"}), false,
     0, 4, 0, 0, 290, 300},
    {"NoActionAtSevenTheAliensLeave", 0, 'n', 7, 4, 4, {},
     {"The aliens have gone on their way.\n", "They are not very neighborly.\n"}, true, 4, 4, 0, 0, 300, 300},
    {"NoActionAtSixTakesFire", 0, 'n', 6, 4, 4, {0, 0}, withMiss({}), false, 4, 4, 0, 0, 290, 300},
    {"NoActionAtEightTakesFire", 0, 'n', 8, 4, 4, {0, 0}, withMiss({}), false, 4, 4, 0, 0, 290, 300},
    // After two hits: the third gets no reply and the flee lines follow its exchange (its fuel
    // burnt), as after a deflection that makes the third; destroying the aliens needs none.
    {"ThirdPhaserHitGetsNoReply", 2, 'f', 3, 4, 4, {0}, plus({"cue phas", "cue hit", firstHit}, fleeing), true,
     1, 4, 0, 0, 270, 300},
    {"DeflectionMakesTheThirdHit", 2, 'b', 4, 4, 1, {9}, plus(plus(plus({"cue barr"}, aliensFire), deflectedBack), fleeing),
     true, 2, 0, 0, 0, 270, 300},
    {"DestroyedAfterTwoHitsWithoutFleeLines", 2, 'f', 10, 4, 4, {0},
     {"cue phas", "cue expl", "cue laug", "Hehehehehehehehehehehehehe you vaporized the space goons.\n",
      "You turned them into cosmic gas and it stinks of alien around here.\n"},
     true, 1, 4, 0, 0, 280, 300},
    // The battle stops at the mission's limits, after the exchange: a fifth damage still lets
    // the ship move, a third warning comes before the aliens' reply. (The repair tool drawn
    // with sound on is the hammer, raw 2.)
    {"FifthDamageDuringAnAcceleration", 0, 'a', 5, 4, 4, {6}, plus(plus({"cue acce"}, aliensFire), plus({"cue dama", damagedLine}, statusAfterA)),
     true, 4, 4, 5, 0, 280, 298, 4, 0},
    {"ThirdWarning", 0, 'r', 5, 4, 4, {0, 0},
     withMiss({"cue hamm", "cue aler", "This is no time to grab your tool box.\n",
               "You have been given a warning from Mission Control.\n", "pause 2000"}),
     true, 4, 4, 0, 3, 290, 300, 0, 2},
    {"RepairEarnsAWarningThenTakesFire", 0, 'r', 5, 4, 4, {0, 0},
     withMiss({"cue hamm", "cue aler", "This is no time to grab your tool box.\n",
               "You have been given a warning from Mission Control.\n", "pause 2000"}),
     false, 4, 4, 0, 1, 290, 300},
};

class PursuitExchange : public Pursuit, public ::testing::WithParamInterface<std::tuple<ExchangeRow, bool>> {};

TEST_P(PursuitExchange, FollowsItsRow)
{
    const auto& [row, soundOn] = GetParam();
    mission.soundOn = soundOn ? 'y' : 'n';
    mission.phaserCells = row.cells;
    mission.barrierCharges = row.charges;
    mission.damage = row.damageBefore;
    mission.warnings = row.warningsBefore;
    std::vector<int> draws = row.draws;
    if (row.key == 'r' && soundOn) draws.insert(draws.begin(), 2);
    for (int hit = 0; hit < row.hitsBefore; ++hit) exchange('f', 1 + hit, {0, 0, 0});
    exchange(row.key, row.die, draws, !row.ends);
    gotoColRow(1, 5);
    EXPECT_FALSE(ends(alienPursuit));

    expectTrace(console, 1 + row.hitsBefore, row.rules, soundOn);
    const auto& log = console.log();  // every exchange starts on a clean screen at column 1, row 5
    EXPECT_EQ(console.clears(), 1 + row.hitsBefore + !row.ends);
    for (std::size_t i = 0; i + 1 < log.size(); ++i) {
        if (log[i].kind == LogEntry::Clear) {
            EXPECT_EQ(log[i + 1], moved(1, 5));
        }
    }
    EXPECT_EQ(mission.phaserCells, row.cellsAfter);
    EXPECT_EQ(mission.barrierCharges, row.chargesAfter);
    EXPECT_EQ(mission.damage, row.damageAfter);
    EXPECT_EQ(mission.warnings, row.warningsAfter);
    EXPECT_EQ(mission.fuel, row.fuelAfter);
    EXPECT_EQ(mission.distanceLeft, row.distanceAfter);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_TRUE(console.scriptUsedUp()) << "the battle ended or went on against its row";
}

INSTANTIATE_TEST_SUITE_P(EveryRow, PursuitExchange, ::testing::Combine(::testing::ValuesIn(exchangeRows), ::testing::Bool()),
                         RowAndSound());

// --- Every row of the alien shot -----------------------------------------------------------

struct ShotRowCase {
    const char* name;
    char key;
    int charges;
    std::vector<int> draws;  // the shot, then the message choice of a miss
    Trace rules;             // for a vaporized ship, the beginning of its ending
    bool vaporized;
    int damageAfter, hitsAfter;
};

const Trace vaporizing = plus(aliensFire, {"pause 1000", "cue expl", "cue alla", "Oh no!  You have been vaporized.\n"});

const ShotRowCase shotRows[] = {
    {"MissAtOne", 'e', 4, {0, 0}, withMiss({}), false, 0, 0},
    {"MissAtSixEvenBehindTheBarrier", 'b', 4, {5, 12}, withMiss({}), false, 0, 0},
    {"DeflectedAtSeven", 'b', 1, {6}, plus(aliensFire, {"cue defl", deflectedLine}), false, 0, 0},
    {"DeflectedAtNine", 'b', 1, {8}, plus(aliensFire, {"cue defl", deflectedLine}), false, 0, 0},
    {"DeadBarrierDamagedAtSeven", 'b', 0, {6}, plus(aliensFire, {"cue dama", damagedLine}), false, 1, 0},
    {"OnlyTheBarrierProtectsAtNine", 'a', 4, {8}, plus(aliensFire, {"cue dama", damagedLine}), false, 1, 0},
    {"DeflectedBackIntoTheAliensAtTen", 'b', 1, {9}, plus(aliensFire, deflectedBack), false, 0, 1},
    {"DeadBarrierVaporizedAtTen", 'b', 0, {19}, vaporizing, true, 0, 0},
    {"NoBarrierVaporizedAtTen", 'f', 4, {9}, vaporizing, true, 0, 0},
};

class PursuitShot : public Pursuit, public ::testing::WithParamInterface<std::tuple<ShotRowCase, bool>> {};

TEST_P(PursuitShot, FollowsItsRow)
{
    const auto& [row, soundOn] = GetParam();
    mission.soundOn = soundOn ? 'y' : 'n';
    mission.barrierCharges = row.charges;
    mission.dieRoll = 4;
    for (int raw : row.draws) chance->push(raw);
    console.queueKey(keyEsc);  // the end-of-mission screen of a vaporized ship
    int hits = 0;
    EXPECT_EQ(ends([&] { alienFire(row.key, hits); }), row.vaporized);

    expectTrace(console, 0, row.rules, soundOn, row.vaporized);
    EXPECT_EQ(mission.damage, row.damageAfter);
    EXPECT_EQ(hits, row.hitsAfter);
    EXPECT_EQ(mission.barrierCharges, row.charges) << "the shot never spends a charge";
    EXPECT_EQ(mission.dieRoll, 4) << "the shot is not a roll of the die";
    EXPECT_EQ(chance->left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, PursuitShot, ::testing::Combine(::testing::ValuesIn(shotRows), ::testing::Bool()),
                         RowAndSound());

// --- Fuel and the mission's limits -----------------------------------------------------------

// The exchange fuel is 10 units for every action but A, which pays its own 20; a third hit
// that empties the tank ends the mission before the aliens can flee.
struct FuelCase {
    char key;
    int fuel;
    bool endsTheMission;
    int hitsBefore = 0;
    int die = 5;
    std::vector<int> draws = {0, 0};
};

class PursuitFuel : public Pursuit, public ::testing::WithParamInterface<FuelCase> {};

TEST_P(PursuitFuel, TheLastUnitsEndTheMissionAtOnce)
{
    const FuelCase& fuelCase = GetParam();
    mission.fuel = fuelCase.fuel;
    for (int hit = 0; hit < fuelCase.hitsBefore; ++hit) exchange('f', 1, {0, 0, 0});
    exchange(fuelCase.key, fuelCase.die, fuelCase.draws, !fuelCase.endsTheMission);
    console.queueKey(keyEsc);
    gotoColRow(1, 5);
    EXPECT_EQ(ends(alienPursuit), fuelCase.endsTheMission);
    EXPECT_EQ(mission.fuel, fuelCase.endsTheMission ? 0 : 10);
    if (fuelCase.endsTheMission) {
        EXPECT_EQ(console.rowText(3), "Oh no!  You are out of fuel.");
        for (const std::string& text : writes())
            EXPECT_TRUE(text.find("Miles to Mars") == std::string::npos && text.find("running away") == std::string::npos)
                << "no status redraw nor flight after an empty tank";
    }
    EXPECT_EQ(chance->left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(TenForMostTwentyForA, PursuitFuel,
                         ::testing::Values(FuelCase{'e', 10, true}, FuelCase{'b', 10, true}, FuelCase{'f', 10, true},
                                           FuelCase{'n', 10, true}, FuelCase{'r', 10, true}, FuelCase{'a', 20, true},
                                           FuelCase{'a', 30, false}, FuelCase{'e', 20, false},
                                           FuelCase{'f', 30, true, 2, 3, {0}}),
                         [](const auto& info) {
                             return std::string(1, info.param.key) + "_" + std::to_string(info.param.fuel) +
                                    (info.param.hitsBefore ? "_ThirdHit" : "");
                         });

// The opening: the cue, then the two lines; with an empty tank nothing more.
TEST_F(Pursuit, EnteredWithAnEmptyTankOnlyOpens)
{
    mission.fuel = 0;
    mission.soundOn = 'y';
    gotoColRow(1, 5);
    EXPECT_FALSE(ends(alienPursuit));
    expectTrace(console, 0, {"cue alie", "Be careful!  An alien ship is following you.\n",
                             "You have no indication of its intentions, but the dudes look nasty.\n"}, true);
    EXPECT_EQ(console.rowText(5), "Be careful!  An alien ship is following you.");
    EXPECT_EQ(chance->taken(), 0);
    EXPECT_EQ(console.clears(), 0);
}

// The die of the exchange comes before the prompt, the alien shot after the action, and the
// choice of message last; the shot never lands in dieRoll.
TEST_F(Pursuit, DrawsTheDieThenTheShotThenTheMessage)
{
    mission.fuel = 10;  // the exchange empties the tank, so the pursuit stops right after it
    chance->push(3).push(0).push(6);
    int drawsBeforeTheKey = -1;
    console.onScriptEmpty = [&](bool) {
        if (drawsBeforeTheKey < 0) drawsBeforeTheKey = chance->taken();
        console.queueKey(console.clears() == 0 ? 'f' : keyEsc);
    };
    gotoColRow(1, 5);
    EXPECT_TRUE(ends(alienPursuit));
    EXPECT_EQ(drawsBeforeTheKey, 1);
    const Trace written = writes();
    EXPECT_NE(std::find(written.begin(), written.end(), "Whoosh!  Their shot flew right over your hull\n"), written.end());
    EXPECT_EQ(mission.dieRoll, 4);
}

TEST_F(Pursuit, VaporizedEndingIsItsVerseThenTheEndOfTheMission)
{
    mission.soundOn = 'y';
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends(vaporizedEnding));
    EXPECT_EQ(pauses().front(), 1000);
    EXPECT_EQ(shortNames(sounds()), (Trace{"expl", "alla", "exit"}));
    expectVerse(console, 3, 10, "Oh no!  You have been vaporized.", "But THIS MISSION IS OVER!");
}

}  // namespace
