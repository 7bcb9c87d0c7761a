// Chance: the generator's recurrence, the die and the no-repeat decks.
#include <array>
#include <set>

#include "support/game_test.h"

namespace {

using Chance = GameTest;

TEST_F(Chance, GeneratorSeedAndDie)
{
    chance.reset();
    gameSrand(1);  // 1 * 214013 + 2531011 = 2745024, bits 16..30 = 41
    EXPECT_EQ(gameRand(), 41);
    EXPECT_EQ(gameRand(), 18467);
    console.seedSeconds = 12345;
    seedChance();
    const int first = gameRand();
    gameSrand(12345);
    EXPECT_EQ(first, gameRand());
    chance.emplace();
    chance->push(0).push(9).push(32767).push(12345);
    for (auto [sides, face] : {std::pair{10, 1}, {10, 10}, {1, 1}, {100, 46}}) {
        rollDie(sides);
        EXPECT_EQ(mission.dieRoll, face) << sides;
    }
}

// Dealt kinds pass the roll upward to the next free kind, scanning again until nothing moves,
// and past 20 to the lowest free one; after twenty a new cycle starts (that every cycle deals
// each kind once is the property below).
TEST_F(Chance, DealGivesTheNextFreeKind)
{
    const std::vector<std::tuple<std::vector<int>, int, int>> cases = {
        {{}, 7, 7}, {{3, 4, 5}, 3, 6}, {{5, 4}, 4, 6}, {{20, 1, 2}, 20, 3}, {{19, 20, 1}, 19, 2}};
    for (const auto& [dealt, roll, kind] : cases) {
        mission.eventDeck = NoRepeatDeck{};
        std::copy(dealt.begin(), dealt.end(), mission.eventDeck.cards.begin());
        mission.eventDeck.last = std::max(0, static_cast<int>(dealt.size()) - 1);
        chance->face(roll);
        drawEventCard();
        EXPECT_EQ(mission.dieRoll, kind) << roll;
        EXPECT_EQ(mission.eventDeck.last, static_cast<int>(dealt.size()));
        EXPECT_TRUE(deckIsValid(mission.eventDeck));
    }
}

TEST_F(Chance, EveryCycleOfTwentyDealsEachKindOnce)
{
    chance.reset();
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        gameSrand(seed);
        mission.eraDeck = NoRepeatDeck{};
        for (int cycle = 0; cycle < 3; ++cycle) {
            std::set<int> seen;
            for (int draw = 0; draw < 20; ++draw) {
                drawEraCard();
                ASSERT_TRUE(deckIsValid(mission.eraDeck));
                seen.insert(mission.dieRoll);
            }
            ASSERT_EQ(seen.size(), 20u) << "seed " << seed;
            ASSERT_EQ(*seen.begin(), 1);
        }
    }
}

// A deck is sound when the slots up to `last` hold distinct kinds of 1..20 and the rest are empty.
TEST(Deck, OnlySoundDecksAreValid)
{
    const std::vector<std::tuple<std::array<std::int32_t, 20>, int, bool>> decks = {
        {{}, 0, true},      {{4, 9}, 1, true}, {{4, 9}, 2, false}, {{4, 9}, 0, false},
        {{4, 4}, 1, false}, {{21}, 0, false},  {{}, 20, false},    {{}, -1, false}};
    for (const auto& [cards, last, sound] : decks) {
        NoRepeatDeck deck{cards, last};
        EXPECT_EQ(deckIsValid(deck), sound) << "last " << last << ", cards " << cards[0] << " " << cards[1];
    }
}

}  // namespace
