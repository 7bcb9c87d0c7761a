// The asteroid: the rules of its moves over every square and key, the rocks' squares, the oxygen.
#include "landings/asteroid.h"

#include <map>
#include <numeric>
#include <set>

#include "support/game_test.h"

// Every key on every mapped square and a few off the map: an accepted move stays in its row of
// the map going east or west, the ship is entered only from its clearing (6) and left only to
// the west, B blasts off only from the ship; a refused move is told in one line of its own,
// and the refusals are five different ones (B outside, barrier, ship in the way, ravine, wall).
TEST_F(GameTest, MovesOverTheWholeMap)
{
    std::set<std::string> refusals;
    for (int square = -6; square <= 22; ++square)
        for (const char key : std::string("ewnsb")) {
            SetUp();  // oxygen 105
            console.queueKey(key);
            int to = 0;
            try {
                to = readMove(square);
            } catch (const ScriptExhausted&) {
                // The key's blank on row 1, the refusal on a line of its own, then the oxygen left.
                const std::string refusal = console.rowText(2);
                EXPECT_EQ(console.rowText(1), "") << refusal;
                EXPECT_EQ(console.rowText(3), mission.oxygen == 100 ? "You have 100 units of oxygen." : "") << refusal;
                EXPECT_EQ(mission.oxygen, refusal.find("wall") == std::string::npos ? 100 : 105) << refusal;
                refusals.insert(refusal);
                continue;
            }
            const std::string where = std::string(1, key) + " from " + std::to_string(square);
            EXPECT_EQ(mission.oxygen, 105) << where;
            EXPECT_EQ(to == blastOffMove, key == 'b' && square == shipSquare) << where;
            if (square >= 1 && square <= 16 && (key == 'e' || key == 'w')) { EXPECT_EQ((to - 1) / 4, (square - 1) / 4) << where; }
            if (to == shipSquare) { EXPECT_EQ(square, 6) << where; }
            if (square == shipSquare) { EXPECT_TRUE(key == 'w' || key == 'b') << where; }
        }
    EXPECT_EQ(refusals.size(), 5u);
}

// Each of the map's 16 squares has a description of its own, and every place off the map the
// same flat land, told the same way at each arrival.
TEST_F(GameTest, EachSquareOfTheMapHasItsOwnGround)
{
    std::map<std::string, std::set<int>> squaresOf;  // description (with its cue) -> squares
    for (const int square : {-5, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 40, 1, 16}) {
        SetUp();
        describeSquare(square);
        const std::vector<std::string> cues = sounds(), lines = writes();
        squaresOf[std::accumulate(cues.begin(), cues.end(), std::string()) + "|" + std::accumulate(lines.begin(), lines.end(), std::string())].insert(square);
    }
    EXPECT_EQ(squaresOf.size(), 17u);
    const std::set<int> offTheMap{-5, 0, 17, 40};
    for (const auto& [ground, squares] : squaresOf) {
        const int first = *squares.begin();
        EXPECT_TRUE(squares.size() == 1 ? first >= 1 && first <= 16 : squares == offTheMap) << ground;
    }
}

// Rocks lie on three different squares, rerolled off one another, the ship's square read as 8,
// and the visit that places them shows the rock at once. The rocks taken, left and radioactive
// are worked examples of the paths (tests/mission/paths_test.cpp).
TEST_F(GameTest, RocksLieOnThreeSquares)
{
    // Diamond 3 (18 shows 3 on a die of 16 only), platinum 5, gold rerolled off 5 and 3 to the
    // ship's 7, read as 8.
    chance->push(18).face(5).face(5).face(3).face(7);
    console.queueKeys("n");
    chargeOxygenAndOfferRock(3);
    EXPECT_EQ(std::tuple(mission.diamondSquare, mission.platinumSquare, mission.goldSquare), std::tuple(3, 5, 8));
    EXPECT_EQ(console.rowText(2), "You see a sparkling rock, it looks like a diamond.");
}
