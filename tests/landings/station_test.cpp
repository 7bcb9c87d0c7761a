#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "landings/asteroid.h"
#include "landings/station.h"
#include "landings/landing_test.h"

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
    return std::string("You see a large sign, it says:\n") + "SUPPLIES FOR SALE HERE!\n" + "FUEL - ONE " +
           capitals[p.fuel] + " ROCK\n\n" + "PHASER POWER CELLS - ONE " + capitals[p.cells] + " ROCK\n\n" +
           "BARRIER GENERATOR - ONE " + capitals[p.generator] + " ROCK\n\n";
}

class Station : public LandingTest {
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
        expectVerse(3, 10, "Oh no!  You cannot pay for the goods.", "But this mission is done!");
    }
};

// --- Approach and landing --------------------------------------------------------------------

TEST_F(Station, ApproachAndDeclineWithEscapeRefused)
{
    mission.soundOn = 'y';
    console.queueKey(keyEsc);
    console.queueKeys("N");
    gotoColRow(1, 5);
    spaceStation();
    EXPECT_EQ(rows(5, 6), (std::vector<std::string>{"You are nearing a space station.",
                                                    "Its flashing lights are visible in the darkness."}));
    const std::vector<LogEntry> prompt = {moved(17, 21), wrote(std::string(30, ' ')), moved(17, 21), paused(200),
                                          wrote("Do you want to land?  Y or N  ")};
    std::vector<LogEntry> twice = prompt;
    twice.push_back(pressed(keyEsc));
    twice.insert(twice.end(), prompt.begin(), prompt.end());
    twice.push_back(pressed('N'));
    EXPECT_TRUE(logHasRun(twice));
    EXPECT_EQ(console.log()[1], played("stat"));  // after the test's own move to row 5
    EXPECT_EQ(shortNames(sounds()), (Names{"stat", "stat", "stat"}));
    EXPECT_EQ(chance->taken(), 0);
    EXPECT_EQ(mission.stationVisited, 0);  // the dispatcher's business
}

class SignByFace : public Station, public ::testing::WithParamInterface<int> {};

TEST_P(SignByFace, ShowsThePriceListOfTheDie)
{
    const int face = GetParam();
    chance->face(1).face(face);
    console.queueKeys("y");
    EXPECT_THROW(spaceStation(), ScriptExhausted);  // waits at the trading prompt
    EXPECT_EQ(mission.dieRoll, face);
    EXPECT_EQ(rows(5, 13), (std::vector<std::string>{
                               "Beautiful landing.",
                               "You see a large sign, it says:",
                               "SUPPLIES FOR SALE HERE!",
                               std::string("FUEL - ONE ") + capitals[priceByFace[face - 1].fuel] + " ROCK",
                               "",
                               std::string("PHASER POWER CELLS - ONE ") + capitals[priceByFace[face - 1].cells] +
                                   " ROCK",
                               "",
                               std::string("BARRIER GENERATOR - ONE ") +
                                   capitals[priceByFace[face - 1].generator] + " ROCK",
                               "",
                           }));
    EXPECT_EQ(console.rowText(14), tradingPrompt.substr(0, tradingPrompt.size() - 1));
    EXPECT_TRUE(logHasRun({cleared(), moved(1, 5), wrote("Beautiful landing.\n"), paused(2000),
                           wrote(sign(face) + tradingPrompt)}));
}

INSTANTIATE_TEST_SUITE_P(SixPriceLists, SignByFace, ::testing::Range(1, 7));

// Without a rock the sign can still be read; the visit ends with the blast-off prompt, which
// takes only B.
TEST_F(Station, AVisitWithoutTrading)
{
    mission.soundOn = 'y';
    chance->face(1).face(3).face(1);
    console.queueKeys("y" "xn");
    console.queueKeys("x");
    console.queueKey(keyEsc);
    console.queueKeys("B");
    const MissionState before = mission;
    spaceStation();

    EXPECT_TRUE(logHasRun({wrote(sign(3) + tradingPrompt), pressed('x'), wrote(tradingPrompt), pressed('n')}));
    const std::vector<LogEntry> prompt = {moved(1, 21), wrote(std::string(69, ' ')), moved(17, 21), paused(200),
                                          wrote(blastOffPrompt)};
    std::vector<LogEntry> thrice;
    for (int key : {int('x'), keyEsc, int('B')}) {
        thrice.insert(thrice.end(), prompt.begin(), prompt.end());
        thrice.push_back(pressed(key));
    }
    EXPECT_TRUE(logHasRun(thrice));
    EXPECT_EQ(rows(5, 6), (std::vector<std::string>{"Successful blastoff!",
                                                    "You are back on course and ready to resume your trip."}));
    EXPECT_EQ(shortNames(sounds()), (Names{"stat", "stat", "stat", "lago", "stup", "blof"}));
    EXPECT_EQ(mission.fuel, before.fuel);
    EXPECT_EQ(mission.phaserCells, before.phaserCells);
    EXPECT_EQ(mission.barrierCharges, before.barrierCharges);
    EXPECT_EQ(console.clears(), 2);
    EXPECT_EQ(chance->left(), 0u);
}

