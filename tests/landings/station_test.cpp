// The space station: a visit without trading, every price list traded out.
#include "landings/station.h"

#include "support/trace.h"

namespace {

const std::string tradingPrompt = "Press the first letter of the item you want or N for none - ";

// The landing's die (1, safe), the price list (3: the raw 8 shows it on a die of 6 only), the
// blast-off's die (1, safe); refused keys ask again, and the blast-off prompt takes only B.
TEST_F(GameTest, AStationVisitWithoutTrading)
{
    mission.soundOn = 'y';
    chance->face(1).push(8).face(1);
    console.queueKeys("yxnx\x1b" "B");
    spaceStation();
    EXPECT_TRUE(logHasRun(console, {played("lago"), moved(1, 5), wrote("Beautiful landing.\n"), paused(2000)}));
    EXPECT_NE(textAfterClear(console, 1).find("FUEL - ONE PLATINUM ROCK\n\nPHASER POWER CELLS - ONE DIAMOND ROCK\n\n"
                        "BARRIER GENERATOR - ONE GOLD ROCK\n\n" + tradingPrompt + tradingPrompt),
              std::string::npos);
    const std::vector<std::string> written = writes();
    EXPECT_EQ(std::count(written.begin(), written.end(), "Press B when ready to blast off  "), 3);
    EXPECT_EQ(console.rowText(5), "Successful blastoff!");
    EXPECT_EQ(std::tuple(mission.fuel, console.clears()), std::tuple(400, 2));
}

// With all three rocks every good can be bought once in any order under any price list: the
// three goods cost three different rocks. The first good again asks for a rock now spent.
class PriceList : public GameTest, public ::testing::WithParamInterface<int> {};

TEST_P(PriceList, BuysEverythingOnceThenTheArrest)
{
    std::string order = "bfp";
    for (int i = 1; i < GetParam(); ++i) std::next_permutation(order.begin(), order.end());
    mission.soundOn = 'y';
    mission.barrierCharges = -2;
    mission.hasDiamond = mission.hasPlatinum = mission.hasGold = 1;
    chance->face(1).face(GetParam());
    console.queueKeys("y" + order + order[0] + '\x1b');
    EXPECT_TRUE(ends(spaceStation));
    EXPECT_EQ(std::tuple(mission.fuel, mission.phaserCells, mission.barrierCharges), std::tuple(600, 5, 5));
    EXPECT_EQ(mission.hasDiamond + mission.hasPlatinum + mission.hasGold, 0);
    EXPECT_EQ(console.rowText(3), "Oh no!  You cannot pay for the goods.");
    EXPECT_TRUE(logHasRun(console, {paused(2000), played("arre")}));  // the refusal stays a moment
}

INSTANTIATE_TEST_SUITE_P(Six, PriceList, ::testing::Range(1, 7));

}  // namespace
