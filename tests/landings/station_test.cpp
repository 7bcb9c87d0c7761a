#include "support/trace.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "landings/asteroid.h"
#include "landings/station.h"

namespace {

using Names = std::vector<std::string>;

const std::string tradingPrompt = "Press the first letter of the item you want or N for none - ";
const std::string blastOffPrompt = "Press B when ready to blast off  ";

enum Rock { diamond, platinum, gold };

const char* const capitals[] = {"DIAMOND", "PLATINUM", "GOLD"};

// Which rock each good costs, by the face of the visit's die of 6.
struct Prices {
    Rock fuel, cells, generator;
};

const std::array<Prices, 6> priceByFace = {{
    {diamond, platinum, gold},
    {diamond, gold, platinum},
    {platinum, diamond, gold},
    {platinum, gold, diamond},
    {gold, diamond, platinum},
    {gold, platinum, diamond},
}};

Rock costOf(int face, char good)
{
    const Prices& p = priceByFace[static_cast<std::size_t>(face - 1)];
    return good == 'f' ? p.fuel : good == 'p' ? p.cells : p.generator;
}

std::string sign(int face)
{
    const Prices& p = priceByFace[static_cast<std::size_t>(face - 1)];
    return std::string("You see a large sign, it says:\nSUPPLIES FOR SALE HERE!\n") + "FUEL - ONE " + capitals[p.fuel] +
           " ROCK\n\n" + "PHASER POWER CELLS - ONE " + capitals[p.cells] + " ROCK\n\n" + "BARRIER GENERATOR - ONE " +
           capitals[p.generator] + " ROCK\n\n";
}

class Station : public GameTest {
protected:
    void carry(bool d, bool p, bool g)
    {
        mission.hasDiamond = d ? 1 : 0;
        mission.hasPlatinum = p ? 1 : 0;
        mission.hasGold = g ? 1 : 0;
    }
    std::int32_t& flag(Rock rock)
    {
        return rock == diamond ? mission.hasDiamond : rock == platinum ? mission.hasPlatinum : mission.hasGold;
    }
    void expectArrestVerse() const
    {
        expectVerse(console, 3, 10, "Oh no!  You cannot pay for the goods.", "But this mission is done!");
    }
};

// --- Both landings: the approach, and the crash rolls of a die of 20 ---------------------------

struct ApproachCase {
    const char* name;
    void (*visit)();
    Names cues;
    Trace sight;
    int blanks;  // of the landing prompt
};

const ApproachCase approaches[] = {
    {"Asteroid", asteroidEncounter, {"aste"}, {"You are approaching a large asteroid.", "It looks parched and barren."}, 29},
    {"Station", spaceStation, {"stat", "stat", "stat"},
     {"You are nearing a space station.", "Its flashing lights are visible in the darkness."}, 30},
};

class Approach : public GameTest, public ::testing::WithParamInterface<ApproachCase> {};

// The cue, the two lines, then the landing question, which takes only Y and N (not ESC); N
// leaves at once, rolling nothing.
TEST_P(Approach, AsksToLandAndLeavesOnNo)
{
    const ApproachCase& approach = GetParam();
    mission.soundOn = 'y';
    console.queueKeys("x");
    console.queueKey(keyEsc);
    console.queueKeys("N");
    gotoColRow(1, 5);
    approach.visit();
    EXPECT_EQ(console.log()[1], played(approach.cues[0]));
    EXPECT_EQ(rows(5, 6), approach.sight);
    const std::string question = "Do you want to land?  Y or N  ";
    EXPECT_TRUE(logHasRun(console, {pressed('x'), moved(17, 21), wrote(std::string(approach.blanks, ' ')), moved(17, 21),
                                    paused(200), wrote(question), pressed(keyEsc)}));
    const Trace written = writes();
    EXPECT_EQ(std::count(written.begin(), written.end(), question), 3);
    EXPECT_EQ(shortNames(sounds()), approach.cues);
    EXPECT_EQ(chance->taken(), 0);
    EXPECT_EQ(mission.rocksPlaced + mission.stationVisited, 0);  // the visit's business, the dispatcher's
}

INSTANTIATE_TEST_SUITE_P(Landings, Approach, ::testing::ValuesIn(approaches),
                         [](const auto& info) { return std::string(info.param.name); });

// Each landing and blast-off crashes on 13 only, after the landing or ignition cue.
struct CrashPoint {
    const char* name;
    void (*run)();
    const char* keys;  // before the roll
    Names cues;        // up to the roll's outcome
    int verseRow;      // the first line's
    const char* firstLine;
    std::vector<int> safeDraws;  // after a safe roll, to the end of the visit
    const char* safeKeys;
};

const CrashPoint crashPoints[] = {
    {"AsteroidLanding", asteroidEncounter, "y", {"aste", "lago"}, 3, "Oh no!  You crashed into a million pieces.",
     {16, 15, 14, 1, 1}, "b"},
    {"AsteroidBlastOff", asteroidBlastOff, "", {"stup", "blof"}, 3, "Oh no!  You have crashed on blastoff.", {}, ""},
    // The station's landing verse begins with a line end.
    {"StationLanding", spaceStation, "y", {"stat", "stat", "stat", "lago"}, 4, "Oh no!  You crashed while trying to land.",
     {2, 1}, "nb"},
    {"StationBlastOff", stationBlastOff, "b", {"stup", "blof"}, 3, "Oh no!  You have crashed on blastoff.", {}, ""},
};

class Touchdown : public GameTest, public ::testing::WithParamInterface<std::tuple<CrashPoint, int>> {};

TEST_P(Touchdown, CrashesOnlyOnThirteen)
{
    const auto& [point, face] = GetParam();
    mission.soundOn = 'y';
    chance->face(face);
    console.queueKeys(point.keys);
    Names cues = point.cues;
    if (face == 13) {
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends(point.run));
        cues.insert(cues.end(), {"expl", "exit"});
        EXPECT_TRUE(logHasRun(console, {played("expl"), cleared(), moved(1, 3)}));
        EXPECT_EQ(console.rowText(3), point.verseRow == 3 ? point.firstLine : "");
        expectVerse(console, point.verseRow, 10, point.firstLine, "But THIS MISSION IS OVER!");
    } else {
        for (int draw : point.safeDraws) chance->face(draw);
        console.queueKeys(point.safeKeys);
        EXPECT_FALSE(ends(point.run));
        if (!point.safeDraws.empty()) cues.insert(cues.end(), {"stup", "blof"});
    }
    EXPECT_EQ(shortNames(sounds()), cues);
    EXPECT_EQ(chance->left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(DieOfTwenty, Touchdown,
                         ::testing::Combine(::testing::ValuesIn(crashPoints), ::testing::Values(1, 12, 13, 14, 20)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::to_string(std::get<1>(info.param));
                         });

// --- The sign and the trading ------------------------------------------------------------------

// Without a rock the sign can still be read; the visit ends with the blast-off prompt, which
// takes only B.
TEST_F(Station, AVisitWithoutTrading)
{
    mission.soundOn = 'y';
    chance->face(1).face(3).face(1);
    console.queueKeys("y" "xn" "x");
    console.queueKey(keyEsc);
    console.queueKeys("B");
    const MissionState before = mission;
    spaceStation();
    EXPECT_TRUE(logHasRun(console, {played("lago"), moved(1, 5), wrote("Beautiful landing.\n"), paused(2000),
                                    wrote(sign(3) + tradingPrompt), pressed('x'), wrote(tradingPrompt), pressed('n')}));
    EXPECT_TRUE(logHasRun(console, {pressed('x'), moved(1, 21), wrote(std::string(69, ' ')), moved(17, 21), paused(200),
                                    wrote(blastOffPrompt), pressed(keyEsc)}));
    const Trace written = writes();
    EXPECT_EQ(std::count(written.begin(), written.end(), blastOffPrompt), 3);
    EXPECT_EQ(rows(5, 7), (Trace{"Successful blastoff!", "You are back on course and ready to resume your trip.", ""}));
    EXPECT_EQ(mission.fuel, before.fuel);
    EXPECT_EQ(mission.phaserCells, before.phaserCells);
    EXPECT_EQ(mission.barrierCharges, before.barrierCharges);
    EXPECT_EQ(console.clears(), 2);
}

enum Effect { addsFuel, freshCells, newGenerator, arrest };

struct TradeCase {
    char good;
    Rock rock;
    bool hasIt;
    const char* cue;  // nullptr: none
    std::string message;
    Effect effect;
};

const std::string fuelBought = "\nOkay, you now have 500 units of fuel\n";

class TradingTable : public Station, public ::testing::WithParamInterface<TradeCase> {};

// Each row is met at the first purchase of a visit whose price list gives the row's rock for
// its good. The two other rocks are carried, so only the right flag may decide. Cells and
// generator start above five, so a purchase lowers them.
TEST_P(TradingTable, CueMessageAndChange)
{
    const TradeCase& row = GetParam();
    int face = 1;
    while (costOf(face, row.good) != row.rock) ++face;
    mission.soundOn = 'y';
    mission.fuel = 300;
    mission.phaserCells = 7;
    mission.barrierCharges = 9;
    carry(true, true, true);
    flag(row.rock) = row.hasIt ? 1 : 0;
    chance->face(1).face(face);
    console.queueKeys("y" + std::string(1, row.good));

    Names cues = {"stat", "stat", "stat", "lago"};
    if (row.cue != nullptr) cues.push_back(row.cue);
    std::vector<LogEntry> run = {pressed(row.good)};
    if (row.cue != nullptr) run.push_back(played(row.cue));
    if (row.effect == arrest) {
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { spaceStation(); }));
        run.insert(run.end(), {wrote(row.message), paused(2000), played("arre"), played("arre"), played("arre"), cleared(),
                               moved(1, 3)});
        cues.insert(cues.end(), {"arre", "arre", "arre", "exit"});
        expectArrestVerse();
    } else {
        chance->face(1);
        console.queueKeys("nb");
        spaceStation();
        run.insert(run.end(), {wrote(row.message + tradingPrompt), pressed('n')});
        cues.insert(cues.end(), {"stup", "blof"});
    }
    EXPECT_TRUE(logHasRun(console, run));
    EXPECT_EQ(shortNames(sounds()), cues);
    EXPECT_EQ(mission.fuel, row.effect == addsFuel ? 500 : 300);
    EXPECT_EQ(mission.phaserCells, row.effect == freshCells ? 5 : 7);
    EXPECT_EQ(mission.barrierCharges, row.effect == newGenerator ? 5 : 9);
    for (Rock rock : {diamond, platinum, gold}) {
        const bool spent = rock == row.rock && row.effect != arrest;
        const bool heldBefore = rock != row.rock || row.hasIt;
        EXPECT_EQ(flag(rock), heldBefore && !spent ? 1 : 0) << capitals[rock];
    }
}

