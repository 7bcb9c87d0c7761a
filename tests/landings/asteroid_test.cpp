#include <array>
#include <map>
#include <string>
#include <vector>

#include "landings/asteroid.h"
#include "landings/station.h"
#include "landings/landing_test.h"

namespace {

using Names = std::vector<std::string>;

const std::string flatLand = "You are on a flat stretch of land, the stars are twinkling.\n";
const std::string inShip = "You are in your ship.\n";
const std::string clearing = "You are in a clearing at the entrance to your ship.\n";

std::string oxygenLine(int units) { return "You have " + std::to_string(units) + " units of oxygen.\n"; }

class Asteroid : public LandingTest {
protected:
    // The rocks already placed on their squares, none of them carried.
    void rocksOn(int diamond, int platinum, int gold)
    {
        mission.rocksPlaced = 1;
        mission.diamondSquare = diamond;
        mission.platinumSquare = platinum;
        mission.goldSquare = gold;
    }
    // All three rocks carried, so no square offers one.
    void rocksAllCarried()
    {
        rocksOn(1, 2, 3);
        mission.hasDiamond = mission.hasPlatinum = mission.hasGold = 1;
    }
};

// --- The move table ------------------------------------------------------------------------

// Where a move leads, or the refusal the player reads instead.
struct Outcome {
    int square = 0;
    const char* refusal = nullptr;
};

Outcome to(int square) { return {square}; }
const Outcome ravine{0, "\nYou cannot go that way, there is a deep ravine.\n"};
const Outcome barrier{0, "\nThere is a high barrier there, you cannot pass.\n"};
const Outcome ship{0, "\nThe ship is blocking your way.\n"};
const Outcome wall{0, "\nWatch out! You are walking into the wall.\n"};
const Outcome notInShip{0, "\nStop being silly!  You are not in yourship.\n"};

// The surface as the player knows it: for every mapped square, where N, S, E and W lead.
struct MapRow {
    int square;
    Outcome n, s, e, w;
};

const std::array<MapRow, 16> surface = {{
    {1, to(-3), to(5), to(2), ravine},
    {2, to(-2), to(6), to(3), to(1)},
    {3, to(-1), ship, to(4), to(2)},
    {4, to(0), to(8), barrier, to(3)},
    {5, to(1), to(9), to(6), ravine},
    {6, to(2), to(10), to(7), to(5)},
    {7, wall, wall, wall, to(6)},
    {8, to(4), to(12), barrier, ship},
    {9, to(5), to(13), to(10), ravine},
    {10, to(6), to(14), to(11), to(9)},
    {11, ship, to(15), to(12), to(10)},
    {12, to(8), to(16), barrier, to(11)},
    {13, to(9), to(17), to(14), ravine},
    {14, to(10), to(18), to(15), to(13)},
    {15, to(11), to(19), to(16), to(14)},
    {16, to(12), to(20), barrier, to(15)},
}};

Outcome outcomeOf(int square, char key)
{
    const MapRow& row = surface[static_cast<std::size_t>(square - 1)];
    switch (key) {
    case 'n': return row.n;
    case 's': return row.s;
    case 'e': return row.e;
    case 'w': return row.w;
    default: return square == 7 ? to(99) : notInShip;
    }
}

struct MoveCase {
    int square;
    char key;
};

std::vector<MoveCase> everyMove()
{
    std::vector<MoveCase> cases;
    for (int square = 1; square <= 16; ++square)
        for (char key : std::string("ewnsb")) cases.push_back({square, key});
    return cases;
}

class MoveTable : public Asteroid, public ::testing::WithParamInterface<MoveCase> {};

// Each move is pressed after a key that is no move, which costs nothing and brings the key
// list of the square. A refused move is followed by one the square accepts, since the reader
// asks again, without a prompt, until a move goes through. An accepted move's cost is the
// oxygen charged on arrival.
TEST_P(MoveTable, ResultTextAndOxygen)
{
    const auto [square, key] = GetParam();
    const Outcome outcome = outcomeOf(square, key);
    rocksAllCarried();
    mission.soundOn = 'y';
    console.queueKeys(std::string("x") + key);
    std::string expected = " ";
    expected += square == 7 ? "\nPress E, W, N, S, or B \x1e " : "\nPress E, W, N, or S \x1e ";
    expected += " ";
    int cost = 0;
    int returned = outcome.square;
    Names cues;

    if (outcome.refusal != nullptr) {
        expected += outcome.refusal;
        if (outcome.refusal == wall.refusal) {
            cues = {"trip"};
        } else {
            cost = 5;
            expected += oxygenLine(100);
        }
        char next = 'w';
        while (outcomeOf(square, next).refusal != nullptr) next = next == 'w' ? 'e' : 'n';
        console.queueKeys(std::string(1, next));
        returned = outcomeOf(square, next).square;
        expected += " ";
    }

    EXPECT_EQ(readMove(square), returned);
    if (outcome.refusal == nullptr && returned != 99) {
        showSquare(returned);
        if (returned != 7) {
            cost = 5;
            expected += oxygenLine(100);
        }
    }
    EXPECT_EQ(allWrites(), expected);
    EXPECT_EQ(105 - mission.oxygen, cost);
    EXPECT_EQ(shortNames(sounds()), cues);
    EXPECT_TRUE(console.scriptUsedUp());
}

INSTANTIATE_TEST_SUITE_P(EverySquareEveryKey, MoveTable, ::testing::ValuesIn(everyMove()),
                         [](const auto& info) {
                             return "Square" + std::to_string(info.param.square) + "Key" + info.param.key;
                         });

// Off the map the arithmetic goes on: the barrier holds north and south of the map, the
// ravine only south of it (north of the map, see the walk below).
struct OffMapCase {
    int square;
    char key;
    int to;  // 0 with refused: the barrier or the ravine
    bool refused;
};

class OffMap : public Asteroid, public ::testing::WithParamInterface<OffMapCase> {};

TEST_P(OffMap, MoveArithmetic)
{
    const auto [square, key, destination, refused] = GetParam();
    rocksAllCarried();
    console.queueKeys(std::string(1, key));
    if (refused) console.queueKeys("s");  // S is never refused off the map
    const int result = readMove(square);
    if (refused) {
        EXPECT_EQ(result, square + 4);
        EXPECT_EQ(mission.oxygen, 100);
    } else {
        EXPECT_EQ(result, destination);
        EXPECT_EQ(mission.oxygen, 105);
    }
}

INSTANTIATE_TEST_SUITE_P(OffTheMap, OffMap,
                         ::testing::Values(OffMapCase{17, 'w', 0, true}, OffMapCase{21, 'w', 0, true},
                                           OffMapCase{20, 'e', 0, true}, OffMapCase{18, 'w', 17, false},
                                           OffMapCase{-1, 'e', 0, false}, OffMapCase{-5, 'w', -6, false}));

// --- Descriptions --------------------------------------------------------------------------

struct GroundCase {
    int square;
    const char* cue;  // short name, or nullptr
    std::string text;
};

class Descriptions : public Asteroid, public ::testing::WithParamInterface<GroundCase> {};

TEST_P(Descriptions, CueThenText)
{
    const auto& [square, cueName, text] = GetParam();
    for (char sound : std::string("yn")) {
        console.clearLog();
        mission.soundOn = sound;
        describeSquare(square);
        EXPECT_EQ(allWrites(), text);
        Names expected;
        if (cueName != nullptr && sound == 'y') expected = {cueName};
        EXPECT_EQ(shortNames(sounds()), expected);
        if (!expected.empty()) {
            EXPECT_EQ(console.log().front(), played(cueName));  // the cue comes first
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EverySquare, Descriptions,
    ::testing::Values(
        GroundCase{1, "walk", "The terrain is  flat and granular here.\n"},
        GroundCase{2, nullptr, "You are near a ridge, it overlooks a quarry.\n"},
        GroundCase{3, nullptr, "You look up and see earth so far away \x1e\x1e you feel alone.\n"},
        GroundCase{4, nullptr, "It is dark, but you see mountains in the distance.\n"},
        GroundCase{5, nullptr, "The ground is soft and dips a bit here.\n"},
        GroundCase{6, nullptr, clearing},
        GroundCase{7, nullptr, inShip},
        GroundCase{8, "wolf",
                   "You think you heard something, you must be mistaken\nYou see a billion stars at the horizon\n"},
        GroundCase{9, nullptr, "You are in the shadow of a nearby hill.\n"},
        GroundCase{10, nullptr,
                   "The ground is hard and irregular here.\nYou think you saw movement in the distance.\n"},
        GroundCase{11, "trip", "You have tripped on something, but you are okay.\n"},
        GroundCase{12, nullptr, "The color and shade of the ground changes here.\n"},
        GroundCase{13, nullptr, "Visibility is poor at this point, some kind of haze.\n"},
        GroundCase{14, nullptr, "You have wandered into a partially enclosed alcove.\n"},
        GroundCase{15, nullptr, "Just emptiness all around, you feel lost.\n"},
        GroundCase{16, nullptr, "You are in a rocky area, walking is slow and difficult.\n"},
        GroundCase{0, nullptr, flatLand}, GroundCase{-3, nullptr, flatLand}, GroundCase{-8, nullptr, flatLand},
        GroundCase{17, nullptr, flatLand}, GroundCase{20, nullptr, flatLand},
        GroundCase{100, nullptr, flatLand}));

// --- Keys that are not moves ---------------------------------------------------------------

TEST_F(Asteroid, EscapeDeclinedCountsAsAnInvalidKey)
{
    rocksAllCarried();
    console.queueKey(keyEsc);
    console.queueKeys("n");  // stay in the game
    console.queueKey(keyCtrlC);
    console.queueKeys("nW");
    EXPECT_EQ(readMove(6), 5);
    EXPECT_TRUE(logHasRun({pressed(keyEsc), moved(1, 21), wrote(std::string(69, ' ')), moved(17, 21), paused(200),
                           wrote("Do you want to quit this game?  Y or N  "), pressed('n'), moved(17, 21),
                           wrote(std::string(29, ' ')), moved(17, 21), wrote(" \nPress E, W, N, or S \x1e "),
                           pressed(keyCtrlC)}));
    EXPECT_TRUE(logHasRun({pressed('n'), moved(17, 21), wrote(std::string(29, ' ')), moved(17, 21),
                           wrote(" \nPress E, W, N, or S \x1e "), pressed('W'), wrote(" ")}));
    EXPECT_EQ(mission.oxygen, 105);
}

// --- Oxygen ----------------------------------------------------------------------------------

TEST_F(Asteroid, TwentyChargesLeaveFiveAndTheTwentyFirstSuffocates)
{
    mission.soundOn = 'y';
    for (int charge = 1; charge <= 20; ++charge) {
        console.clearLog();
        chargeOxygen();
        ASSERT_EQ(mission.oxygen, 105 - 5 * charge);
        ASSERT_EQ(allWrites(), oxygenLine(105 - 5 * charge));
    }
    EXPECT_EQ(allWrites(), "You have 5 units of oxygen.\n");

    console.clearLog();
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { chargeOxygen(); }));
    EXPECT_EQ(mission.oxygen, 5);
    ASSERT_GE(console.log().size(), 4u);
    EXPECT_EQ(console.log()[0], paused(3000));
    EXPECT_EQ(console.log()[1], played("oxyg"));
    EXPECT_EQ(console.log()[2], cleared());
    EXPECT_EQ(console.log()[3], moved(1, 5));
    expectVerse(5, 13, "Oh no!  You have suffocated.", "But for now THIS MISSION IS OVER!");
    EXPECT_EQ(shortNames(sounds()), (Names{"oxyg", "exit"}));
}

TEST_F(Asteroid, ARefusalWithFiveUnitsLeftSuffocatesAfterItsMessage)
{
    rocksAllCarried();
    mission.oxygen = 5;
    console.queueKeys("e");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { readMove(4); }));
    EXPECT_TRUE(logHasRun({wrote(" " + std::string(barrier.refusal)), paused(3000)}));
}

