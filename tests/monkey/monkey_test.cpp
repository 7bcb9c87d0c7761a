#include "monkey/monkey.h"
#include "support/game_test.h"

// A few hundred whole games of random keys with the game's own chance, in both modes, some from
// frozen games sound or damaged: none fails, and between them they meet the main ways out.
TEST_F(GameTest, MonkeysPlayWholeGamesWithoutAFault)
{
    chance.reset();
    MonkeyTally tally;
    for (std::uint32_t number = 1; number <= 300; ++number) playMonkeyGame(number, tally);
    EXPECT_EQ(tally.failures, 0) << "game " << tally.firstFailure << ": " << tally.failure;
    for (long seen : {tally.zapfest, tally.resumed, tally.refused, tally.frozen}) EXPECT_GT(seen, 0);
}
