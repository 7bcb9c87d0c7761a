// The asteroid: the rules of its moves over every square and key, and a rock found on a walk.
#include "landings/asteroid.h"

#include <set>

#include "support/trace.h"

namespace {

// Every key on every mapped square and a few off the map: an accepted move stays in its row of
// the map going east or west, the ship is entered only from its clearing (6) and left only to
// the west, B blasts off only from the ship; a refused move is told in one line of its own,
// and the refusals are five different ones (B outside, barrier, ship in the way, ravine, wall).
TEST_F(GameTest, MovesOverTheWholeMap)
{
    std::set<std::string> refusals;
    for (int square = -6; square <= 22; ++square) {
        for (const char key : std::string("ewnsb")) {
            SetUp();  // oxygen 105
            console.queueKey(key);
            int to = 0;
            try {
                to = readMove(square);
            } catch (const ScriptExhausted&) {
                const std::string text = textAfterClear(console);  // the key's blank, then the refusal
                const std::string refusal = text.substr(1, text.find('\n', 2));
                EXPECT_EQ(refusal.front() + refusal.back(), 2 * '\n') << text;  // a line of its own
                EXPECT_EQ(mission.oxygen, refusal.find("wall") == std::string::npos ? 100 : 105) << text;
                EXPECT_LE(refusal.size(), 81u);
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
    }
    EXPECT_EQ(refusals.size(), 5u);
}

// A rock declined stays; taken, it rolls for radioactivity, plays its cue and is not offered
// again; a roll of 13 ends the mission before the cue.
TEST_F(GameTest, ARockDeclinedTakenAndRadioactive)
{
    mission.soundOn = 'y';
    mission.rocksPlaced = 1;
    mission.diamondSquare = 6, mission.platinumSquare = 5, mission.goldSquare = 8;
    console.queueKeys("nxY");
    chance->face(12);
    for (int visit = 0; visit < 3; ++visit) showSquare(6);
    const std::string text = textAfterClear(console);
    EXPECT_NE(text.find("\nAll right, move on.\nYou have 95 units"), std::string::npos) << text;
    EXPECT_NE(text.find("\nOkay, you have it.\nYou have 90 units of oxygen.\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("diamond", text.find("Okay")), std::string::npos);  // not offered again
    EXPECT_EQ(shortNames(sounds()), std::vector<std::string>{"rock"});
    EXPECT_EQ(mission.hasDiamond, 1);
    chance->face(13);
    console.queueKeys("y\x1b");
    EXPECT_TRUE(ends([] { showSquare(8); }));
    EXPECT_TRUE(logHasRun(console, {pressed('y'), wrote(" "), played("roen"), cleared()}));
}

// Rocks lie on three different squares, the ship's square read as 8; a rock found there is
// offered at once.
TEST_F(GameTest, RocksLieOnThreeSquaresNeverTheShips)
{
    chance->push(18).face(3).face(5).face(5).face(3).face(7);  // 3 on a die of 16 only; then repeats
    console.queueKeys("n");
    showSquare(8);
    EXPECT_EQ(std::tuple(mission.diamondSquare, mission.platinumSquare, mission.goldSquare), std::tuple(3, 5, 8));
    EXPECT_NE(textAfterClear(console).find("gold"), std::string::npos);
    EXPECT_EQ(chance->left(), 0u);
}

// 33 shows 14 on the blast-off's die of 20, and 13 (a crash) on a die of 21.
TEST_F(GameTest, ABlastOffFromTheAsteroid)
{
    chance->push(33);
    asteroidBlastOff();
    EXPECT_EQ(rows(5, 6), (std::vector<std::string>{"Pretty cool blastoff!", "You are on your way again space traveller."}));
}

TEST_F(GameTest, TheLastOxygenSuffocates)
{
    mission.oxygen = 10;
    console.queueKeys("\x1b");
    EXPECT_FALSE(ends(chargeOxygen));
    EXPECT_TRUE(ends(chargeOxygen));
}

}  // namespace