// --- Rocks -----------------------------------------------------------------------------------

TEST_F(Asteroid, RockPlacementRerollsTheSquaresTaken)
{
    chance->face(7);                             // diamond: 7 becomes 8
    chance->face(8).face(7).face(3);             // platinum: 8 and 7 (8) are taken, then 3
    chance->face(3).face(8).face(7).face(16);    // gold: 3, 8, 8 again, then 16
    showSquare(7);
    EXPECT_EQ(mission.diamondSquare, 8);
    EXPECT_EQ(mission.platinumSquare, 3);
    EXPECT_EQ(mission.goldSquare, 16);
    EXPECT_EQ(mission.rocksPlaced, 1);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(mission.oxygen, 105);  // the ship costs nothing
    EXPECT_TRUE(writes().empty());

    showSquare(7);  // placed once per run: no draw (a draw would throw)
    EXPECT_EQ(mission.diamondSquare, 8);
}

TEST_F(Asteroid, RockPlacementOverManySeeds)
{
    chance.reset();
    std::map<int, int> diamondCount;
    int eightsForEveryRock = 0;
    constexpr int runs = 16000;
    for (int run = 0; run < runs; ++run) {
        mission = MissionState{};
        gameSrand(static_cast<std::uint32_t>(run) * 2654435761u + 12345u);
        showSquare(7);
        const int d = mission.diamondSquare, p = mission.platinumSquare, g = mission.goldSquare;
        for (int square : {d, p, g}) {
            ASSERT_GE(square, 1);
            ASSERT_LE(square, 16);
            ASSERT_NE(square, 7);
            if (square == 8) ++eightsForEveryRock;
        }
        ASSERT_NE(d, p);
        ASSERT_NE(d, g);
        ASSERT_NE(p, g);
        ++diamondCount[d];
    }
    // The diamond: 2 chances in 16 for square 8, 1 in 16 for each other square but 7.
    for (int square = 1; square <= 16; ++square) {
        if (square == 7 || square == 8) continue;
        EXPECT_NEAR(diamondCount[square], runs / 16, runs / 16 * 0.15) << "square " << square;
    }
    EXPECT_NEAR(diamondCount[8], runs / 8, runs / 8 * 0.12);
    // Some rock lies on 8 in 7 runs of 20 (1/8 + 7/8 * 2/15 + 7/8 * 13/15 * 2/14); with 8 no
    // likelier than any other square it would be 1 in 5.
    EXPECT_NEAR(eightsForEveryRock, runs * 0.35, runs * 0.03);
}

