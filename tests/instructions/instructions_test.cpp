// The instruction pages' keys: refused keys, no page before the first nor after the last, upper
// case. Each page's own path is a worked example in tests/mission/paths_test.cpp.
#include "instructions/instructions.h"

#include "support/game_test.h"

// The keys, and the page whose prompt row 24 shows after them (R leaves, the title back on row 7).
TEST_F(GameTest, PagingFollowsTheKeys)
{
    const std::string first = "Press C to continue or R to return to the game.";
    for (auto [keys, row24] : {std::tuple{"x\r qb", first}, {"cCcc", std::string("Press B to back up or R to return to the game     from the Zorvane developers")},
                               {"ccBB", first}}) {
        SetUp();
        console.queueKeys(keys);
        EXPECT_THROW(instructionPages(), ScriptExhausted);
        EXPECT_EQ(console.rowText(24), row24) << keys;
    }
    console.queueKeys("r");
    EXPECT_FALSE(ends(instructionPages));
    EXPECT_EQ(console.rowText(7), std::string(32, ' ') + "ZORVANE");
}
