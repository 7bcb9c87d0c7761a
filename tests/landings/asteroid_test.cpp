#include "support/trace.h"

#include <array>
#include <map>
#include <string>
#include <vector>

#include "landings/asteroid.h"

namespace {

using Names = std::vector<std::string>;

const std::string flatLand = "You are on a flat stretch of land, the stars are twinkling.\n";
const std::string inShip = "You are in your ship.\n";
const std::string clearing = "You are in a clearing at the entrance to your ship.\n";

std::string oxygenLine(int units) { return "You have " + std::to_string(units) + " units of oxygen.\n"; }

class Asteroid : public GameTest {
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
    // A landing with the rocks far from the ship (16, 15, 14), then one safe roll per move.
    void landFarFromTheRocks(const std::vector<int>& cliffRolls)
    {
        chance->face(1).face(16).face(15).face(14);
        for (int face : cliffRolls) chance->face(face);
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
    {1, to(-3), to(5), to(2), ravine},       {2, to(-2), to(6), to(3), to(1)},
    {3, to(-1), ship, to(4), to(2)},         {4, to(0), to(8), barrier, to(3)},
    {5, to(1), to(9), to(6), ravine},        {6, to(2), to(10), to(7), to(5)},
    {7, wall, wall, wall, to(6)},            {8, to(4), to(12), barrier, ship},
    {9, to(5), to(13), to(10), ravine},      {10, to(6), to(14), to(11), to(9)},
    {11, ship, to(15), to(12), to(10)},      {12, to(8), to(16), barrier, to(11)},
    {13, to(9), to(17), to(14), ravine},     {14, to(10), to(18), to(15), to(13)},
    {15, to(11), to(19), to(16), to(14)},    {16, to(12), to(20), barrier, to(15)},
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
// list of the square. A refused move costs a charge of oxygen at once (but for the ship's wall,
// which trips the player instead) and is followed by a move the square accepts, since the
// reader asks again, without a prompt, until a move goes through. (Arrivals are charged on the
// walks below.)
TEST_P(MoveTable, ResultTextAndOxygen)
{
    const auto [square, key] = GetParam();
    const Outcome outcome = outcomeOf(square, key);
    const bool bump = outcome.refusal == wall.refusal, charged = outcome.refusal != nullptr && !bump;
    char next = key;
    while (outcomeOf(square, next).refusal != nullptr) next = next == 'w' ? 'e' : next == 'e' ? 'n' : 'w';
    rocksAllCarried();
    mission.soundOn = 'y';
    console.queueKeys(std::string("x") + key + (next == key ? "" : std::string(1, next)));
    EXPECT_EQ(readMove(square), outcomeOf(square, next).square);
    std::string expected = std::string(" ") + (square == 7 ? "\nPress E, W, N, S, or B \x1e " : "\nPress E, W, N, or S \x1e ") + " ";
    if (outcome.refusal != nullptr) expected += outcome.refusal + (charged ? oxygenLine(100) : "") + " ";
    EXPECT_EQ(textAfterClear(console), expected);
    EXPECT_EQ(mission.oxygen, charged ? 100 : 105);
    EXPECT_EQ(shortNames(sounds()), bump ? Names{"trip"} : Names{});
    EXPECT_TRUE(console.scriptUsedUp());
}

INSTANTIATE_TEST_SUITE_P(EverySquareEveryKey, MoveTable, ::testing::ValuesIn(everyMove()), [](const auto& info) {
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
    console.queueKeys(std::string(1, key) + (refused ? "s" : ""));  // S is never refused off the map
    EXPECT_EQ(readMove(square), refused ? square + 4 : destination);
    EXPECT_EQ(mission.oxygen, refused ? 100 : 105);
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
        EXPECT_EQ(textAfterClear(console), text);
        const Names cues = cueName != nullptr && sound == 'y' ? Names{cueName} : Names{};
        EXPECT_EQ(shortNames(sounds()), cues);
        if (!cues.empty()) {  // the cue comes first
            EXPECT_EQ(console.log().front(), played(cueName));
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
        GroundCase{5, nullptr, "The ground is soft and dips a bit here.\n"}, GroundCase{6, nullptr, clearing},
        GroundCase{7, nullptr, inShip},
        GroundCase{8, "wolf", "You think you heard something, you must be mistaken\nYou see a billion stars at the horizon\n"},
        GroundCase{9, nullptr, "You are in the shadow of a nearby hill.\n"},
        GroundCase{10, nullptr, "The ground is hard and irregular here.\nYou think you saw movement in the distance.\n"},
        GroundCase{11, "trip", "You have tripped on something, but you are okay.\n"},
        GroundCase{12, nullptr, "The color and shade of the ground changes here.\n"},
        GroundCase{13, nullptr, "Visibility is poor at this point, some kind of haze.\n"},
        GroundCase{14, nullptr, "You have wandered into a partially enclosed alcove.\n"},
        GroundCase{15, nullptr, "Just emptiness all around, you feel lost.\n"},
        GroundCase{16, nullptr, "You are in a rocky area, walking is slow and difficult.\n"}, GroundCase{0, nullptr, flatLand},
        GroundCase{-3, nullptr, flatLand}, GroundCase{17, nullptr, flatLand}, GroundCase{100, nullptr, flatLand}));

// --- Keys that are not moves ---------------------------------------------------------------

TEST_F(Asteroid, EscapeAndCtrlCDeclinedCountAsInvalidKeys)
{
    rocksAllCarried();
    console.queueKey(keyEsc);
    console.queueKeys("n");  // stay in the game
    console.queueKey(keyCtrlC);
    console.queueKeys("nW");
    EXPECT_EQ(readMove(6), 5);
    const std::string quit = "Do you want to quit this game?  Y or N  ", keyList = " \nPress E, W, N, or S \x1e ";
    Trace seen;
    for (const std::string& text : writes())
        if (text.find_first_not_of(' ') != std::string::npos) seen.push_back(text);
    EXPECT_EQ(seen, (Trace{quit, keyList, quit, keyList}));
    EXPECT_EQ(mission.oxygen, 105);
}

// --- Oxygen ----------------------------------------------------------------------------------

// The 21st charge suffocates the player; here it is the one of a refused move, after its message.
TEST_F(Asteroid, TwentyChargesLeaveFiveAndTheTwentyFirstSuffocates)
{
    mission.soundOn = 'y';
    for (int charge = 1; charge <= 20; ++charge) {
        console.clearLog();
        chargeOxygen();
        ASSERT_EQ(textAfterClear(console), oxygenLine(105 - 5 * charge));
    }
    EXPECT_EQ(textAfterClear(console), "You have 5 units of oxygen.\n");
    console.clearLog();
    rocksAllCarried();
    console.queueKeys("e");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { readMove(4); }));
    EXPECT_EQ(mission.oxygen, 5);
    EXPECT_TRUE(logHasRun(console, {wrote(" " + std::string(barrier.refusal)), paused(3000), played("oxyg"), cleared(),
                                    moved(1, 5)}));
    expectVerse(console, 5, 13, "Oh no!  You have suffocated.", "But for now THIS MISSION IS OVER!");
    EXPECT_EQ(shortNames(sounds()), (Names{"oxyg", "exit"}));
}

// --- Rocks -----------------------------------------------------------------------------------

TEST_F(Asteroid, RockPlacementRerollsTheSquaresTaken)
{
    chance->face(7);                           // diamond: 7 becomes 8
    chance->face(8).face(7).face(3);           // platinum: 8 and 7 (8) are taken, then 3
    chance->face(3).face(8).face(7).face(16);  // gold: 3, 8, 8 again, then 16
    showSquare(7);
    EXPECT_EQ(mission.diamondSquare, 8);
    EXPECT_EQ(mission.platinumSquare, 3);
    EXPECT_EQ(mission.goldSquare, 16);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(mission.oxygen, 105);  // the ship costs nothing
    EXPECT_TRUE(writes().empty());
    showSquare(7);  // placed once per run: no draw (a draw would throw)
}

TEST_F(Asteroid, RockPlacementOverManySeeds)
{
    chance.reset();
    std::map<int, int> diamondCount;
    constexpr int runs = 16000;
    for (int run = 0; run < runs; ++run) {
        mission = MissionState{};
        gameSrand(static_cast<std::uint32_t>(run) * 2654435761u + 12345u);
        showSquare(7);
        const int d = mission.diamondSquare, p = mission.platinumSquare, g = mission.goldSquare;
        for (int square : {d, p, g}) ASSERT_TRUE(square >= 1 && square <= 16 && square != 7) << square;
        ASSERT_TRUE(d != p && d != g && p != g);
        ++diamondCount[d];
    }
    // The diamond: 2 chances in 16 for square 8, 1 in 16 for each other square but 7.
    for (int square = 1; square <= 16; ++square)
        if (square != 7 && square != 8) {
            EXPECT_NEAR(diamondCount[square], runs / 16, runs / 16 * 0.15) << square;
        }
    EXPECT_NEAR(diamondCount[8], runs / 8, runs / 8 * 0.12);
}

// A rock declined rolls nothing and stays; the question takes only Y or N; a rock taken rolls
// for radioactivity before its cue and is not offered again.
TEST_F(Asteroid, DecliningTakingAndARadioactiveRock)
{
    mission.soundOn = 'y';
    rocksOn(6, 5, 8);
    console.queueKeys("n");
    showSquare(6);  // no draw queued: a roll would throw
    const std::string sight = "You see a sparkling rock, it looks like a diamond.\n";
    const std::string question = "Do you want to take it? Y or N   ";
    EXPECT_EQ(textAfterClear(console), oxygenLine(100) + sight + question + "\nAll right, move on.\n");
    console.clearLog();
    chance->face(12);
    console.queueKeys("xY");
    showSquare(6);
    EXPECT_EQ(textAfterClear(console), oxygenLine(95) + sight + question + question + "\nOkay, you have it.\n");
    EXPECT_EQ(shortNames(sounds()), (Names{"rock"}));
    EXPECT_EQ(mission.hasDiamond, 1);
    EXPECT_EQ(mission.hasPlatinum + mission.hasGold, 0);
    console.clearLog();
    showSquare(6);
    EXPECT_EQ(textAfterClear(console), oxygenLine(90));
    // A radioactive rock: the roll of 13 ends the mission before the rock's cue.
    chance->face(13);
    console.queueKeys("y");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { showSquare(8); }));
    EXPECT_EQ(mission.hasGold, 0);
    EXPECT_TRUE(logHasRun(console, {pressed('y'), wrote(" "), played("roen"), cleared(), moved(1, 5)}));
    expectVerse(console, 5, 12, "Oh no!  The rock was radioactive.", "And THIS MISSION IS FINISHED!");
}