// --- The trading table -----------------------------------------------------------------------

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
        run.insert(run.end(), {wrote(row.message), paused(2000), played("arre"), played("arre"), played("arre"),
                               cleared(), moved(1, 3)});
        cues.insert(cues.end(), {"arre", "arre", "arre", "exit"});
        EXPECT_EQ(textAfterClear(1), "Beautiful landing.\n" + sign(face) + tradingPrompt + row.message);
        expectArrestVerse();
    } else {
        chance->face(1);
        console.queueKeys("nb");
        spaceStation();
        run.insert(run.end(), {wrote(row.message + tradingPrompt), pressed('n')});
        cues.insert(cues.end(), {"stup", "blof"});
        EXPECT_EQ(textAfterClear(1), "Beautiful landing.\n" + sign(face) + tradingPrompt + row.message +
                                         tradingPrompt + std::string(69, ' ') + blastOffPrompt);
    }
    EXPECT_TRUE(logHasRun(run));
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

// Every price list, every order: with all three rocks each good is bought once. Sound is on,
// so no cue may roll and disturb the die the purchases read.
class AllThreeRocks : public Station, public ::testing::WithParamInterface<int> {};

TEST_P(AllThreeRocks, BuyEverythingInAnyOrder)
{
    const int face = GetParam();
    std::string order = "bfp";
    for (int i = 1; i < face; ++i) std::next_permutation(order.begin(), order.end());
    mission.soundOn = 'y';
    mission.phaserCells = 0;
    mission.barrierCharges = -2;
    carry(true, true, true);
    chance->face(1).face(face).face(1);
    console.queueKeys("y" + order + "nb");
    spaceStation();
    EXPECT_EQ(mission.fuel, 600);
    EXPECT_EQ(mission.phaserCells, 5);
    EXPECT_EQ(mission.barrierCharges, 5);
    EXPECT_EQ(mission.hasDiamond + mission.hasPlatinum + mission.hasGold, 0);
    const Names cues = shortNames(sounds());
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "rock"), 3);
}

INSTANTIATE_TEST_SUITE_P(SixPriceLists, AllThreeRocks, ::testing::Range(1, 7));

TEST_F(Station, BuyingTheSameGoodTwiceEndsInArrest)
{
    carry(true, true, true);
    chance->face(1).face(4);  // fuel costs platinum
    console.queueKeys("yff");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { spaceStation(); }));
    EXPECT_EQ(mission.fuel, 600);
    EXPECT_EQ(mission.hasPlatinum, 0);
    EXPECT_EQ(mission.hasDiamond + mission.hasGold, 2);
    EXPECT_EQ(textAfterClear(1), "Beautiful landing.\n" + sign(4) + tradingPrompt +
                                     "\nOkay, you now have 600 units of fuel\n" + tradingPrompt +
                                     "\nYou do not have any platinum\n");
    expectArrestVerse();
}

// A rock spent at the station is found again on the asteroid where it lay.
TEST_F(Station, ASpentRockLiesAgainOnItsSquare)
{
    mission.rocksPlaced = 1;
    mission.diamondSquare = 6;
    mission.platinumSquare = 5;
    mission.goldSquare = 8;
    carry(true, false, false);
    chance->face(1).face(1).face(1);  // fuel costs the diamond
    console.queueKeys("y" "f" "nb");
    spaceStation();
    EXPECT_EQ(mission.hasDiamond, 0);

    console.clearLog();
    console.queueKeys("n");
    showSquare(6);
    EXPECT_EQ(allWrites(), "You have 100 units of oxygen.\nYou see a sparkling rock, it looks like a diamond.\n"
                           "Do you want to take it? Y or N   \nAll right, move on.\n");
}

// --- Crashes ---------------------------------------------------------------------------------

class StationCrash : public Station, public ::testing::WithParamInterface<int> {};

TEST_P(StationCrash, LandingCrashesOnlyOnThirteen)
{
    const int face = GetParam();
    mission.soundOn = 'y';
    chance->face(face);
    console.queueKeys("y");
    if (face == 13) {
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { spaceStation(); }));
        EXPECT_EQ(shortNames(sounds()), (Names{"stat", "stat", "stat", "lago", "expl", "exit"}));
        EXPECT_TRUE(logHasRun({cleared(), played("lago"), played("expl"), cleared(), moved(1, 3)}));
        EXPECT_EQ(console.rowText(3), "");  // the verse begins with a line end
        expectVerse(4, 10, "Oh no!  You crashed while trying to land.", "But THIS MISSION IS OVER!");
        EXPECT_EQ(chance->left(), 0u);
    } else {
        chance->face(2).face(1);
        console.queueKeys("nb");
        spaceStation();
        EXPECT_EQ(textAfterClear(1).substr(0, 19), "Beautiful landing.\n");
        EXPECT_EQ(shortNames(sounds()), (Names{"stat", "stat", "stat", "lago", "stup", "blof"}));
    }
}

TEST_P(StationCrash, BlastOffCrashesOnlyOnThirteen)
{
    const int face = GetParam();
    mission.soundOn = 'y';
    chance->face(face);
    console.queueKeys("b");
    if (face == 13) {
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { stationBlastOff(); }));
        EXPECT_EQ(shortNames(sounds()), (Names{"stup", "blof", "expl", "exit"}));
        EXPECT_TRUE(logHasRun({played("blof"), played("expl"), cleared(), moved(1, 3)}));
        expectVerse(3, 10, "Oh no!  You have crashed on blastoff.", "But THIS MISSION IS OVER!");
    } else {
        stationBlastOff();
        EXPECT_EQ(shortNames(sounds()), (Names{"stup", "blof"}));
        const std::string lines = "Successful blastoff!\nYou are back on course and ready to resume your trip.\n";
        EXPECT_TRUE(logHasRun({cleared(), moved(1, 5), wrote(lines)}));
    }
}

INSTANTIATE_TEST_SUITE_P(DieOfTwenty, StationCrash, ::testing::Values(1, 12, 13, 14, 20));

}  // namespace
