// Chance: the generator's recurrence, the die and the no-repeat decks (which decks are sound
// is the frozen game's reader table).
#include <array>
#include <set>

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
// and past 20 to the lowest free one; after twenty a new cycle starts (that every cycle deals
// each kind once is the property below). Each case: the kinds dealt and their count, the roll,
// the kind it deals.
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

TEST_F(Chance, EveryCycleOfTwentyDealsEachKindOnce)
{
    chance.reset();
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        gameSrand(seed);
        mission.eraDeck = NoRepeatDeck{};
        std::set<int> seen;  // the kinds of this cycle
        for (int draw = 0; draw < 60; ++draw) {
            if (draw % 20 == 0) seen.clear();
            drawEraCard();
            ASSERT_TRUE(deckIsValid(mission.eraDeck));  // so the kind is one of 1..20
            ASSERT_TRUE(seen.insert(mission.dieRoll).second) << "seed " << seed << ", draw " << draw;
        }
    }
}
