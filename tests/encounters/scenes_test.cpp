// The time warp's eras. The scenes themselves are worked examples of the paths
// (tests/mission/paths_test.cpp), and the action prompt's keys are in the prompts' table.
#include "support/game_test.h"

#include "encounters/time_warp.h"

namespace {

using Scene = GameTest;

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
