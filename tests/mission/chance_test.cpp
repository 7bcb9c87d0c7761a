// Chance: the generator's recurrence, the die and the no-repeat decks (which decks are sound
// is the frozen game's reader table; that no deal repeats a card within a cycle, the monkey's).
#include <array>

#include "support/game_test.h"

using Chance = GameTest;
using Cards = std::array<std::int32_t, 20>;

TEST_F(Chance, GeneratorSeedAndDie)
{
    chance.reset();
    console.seedSeconds = 2;  // the calendar's seconds seed the generator
    seedChance();
    EXPECT_EQ(gameRand(), 45);  // 2 * 214013 + 2531011 = 2959037, bits 16..30
    EXPECT_EQ(gameRand(), 29216);
    rollDie(100);  // the next draw is 24198
    EXPECT_EQ(mission.dieRoll, 99);
}

// Dealt kinds pass the roll upward to the next free kind, scanning again until nothing moves,
// and past 20 to the lowest free one. Each case: the kinds dealt and their count, the roll, the
// kind it deals.
TEST_F(Chance, DealGivesTheNextFreeKind)
{
    for (auto [dealt, count, roll, kind] : {std::tuple{Cards{}, 0, 7, 7}, {Cards{3, 4, 5}, 3, 3, 6}, {Cards{5, 4}, 2, 4, 6},
                                            {Cards{20, 1, 2}, 3, 20, 3}, {Cards{19, 20, 1}, 3, 19, 2}}) {
        mission.eventDeck = NoRepeatDeck{dealt, std::max(0, count - 1)};
        chance->face(roll);
        drawEventCard();
        EXPECT_EQ(mission.dieRoll, kind) << roll;
        EXPECT_EQ(mission.eventDeck.last, count);
    }
}