TEST_F(Asteroid, TakingARockRollsForRadioactivityBeforeItsCue)
{
    mission.soundOn = 'y';
    rocksOn(6, 5, 8);
    chance->face(12);
    console.queueKeys("xY");
    showSquare(5);
    EXPECT_EQ(allWrites(), oxygenLine(100) + "There is a gleaming rock here, it looks like platinum.\n" +
                               "Do you want to take it? Y or N   Do you want to take it? Y or N   " +
                               "\nOkay, you have it.\n");
    EXPECT_EQ(shortNames(sounds()), (Names{"rock"}));
    EXPECT_EQ(mission.hasPlatinum, 1);
    EXPECT_EQ(mission.hasDiamond + mission.hasGold, 0);

    console.clearLog();
    showSquare(5);  // carried: not shown again
    EXPECT_EQ(allWrites(), oxygenLine(95));
}

TEST_F(Asteroid, ARadioactiveRockEndsTheMissionBeforeItsCue)
{
    mission.soundOn = 'y';
    rocksOn(6, 5, 8);
    chance->face(13);
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { showSquare(8); }));
    EXPECT_EQ(shortNames(sounds()), (Names{"roen", "exit"}));
    EXPECT_EQ(allWrites().find("Okay, you have it."), std::string::npos);
    EXPECT_EQ(mission.hasGold, 0);
    EXPECT_TRUE(logHasRun({pressed('y'), wrote(" "), played("roen"), cleared(), moved(1, 5)}));
    expectVerse(5, 12, "Oh no!  The rock was radioactive.", "And THIS MISSION IS FINISHED!");
}