INSTANTIATE_TEST_SUITE_P(
    EighteenRows, TradingTable,
    ::testing::Values(
        TradeCase{'f', diamond, true, "rock", fuelBought, addsFuel},
        TradeCase{'f', platinum, true, "rock", fuelBought, addsFuel},
        TradeCase{'f', gold, true, "rock", fuelBought, addsFuel},
        TradeCase{'p', diamond, true, "rock", "\nGood \x1e you now have fresh phaser power cells\n", freshCells},
        TradeCase{'p', platinum, true, "rock", "\nYou now have fresh phaser power cells.\n", freshCells},
        TradeCase{'p', gold, true, "rock", "\nNice transaction, you have fresh phaser power cells.\n", freshCells},
        TradeCase{'b', diamond, true, "rock", "\nNifty, you now have a new barrier generator.\n", newGenerator},
        TradeCase{'b', platinum, true, "rock", "\nYou now have a new barrier generator.\n", newGenerator},
        TradeCase{'b', gold, true, "rock", "\nNice job, you have a new barrier generator.\n", newGenerator},
        TradeCase{'f', diamond, false, "dama", "\nYou do not have any diamonds.\n", arrest},
        TradeCase{'f', platinum, false, "dama", "\nYou do not have any platinum\n", arrest},
        TradeCase{'f', gold, false, "dama", "\nYou do not have any gold.\n", arrest},
        TradeCase{'p', diamond, false, "dama", "\nCome on!  You do not have a diamond.\n", arrest},
        TradeCase{'p', platinum, false, "dama", "\nNice try, but You do not have any platinum.\n", arrest},
        TradeCase{'p', gold, false, "dama", "\nYou do not have any gold.\n", arrest},
        TradeCase{'b', diamond, false, "dama", "\nStop that!  You do not have a diamond.\n", arrest},
        TradeCase{'b', platinum, false, "dama", "\nNice try, but You do not have any platinum.\n", arrest},
        TradeCase{'b', gold, false, nullptr, "\nYou do not have any gold.\n", arrest}));

