#include <gtest/gtest.h>

#include "persist/end_mission.h"
#include "support/game_test.h"

namespace {

struct DistanceCase {
    int distance;
    const char* line;
};

class DistanceLeft : public GameTest, public ::testing::WithParamInterface<DistanceCase> {};

TEST_P(DistanceLeft, TheEndOfMissionScreenSaysHowFarWasLeft)
{
    mission.distanceLeft = GetParam().distance;
    mission.spins = 3;
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { endMission(); }));
    EXPECT_EQ(console.rowText(1), "You made 3 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(2), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Table, DistanceLeft,
                         ::testing::Values(DistanceCase{350, "You had 35 million miles to go."},
                                           DistanceCase{7, "You had 7 hundred thousand miles to go."},
                                           DistanceCase{123, "You had 12 million 3 hundred thousand miles to go."},
                                           DistanceCase{10, "You had 1 million miles to go."},
                                           DistanceCase{0, ""}, DistanceCase{-6, ""}, DistanceCase{-40, ""}));

class EndMission : public GameTest {};

TEST_F(EndMission, WaitsForEscAndIgnoresEveryOtherKey)
{
    mission.soundOn = 'y';
    console.queueKeys("qy\r");
    console.queueKey(keyCtrlC);
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { endMission(); }));
    EXPECT_TRUE(console.scriptUsedUp());
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"exit"}));
    EXPECT_EQ(pauses(), (std::vector<int>{3000}));
}

TEST_F(EndMission, TheZapfestModeKeepsTheFileAndShowsNoStatistics)
{
    writeFile("mars.dat", "frozen\n");
    mission.zapfestMode = 1;
    mission.soundOn = 'y';
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { endMission(); }));
    EXPECT_EQ(console.rowText(1), "");
    EXPECT_TRUE(fileExists("mars.dat"));
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"zapf"}));
    EXPECT_EQ(console.at(34, 21, 28), "Bye for now space traveller!");
}

TEST_F(EndMission, TheFullGameDeletesTheFrozenGame)
{
    writeFile("mars.dat", "frozen\n");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { endMission(); }));
    EXPECT_FALSE(fileExists("mars.dat"));
}

}  // namespace
