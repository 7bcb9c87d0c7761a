// The time warp's typed lines and eras. The scenes themselves are worked examples of the paths
// (tests/mission/paths_test.cpp), and the action prompt's keys are in the prompts' table.
#include "support/game_test.h"

#include "encounters/time_warp.h"

namespace {

using Scene = GameTest;

// The time warp: the way home is the first era's year digit plus the spins, mod 10; a wrong
// digit costs fuel and shows another era; a line that is no digit costs nothing.
// Card 1 is 1943: (3 + 16) mod 10 = 9. Lines that are not one digit, refused for free, a wrong
// digit (a new era, 10 more units), then the right one.
TEST_F(Scene, ATimeWarpRefusedWrongThenRight)
{
    mission.soundOn = 'y';
    mission.spins = 16;
    chance->face(1).face(2);
    // The last but one is wrong, but a digit: the lowest.
    for (const std::string& line : std::vector<std::string>{"abc", "12", "-1", "", "   ", "+", "- 3", "+-3", "\xb5" "0",
                                                            std::string(10000, '9'), std::string(1, '\0') + "0", "0", " +9x"})
        console.queueLine(line);
    EXPECT_FALSE(ends(timeWarp));
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"tiwa", "tw_g", "tw_g", "ouwa"}));
    EXPECT_EQ(std::tuple(mission.fuel, chance->left()), std::tuple(380, 0u));
}

// Every era names its year, and the digit it returns is that year's last digit; written from
// column 10, the line keeps to its row.
TEST_F(Scene, EachEraReturnsItsYearsLastDigit)
{
    for (int card = 1; card <= 20; ++card) {
        SetUp();
        chance->face(card);
        gotoColRow(10, 12);
        const int digit = eraLine();
        const std::string text = console.rowText(12);
        const auto end = text.find_first_not_of("0123456789", text.find_first_of("0123456789"));
        EXPECT_EQ(text[end - 1] - '0', digit) << text;
        EXPECT_EQ(console.rowText(13), "") << text;  // the line end, and nothing wrapped
    }
}

}  // namespace