// --- Whole visits ----------------------------------------------------------------------------

// Land, walk out of the ship and north off the map, west to -3 and -4, where the barrier
// stands east, back south over the top row and into the ship, and blast off. A second landing
// starts with the oxygen left and finds the rocks where they were, with no new placement.
TEST_F(Asteroid, WalkOffTheMapAndBackThenLandAgain)
{
    mission.soundOn = 'y';
    landFarFromTheRocks({12, 14, 12, 14, 12, 14, 12, 14, 12, 14, 12, 14, 1});  // no cliff; the last is the blast-off
    console.queueKeys("y" "wnnwweseswwseb");
    gotoColRow(1, 5);
    asteroidEncounter();

    // The path: 7 W, 6 N, 2 N, -2 W, -3 W, -4 E (the barrier) S, 0 E (the barrier) S, 4 W, 3 W,
    // 2 S, 6 E, 7 B. Each arrival or refusal tells the oxygen left; each key gets its blank.
    std::string expected = "Very smooth landing.\nThe rocky landscape is dimly lit by the stars.\n"
                           "Your options are E, W, N, or S, for direction of movement, or B to blast off.\n" +
                           inShip + " ";
    const std::string ridge = "You are near a ridge, it overlooks a quarry.\n";
    int oxygen = 105;
    for (const std::string& text : {clearing, ridge, flatLand, flatLand, flatLand, std::string(barrier.refusal), flatLand,
                                    std::string(barrier.refusal), std::string("It is dark, but you see mountains in the distance.\n"),
                                    std::string("You look up and see earth so far away \x1e\x1e you feel alone.\n"), ridge, clearing})
        expected += text + oxygenLine(oxygen -= 5) + " ";
    expected += inShip + " ";
    EXPECT_EQ(textAfterClear(console, 2), expected);
    EXPECT_EQ(mission.oxygen, 45);
    EXPECT_EQ(chance->left(), 0u);
    EXPECT_EQ(rows(5, 7), (Trace{"Pretty cool blastoff!", "You are on your way again space traveller.", ""}));
    EXPECT_EQ(shortNames(sounds()), (Names{"aste", "lago", "stup", "blof"}));
    EXPECT_EQ(console.clears(), 3);

    console.clearLog();
    for (int roll = 0; roll < 9; ++roll) chance->face(1);  // landing, seven moves, blast-off
    console.queueKeys("y" "wss" "n" "nneb");
    asteroidEncounter();
    EXPECT_NE(textAfterClear(console, 2).find(clearing + oxygenLine(40) + " " + "The ground is hard and irregular here.\n"
                                              "You think you saw movement in the distance.\n" + oxygenLine(35) + " " +
                                              "You have wandered into a partially enclosed alcove.\n" + oxygenLine(30) +
                                              "A rock is glittering, it appears to be gold.\n"),
              std::string::npos);
    EXPECT_EQ(mission.oxygen, 20);
    EXPECT_EQ(chance->left(), 0u);
}

