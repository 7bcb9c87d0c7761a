// The space station's trades, read off its sign: whatever rock the sign names for a good, a
// player who carries only that rock gets the good for it, and one who lacks it is arrested;
// no trade touches a supply or a rock the sign did not name.
#include "landings/station.h"

#include <cctype>

#include "support/trace.h"

namespace {

// Fuel, phaser cells, barrier charges, then the diamond, platinum and gold carried.
using Fields = std::vector<std::int32_t>;
Fields supplies() { return {mission.fuel, mission.phaserCells, mission.barrierCharges, mission.hasDiamond, mission.hasPlatinum, mission.hasGold}; }
const std::string rockNames[] = {"DIAMOND", "PLATINUM", "GOLD"}, goodKeys = "fpb";
const int sold[] = {600, 5, 5};  // fuel gains 200 on the 400 it had; cells and charges come new with five

std::string lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct Sign : GameTest, ::testing::WithParamInterface<int> {
    // Lands under the price list of the die's face, carrying the rocks flagged, and presses `keys`.
    void land(int diamond, int platinum, int gold, const std::string& keys)
    {
        SetUp();
        std::tie(mission.phaserCells, mission.barrierCharges, mission.hasDiamond, mission.hasPlatinum, mission.hasGold) = std::tuple(1, 2, diamond, platinum, gold);
        chance->face(1).face(GetParam());
        console.queueKeys("y" + keys);
    }
};

TEST_P(Sign, TheRockItNamesPaysForTheGoodWithoutItThePlayerIsArrestedAndNothingElseChanges)
{
    land(0, 0, 0, "");
    EXPECT_THROW(spaceStation(), ScriptExhausted);
    const std::vector<std::string> signRows = {console.rowText(8), console.rowText(10), console.rowText(12)};
    for (const std::string& line : signRows) {
        SCOPED_TRACE(line);  // "FUEL - ONE GOLD ROCK"
        const std::size_t good = goodKeys.find(lower(line.substr(0, 1))), rock = std::find_if(std::begin(rockNames), std::end(rockNames),
            [&](const std::string& name) { return line.find("ONE " + name + " ROCK") != std::string::npos; }) - std::begin(rockNames);
        ASSERT_LT(good, 3u);
        ASSERT_LT(rock, 3u);
        land(rock == 0, rock == 1, rock == 2, goodKeys.substr(good, 1));
        Fields expected = supplies();
        expected[good] = sold[good];
        expected[3 + rock] = 0;  // the one rock carried is spent
        EXPECT_THROW(spaceStation(), ScriptExhausted);
        EXPECT_EQ(supplies(), expected);
        // The sale tells the good by the sign's name (the fuel's new count: its path's example).
        EXPECT_NE(console.rowText(15).find(lower(line.substr(0, line.find(" - ")))), std::string::npos) << console.rowText(15);
        EXPECT_EQ(console.rowText(16).rfind("Press the first letter of the item you want or N for none -", 0), 0u);

        // Carrying every rock but that one: the refusal names it, and the arrest takes nothing.
        land(rock != 0, rock != 1, rock != 2, goodKeys.substr(good, 1) + char(keyEsc));
        const Fields before = supplies();
        EXPECT_TRUE(ends(spaceStation));
        EXPECT_EQ(supplies(), before);
        const std::string shop = textAfterClear(console, 1), refusal = shop.substr(shop.rfind("- ") + 2);  // after the last prompt
        EXPECT_NE(refusal.find("You do not have"), std::string::npos) << refusal;
        EXPECT_NE(refusal.find(lower(rockNames[rock].substr(0, 4))), std::string::npos) << refusal;
        EXPECT_EQ(console.rowText(3), "Oh no!  You cannot pay for the goods.");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPriceList, Sign, ::testing::Range(1, 7), [](const auto& info) { return "dieShows" + std::to_string(info.param); });

}  // namespace
