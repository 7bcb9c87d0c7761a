#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <tuple>

#include "support/game_test.h"

namespace {

class ChanceTest : public GameTest {};

TEST(Generator, FollowsTheLinearCongruentialRecurrence)
{
    gameSrand(1);
    // state 1 -> 1*214013+2531011 = 2745024, bits 16..30 = 41
    EXPECT_EQ(gameRand(), 41);
    EXPECT_EQ(gameRand(), 18467);
    EXPECT_EQ(gameRand(), 6334);
    gameSrand(0xFFFFFFFFu);
    const int value = gameRand();
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 32767);
}

TEST_F(ChanceTest, SeedComesFromTheCalendarClockOnce)
{
    chance.reset();
    console.seedSeconds = 12345;
    seedChance();
    const int first = gameRand();
    gameSrand(12345);
    EXPECT_EQ(first, gameRand());
}

TEST_F(ChanceTest, RollDieMapsRawResultsOntoFaces)
{
    chance->push(0).push(9).push(32767).push(12345);
    rollDie(10);
    EXPECT_EQ(mission.dieRoll, 1);
    rollDie(10);
    EXPECT_EQ(mission.dieRoll, 10);
    rollDie(1);
    EXPECT_EQ(mission.dieRoll, 1);
    rollDie(100);
    EXPECT_EQ(mission.dieRoll, 46);
}

TEST_F(ChanceTest, UsedKindsPassTheRollUpwardToTheNextFreeKind)
{
    // With 3, 4 and 5 dealt, kind 6 takes the rolls 3, 4, 5 and 6.
    for (int roll : {3, 4, 5, 6}) {
        mission.eventDeck = NoRepeatDeck{};
        mission.eventDeck.cards = {3, 4, 5};
        mission.eventDeck.last = 2;
        chance->face(roll);
        drawEventCard();
        EXPECT_EQ(mission.dieRoll, 6) << "roll " << roll;
        EXPECT_EQ(mission.eventDeck.cards[3], 6);
        EXPECT_EQ(mission.eventDeck.last, 3);
    }
}

TEST_F(ChanceTest, ScansRepeatUntilNothingChanges)
{
    // The first scan meets 5 before 4 has moved the roll onto it: 4 -> 5 only on the next scan.
    mission.eventDeck.cards = {5, 4};
    mission.eventDeck.last = 1;
    chance->face(4);
    drawEventCard();
    EXPECT_EQ(mission.dieRoll, 6);
}

TEST_F(ChanceTest, NineteenDealtLeaveOnlyTheTwentieth)
{
    for (int missing : {20, 19, 1}) {
        mission.eventDeck = NoRepeatDeck{};
        int slot = 0;
        for (int kind = 1; kind <= 20; ++kind)
            if (kind != missing) mission.eventDeck.cards[static_cast<std::size_t>(slot++)] = kind;
        mission.eventDeck.last = 18;
        for (int roll : {1, 13, 20}) {
            NoRepeatDeck saved = mission.eventDeck;
            chance->face(roll);
            drawEventCard();
            EXPECT_EQ(mission.dieRoll, missing) << "missing " << missing << " roll " << roll;
            EXPECT_EQ(mission.eventDeck.last, 19);
            mission.eventDeck = saved;
        }
    }
}

TEST_F(ChanceTest, RollOfTwentyOnADealtTwentyWrapsToTheLowestFreeKind)
{
    mission.eventDeck.cards = {20, 1, 2};
    mission.eventDeck.last = 2;
    chance->face(20);
    drawEventCard();
    EXPECT_EQ(mission.dieRoll, 3);
}

TEST_F(ChanceTest, TheTwentyFirstDrawStartsANewCycle)
{
    for (int i = 0; i < 20; ++i) mission.eventDeck.cards[static_cast<std::size_t>(i)] = i + 1;
    mission.eventDeck.last = 19;
    chance->face(20);
    drawEventCard();
    EXPECT_EQ(mission.dieRoll, 20);  // may repeat the kind dealt last
    EXPECT_EQ(mission.eventDeck.last, 0);
    EXPECT_EQ(mission.eventDeck.cards[0], 20);
    for (int i = 1; i < 20; ++i) EXPECT_EQ(mission.eventDeck.cards[static_cast<std::size_t>(i)], 0);
}

TEST_F(ChanceTest, EveryCycleOfTwentyIsAPermutationOverManySeeds)
{
    chance.reset();
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
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
        }
    }
}

// A deck is sound when the slots up to `last` hold distinct kinds of 1..20 and the rest are empty.
TEST(DeckInvariants, AcceptOnlySoundDecks)
{
    const std::vector<std::tuple<std::array<std::int32_t, 20>, int, bool>> decks = {
        {{}, 0, true},      {{4, 9}, 1, true}, {{4, 9}, 2, false}, {{4, 9}, 0, false},
        {{4, 4}, 1, false}, {{21}, 0, false},  {{}, 20, false},    {{}, -1, false},
    };
    for (const auto& [cards, last, sound] : decks) {
        NoRepeatDeck deck;
        deck.cards = cards;
        deck.last = last;
        EXPECT_EQ(deckIsValid(deck), sound) << "last " << last << ", first cards " << cards[0] << " " << cards[1];
    }
}

}  // namespace
