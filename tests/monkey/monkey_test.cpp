#include <gtest/gtest.h>

#include "monkey/monkey.h"
#include "support/game_test.h"

namespace {

// The game's own chance, not forced draws: each game number seeds it.
class Monkeys : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        chance.reset();
    }
};

// A few hundred whole games of random keys, in both modes, some from frozen games sound or
// damaged: none fails, and between them they meet the game's main ways out.
TEST_F(Monkeys, PlayWholeGamesWithoutAFault)
{
    MonkeyTally tally;
    for (std::uint32_t number = 1; number <= 300; ++number) playMonkeyGame(number, MonkeyOptions{}, tally);
    EXPECT_EQ(tally.failures, 0) << "game " << tally.firstFailure << ": " << tally.failure;
    EXPECT_EQ(tally.ended + tally.capped, 300);
    EXPECT_GT(tally.zapfest, 0);
    EXPECT_GT(tally.resumed, 0);
    EXPECT_GT(tally.refused, 0);
    EXPECT_GT(tally.frozen, 0);
}

}  // namespace