// Every price list on the sign, every order: with all three rocks each good is bought once
// (sound on, so no cue may roll and disturb the die the purchases read). Buying the first good
// again asks for the rock it spent: the cannot-pay ending.
class AllThreeRocks : public Station, public ::testing::WithParamInterface<int> {};

TEST_P(AllThreeRocks, BuyEverythingInAnyOrderThenOneTooMany)
{
    const int face = GetParam();
    std::string order = "bfp";
    for (int i = 1; i < face; ++i) std::next_permutation(order.begin(), order.end());
    mission.soundOn = 'y';
    mission.phaserCells = 0;
    mission.barrierCharges = -2;
    carry(true, true, true);
    chance->face(1).face(face);
    console.queueKeys("y" + order + order[0]);
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { spaceStation(); }));
    EXPECT_NE(textAfterClear(console, 1).find(sign(face) + tradingPrompt), std::string::npos) << "the sign of the die";
    EXPECT_EQ(mission.fuel, 600);
    EXPECT_EQ(mission.phaserCells, 5);
    EXPECT_EQ(mission.barrierCharges, 5);
    EXPECT_EQ(mission.hasDiamond + mission.hasPlatinum + mission.hasGold, 0);
    const Names cues = shortNames(sounds());
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "rock"), 3);
    expectArrestVerse();
}

INSTANTIATE_TEST_SUITE_P(SixPriceLists, AllThreeRocks, ::testing::Range(1, 7));

}  // namespace