TEST_F(Asteroid, DecliningARockRollsNothingAndLeavesIt)
{
    rocksOn(6, 5, 8);
    console.queueKeys("n");
    showSquare(6);  // no draw queued: a roll would throw
    EXPECT_EQ(allWrites(), oxygenLine(100) + "You see a sparkling rock, it looks like a diamond.\n" +
                               "Do you want to take it? Y or N   \nAll right, move on.\n");
    EXPECT_EQ(mission.hasDiamond, 0);

    console.clearLog();
    console.queueKeys("n");
    showSquare(6);
    EXPECT_EQ(allWrites(), oxygenLine(95) + "You see a sparkling rock, it looks like a diamond.\n" +
                               "Do you want to take it? Y or N   \nAll right, move on.\n");
}

// --- Whole visits ----------------------------------------------------------------------------

TEST_F(Asteroid, ApproachAndDecline)
{
    mission.soundOn = 'y';
    console.queueKeys("xN");
    gotoColRow(1, 5);
    asteroidEncounter();
    EXPECT_EQ(rows(5, 6), (std::vector<std::string>{"You are approaching a large asteroid.",
                                                    "It looks parched and barren."}));
    EXPECT_EQ(console.at(17, 21, 30), "Do you want to land?  Y or N  ");
    const std::vector<LogEntry> prompt = {moved(17, 21), wrote(std::string(29, ' ')), moved(17, 21), paused(200),
                                          wrote("Do you want to land?  Y or N  ")};
    std::vector<LogEntry> twice = prompt;
    twice.push_back(pressed('x'));
    twice.insert(twice.end(), prompt.begin(), prompt.end());
    twice.push_back(pressed('N'));
    EXPECT_TRUE(logHasRun(twice));
    EXPECT_EQ(shortNames(sounds()), (Names{"aste"}));
    EXPECT_EQ(chance->taken(), 0);
    EXPECT_EQ(mission.rocksPlaced, 0);
}

