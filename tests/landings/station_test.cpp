// The space station's trades, read off its sign: whatever rock the sign names for a good, a
// player who carries only that rock gets the good for it, and one who lacks it is arrested;
// no trade touches a supply or a rock the sign did not name.
#include "landings/station.h"

#include <cctype>

#include "support/trace.h"

namespace {

// The goods by the first letter the player presses, and what a sale of each leaves.
struct Good {
    char key;
    std::int32_t MissionState::*supply;
    int after;  // fuel gains 200 on the 400 it had; cells and charges come new with five
};
const Good goods[] = {{'f', &MissionState::fuel, 600}, {'p', &MissionState::phaserCells, 5},
                      {'b', &MissionState::barrierCharges, 5}};

const std::pair<const char*, std::int32_t MissionState::*> rocks[] = {
    {"DIAMOND", &MissionState::hasDiamond}, {"PLATINUM", &MissionState::hasPlatinum}, {"GOLD", &MissionState::hasGold}};

using Fields = std::vector<std::int32_t>;
Fields supplies() { return {mission.fuel, mission.phaserCells, mission.barrierCharges, mission.hasDiamond, mission.hasPlatinum, mission.hasGold}; }

std::string lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class Sign : public GameTest, public ::testing::WithParamInterface<int> {
protected:
    // A row of the sign under the price list of the die's face: "FUEL - ONE GOLD ROCK".
    std::string signRow(int row)
    {
        SetUp();
        chance->face(1).face(GetParam());
        console.queueKeys("y");
        EXPECT_THROW(spaceStation(), ScriptExhausted);
        return console.rowText(row);
    }
    // Lands again carrying only the rock the row names, or every rock but that one, and presses
    // the good's first letter; returns the good.
    const Good& buy(const std::string& line, bool carriesIt)
    {
        const std::string rock = line.substr(line.find("ONE ") + 4, line.rfind(" ROCK") - line.find("ONE ") - 4);
        SetUp();
        mission.phaserCells = 1;
        mission.barrierCharges = 2;
        for (const auto& [name, flag] : rocks) mission.*flag = (name == rock) == carriesIt;
        chance->face(1).face(GetParam());
        console.queueKeys("y" + lower(line.substr(0, 1)));
        return *std::find_if(std::begin(goods), std::end(goods), [&](const Good& g) { return g.key == lower(line)[0]; });
    }
};

TEST_P(Sign, TheRockItNamesPaysForTheGoodWithoutItThePlayerIsArrestedAndNothingElseChanges)
{
    for (int row : {8, 10, 12}) {
        const std::string line = signRow(row);
        SCOPED_TRACE(line);
        const Good& good = buy(line, true);
        Fields expected = supplies();
        expected[static_cast<std::size_t>(&good - goods)] = good.after;
        for (std::size_t r = 3; r < 6; ++r) expected[r] = 0;  // the one rock carried is spent
        EXPECT_THROW(spaceStation(), ScriptExhausted);
        EXPECT_EQ(supplies(), expected);
        // The sale tells the good by the sign's name (the fuel's new count: the prompts' test).
        EXPECT_NE(console.rowText(15).find(lower(line.substr(0, line.find(" - ")))), std::string::npos) << console.rowText(15);
        EXPECT_EQ(console.rowText(16).rfind("Press the first letter of the item you want or N for none -", 0), 0u);

        // Without that rock: the refusal names it, and the arrest takes nothing.
        buy(line, false);
        const Fields before = supplies();
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends(spaceStation));
        EXPECT_EQ(supplies(), before);
        const std::string shop = textAfterClear(console, 1);
        const std::string refusal = shop.substr(shop.rfind("- ") + 2);  // after the last prompt
        EXPECT_NE(refusal.find("You do not have"), std::string::npos) << refusal;
        EXPECT_NE(refusal.find(lower(line.substr(line.find("ONE ") + 4, 4))), std::string::npos) << refusal;
        EXPECT_EQ(console.rowText(3), "Oh no!  You cannot pay for the goods.");
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPriceList, Sign, ::testing::Range(1, 7),
                         [](const auto& info) { return "dieShows" + std::to_string(info.param); });

}  // namespace