// --- The cliff -------------------------------------------------------------------------------
// Every completed move rolls for the cliff before the new square is described; only a move
// into the ship is safe, and the blast-off request is a move like any other. A refused move
// rolls nothing, nor does a key that is no move.

struct CliffCase {
    const char* name;
    const char* keys;
    std::vector<int> rolls;
    int oxygenAfter;
    bool reachedClearing;
    Names cues;
};

const CliffCase cliffCases[] = {
    {"AfterTheMoveBeforeTheNewSquare", "w", {13}, 105, false, {"aste", "lago", "clif", "exit"}},
    {"NotInTheShipButOnBlastOff", "wexb", {1, 13, 13}, 100, true, {"aste", "lago", "clif", "exit"}},
    {"NotAfterARefusedMove", "ensb", {13}, 105, false, {"aste", "lago", "trip", "trip", "trip", "clif", "exit"}},
};

class Cliff : public Asteroid, public ::testing::WithParamInterface<CliffCase> {};

TEST_P(Cliff, EndsTheMission)
{
    const CliffCase& cliff = GetParam();
    mission.soundOn = 'y';
    landFarFromTheRocks(cliff.rolls);
    console.queueKeys(std::string("y") + cliff.keys);
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { asteroidEncounter(); }));
    EXPECT_EQ(chance->left(), 0u);  // no blast-off roll after the fall
    EXPECT_EQ(mission.oxygen, cliff.oxygenAfter);
    EXPECT_EQ(textAfterClear(console, 2).find(clearing) != std::string::npos, cliff.reachedClearing);
    EXPECT_EQ(shortNames(sounds()), cliff.cues);
    expectVerse(console, 5, 12, "Oh no!  You fell off a cliff.", "And THIS MISSION IS HISTORY!");
}

INSTANTIATE_TEST_SUITE_P(Rolls, Cliff, ::testing::ValuesIn(cliffCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
