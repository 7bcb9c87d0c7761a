// The time warp: the way home is the first era's year digit plus the spins, mod 10; a wrong
// digit costs fuel and shows another era; a line that is no digit costs nothing.
#include "encounters/time_warp.h"

#include "support/trace.h"

namespace {

using TimeWarp = GameTest;

// Card 1 is 1943: (3 + 16) mod 10 = 9. Lines that are not one digit, refused for free, a wrong
// digit (a new era, 10 more units), then the right one.
TEST_F(TimeWarp, RefusedWrongThenRight)
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
    EXPECT_EQ(console.rowText(22).substr(16), "Good job, you made it back to the present!");
    EXPECT_EQ(std::tuple(mission.fuel, chance->left()), std::tuple(380, 0u));
    EXPECT_TRUE(logHasRun(console, {paused(200), wrote("Enter 0 to 9 to get back  ")}));
}

// Every era names its year, and the digit it returns is that year's last digit; written from
// column 10, the line keeps to its row (71 columns).
TEST_F(TimeWarp, EachEraReturnsItsYearsLastDigit)
{
    for (int card = 1; card <= 20; ++card) {
        SetUp();
        chance->face(card);
        const int digit = eraLine();
        const std::string text = textAfterClear(console);
        const auto end = text.find_first_not_of("0123456789", text.find_first_of("0123456789"));
        EXPECT_EQ(text[end - 1] - '0', digit) << text;
        EXPECT_LE(text.size(), 72u) << text;  // and the line end
    }
}

}  // namespace