// Land, walk out of the ship and north off the map, west to -3 and -4, where the barrier
// stands east, back south over the top row and into the ship, and blast off.
TEST_F(Asteroid, WalkOffTheMapAndBack)
{
    mission.soundOn = 'y';
    chance->face(1);                          // landing
    chance->face(16).face(15).face(14);       // the rocks, far from the path
    for (int move = 0; move < 12; ++move) chance->face(move % 2 == 0 ? 12 : 14);  // no cliff
    chance->face(1);                          // blast-off
    console.queueKeys("y" "wnnwweseswwseb");
    gotoColRow(1, 5);
    asteroidEncounter();

    const std::string walk = textAfterClear(2);
    const std::string expected =
        "Very smooth landing.\n"
        "The rocky landscape is dimly lit by the stars.\n"
        "Your options are E, W, N, or S, for direction of movement, or B to blast off.\n" +
        // each arrival, then the key pressed there
        inShip + " " +                                                                       // 7, W
        clearing + oxygenLine(100) + " " +                                                   // 6, N
        "You are near a ridge, it overlooks a quarry.\n" + oxygenLine(95) + " " +            // 2, N
        flatLand + oxygenLine(90) + " " +                                                    // -2, W
        flatLand + oxygenLine(85) + " " +                                                    // -3, W
        flatLand + oxygenLine(80) + " " +                                                    // -4, E
        barrier.refusal + oxygenLine(75) + " " +                                             // S
        flatLand + oxygenLine(70) + " " +                                                    // 0, E
        barrier.refusal + oxygenLine(65) + " " +                                             // S
        "It is dark, but you see mountains in the distance.\n" + oxygenLine(60) + " " +      // 4, W
        "You look up and see earth so far away \x1e\x1e you feel alone.\n" + oxygenLine(55) + " " +  // 3, W
        "You are near a ridge, it overlooks a quarry.\n" + oxygenLine(50) + " " +            // 2, S
        clearing + oxygenLine(45) + " " +                                                    // 6, E
        inShip + " ";                                                                        // 7, B
    EXPECT_EQ(walk, expected);
    EXPECT_EQ(mission.oxygen, 45);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(rows(5, 6), (std::vector<std::string>{"Pretty cool blastoff!",
                                                    "You are on your way again space traveller."}));
    EXPECT_EQ(shortNames(sounds()), (Names{"aste", "lago", "stup", "blof"}));
    EXPECT_EQ(console.clears(), 3);
}

// The rocks keep their squares and the oxygen only falls: a second landing finds what the
// first left, with no new placement.
TEST_F(Asteroid, ASecondLandingFindsTheSameRocksAndTheOxygenLeft)
{
    chance->face(1);                    // landing
    chance->face(6).face(5).face(9);    // diamond 6, platinum 5, gold 9
    chance->face(1);                    // cliff after W to 6
    chance->face(2);                    // the diamond is not radioactive
    chance->face(1).face(1);            // cliff after E to 7 and after B
    chance->face(1);                    // blast-off
    console.queueKeys("y" "w" "y" "eb");
    asteroidEncounter();
    EXPECT_EQ(mission.hasDiamond, 1);
    EXPECT_EQ(mission.oxygen, 100);

    console.clearLog();
    chance->face(1);                        // landing, and no placement
    for (int move = 0; move < 5; ++move) chance->face(1);
    chance->face(1);                        // blast-off
    console.queueKeys("y" "ww" "n" "eeb");
    asteroidEncounter();
    const std::string walk = textAfterClear(2);
    EXPECT_NE(walk.find(clearing + oxygenLine(95) + " " + "The ground is soft and dips a bit here.\n" + oxygenLine(90) +
                        "There is a gleaming rock here, it looks like platinum.\n"),
              std::string::npos)
        << walk;
    EXPECT_EQ(walk.find("diamond"), std::string::npos);
    EXPECT_EQ(mission.oxygen, 85);
    EXPECT_EQ(mission.diamondSquare, 6);
    EXPECT_EQ(mission.platinumSquare, 5);
    EXPECT_EQ(mission.goldSquare, 9);
    EXPECT_EQ(mission.hasPlatinum, 0);
    EXPECT_EQ(chance->left(), 0u);
}

