// The asteroid: the rules of its moves over every square and key, and a rock found on a walk.
#include "landings/asteroid.h"

#include <set>

#include "support/trace.h"

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
    EXPECT_EQ(refusals.size(), 5u);
}

// Rocks lie on three different squares, the ship's square read as 8, and the visit that places
// them shows the rock at once. A rock declined stays; taken, it rolls for radioactivity, plays
// its cue and is not offered again; a roll of 13 ends the mission before the cue.
TEST_F(GameTest, RocksLieOnThreeSquaresDeclinedTakenOrRadioactive)
{
    mission.soundOn = 'y';
    // Diamond 3 (18 shows 3 on a die of 16 only), platinum 5, gold rerolled off 5 and 3 to the
    // ship's 7, read as 8; then the roll of the taking.
    chance->push(18).face(5).face(5).face(3).face(7).face(12);
    console.queueKeys("nxY");
    for (int visit = 0; visit < 3; ++visit) chargeOxygenAndOfferRock(3);
    EXPECT_EQ(std::tuple(mission.diamondSquare, mission.platinumSquare, mission.goldSquare), std::tuple(3, 5, 8));
    const std::string text = textAfterClear(console);
    EXPECT_NE(text.find("\nAll right, move on.\nYou have 95 units"), std::string::npos) << text;
    EXPECT_NE(text.find("\nOkay, you have it.\nYou have 90 units of oxygen.\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("diamond", text.find("Okay")), std::string::npos);  // not offered again
    EXPECT_EQ(shortNames(sounds()), std::vector<std::string>{"rock"});
    EXPECT_EQ(std::tuple(mission.hasDiamond, chance->left()), std::tuple(1, 0u));
    chance->face(13);
    console.queueKeys("y\x1b");
    EXPECT_TRUE(ends([] { chargeOxygenAndOfferRock(8); }));  // the gold
    EXPECT_TRUE(logHasRun(console, {pressed('y'), wrote(" "), played("roen"), cleared()}));
}

// A visit from the landing to the blast-off: W to the clearing, E back to the ship, then B. Only
// a move that ends off the ship can end at a cliff's edge (13 on a die of 100). The blast-off's
// 33 shows 14 on its die of 20, and 13 (a crash) on a die of 21.
TEST_F(GameTest, AVisitFromTheLandingToTheBlastOffOrOverACliff)
{
    for (int afterW : {13, 1}) {
        SetUp();
        chance->face(1).face(1).face(2).face(3);  // the landing, then the rocks on 1, 2 and 3
        chance->face(afterW).face(13).face(1).push(33);
        console.queueKeys("yweb");
        console.queueKey(keyEsc);  // the last screen of an ending
        EXPECT_EQ(ends(asteroidEncounter), afterW == 13);
        if (afterW == 13) {
            EXPECT_EQ(console.rowText(5), "Oh no!  You fell off a cliff.");
            continue;
        }
        EXPECT_EQ(rows(5, 6), (std::vector<std::string>{"Pretty cool blastoff!", "You are on your way again space traveller."}));
        EXPECT_EQ(std::tuple(mission.oxygen, chance->left()), std::tuple(100, 0u));
    }
}

TEST_F(GameTest, TheLastOxygenSuffocates)
{
    mission.oxygen = 10;
    console.queueKeys("\x1b");
    EXPECT_FALSE(ends(chargeOxygen));
    EXPECT_TRUE(ends(chargeOxygen));
}