// --- The cliff -------------------------------------------------------------------------------

TEST_F(Asteroid, TheCliffFollowsTheMoveBeforeTheNewSquare)
{
    mission.soundOn = 'y';
    chance->face(1);
    chance->face(16).face(15).face(14);
    chance->face(13);  // W to 6
    console.queueKeys("yw");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { asteroidEncounter(); }));
    EXPECT_EQ(mission.oxygen, 105);  // square 6 was never reached
    EXPECT_EQ(textAfterClear(2).find(clearing), std::string::npos);
    EXPECT_EQ(shortNames(sounds()), (Names{"aste", "lago", "clif", "exit"}));
    expectVerse(5, 12, "Oh no!  You fell off a cliff.", "And THIS MISSION IS HISTORY!");
}

TEST_F(Asteroid, TheShipIsSafeFromTheCliffButTheBlastOffRequestIsNot)
{
    mission.soundOn = 'y';
    chance->face(1);
    chance->face(16).face(15).face(14);
    chance->face(1);   // W to 6
    chance->face(13);  // E into the ship: safe
    chance->face(13);  // B: the blast-off request is a move like any other
    console.queueKeys("y" "wexb");  // the x costs nothing and rolls nothing
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { asteroidEncounter(); }));
    EXPECT_EQ(chance->left(), 0u);  // no blast-off roll after the fall
    EXPECT_EQ(shortNames(sounds()), (Names{"aste", "lago", "clif", "exit"}));
    expectVerse(5, 12, "Oh no!  You fell off a cliff.", "And THIS MISSION IS HISTORY!");
}

TEST_F(Asteroid, ARefusedMoveRollsNoCliff)
{
    chance->face(1);
    chance->face(16).face(15).face(14);
    chance->face(13);  // the only cliff roll, after B
    console.queueKeys("y" "ensb");  // three bumps into the wall, then B
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { asteroidEncounter(); }));
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(mission.oxygen, 105);
}

// --- Crashes ---------------------------------------------------------------------------------

class AsteroidCrash : public Asteroid, public ::testing::WithParamInterface<int> {};

TEST_P(AsteroidCrash, LandingCrashesOnlyOnThirteen)
{
    const int face = GetParam();
    mission.soundOn = 'y';
    chance->face(face);
    console.queueKeys("y");
    if (face == 13) {
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { asteroidEncounter(); }));
        EXPECT_EQ(shortNames(sounds()), (Names{"aste", "lago", "expl", "exit"}));
        EXPECT_EQ(console.clears(), 2);
        expectVerse(3, 10, "Oh no!  You crashed into a million pieces.", "But THIS MISSION IS OVER!");
        EXPECT_EQ(mission.rocksPlaced, 0);
    } else {
        chance->face(16).face(15).face(14).face(1).face(1);
        console.queueKeys("b");
        asteroidEncounter();
        EXPECT_EQ(shortNames(sounds()), (Names{"aste", "lago", "stup", "blof"}));
        EXPECT_EQ(textAfterClear(2).substr(0, 21), "Very smooth landing.\n");
    }
}

TEST_P(AsteroidCrash, BlastOffCrashesOnlyOnThirteen)
{
    const int face = GetParam();
    mission.soundOn = 'y';
    chance->face(face);
    if (face == 13) {
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends([] { asteroidBlastOff(); }));
        EXPECT_EQ(shortNames(sounds()), (Names{"stup", "blof", "expl", "exit"}));
        EXPECT_TRUE(logHasRun({played("expl"), cleared(), moved(1, 3)}));
        expectVerse(3, 10, "Oh no!  You have crashed on blastoff.", "But THIS MISSION IS OVER!");
    } else {
        asteroidBlastOff();
        EXPECT_EQ(shortNames(sounds()), (Names{"stup", "blof"}));
        EXPECT_TRUE(logHasRun({cleared(), moved(1, 5),
                               wrote("Pretty cool blastoff!\nYou are on your way again space traveller.\n")}));
    }
}

INSTANTIATE_TEST_SUITE_P(DieOfTwenty, AsteroidCrash, ::testing::Values(1, 12, 13, 14, 20));

}  // namespace
