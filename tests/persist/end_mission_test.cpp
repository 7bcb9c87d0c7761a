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

// In both modes the screen waits for ESC alone; the full game deletes the frozen game and
// tells its statistics, the Zapfest mode does neither and plays its own exit cue.
class EndMission : public GameTest, public ::testing::WithParamInterface<bool> {};

TEST_P(EndMission, WaitsForEscAndKeepsTheFileOnlyInTheZapfestMode)
{
    const bool zapfest = GetParam();
    writeFile("mars.dat", "frozen\n");
    mission.zapfestMode = zapfest ? 1 : 0;
    mission.soundOn = 'y';
    console.queueKeys("qy\r");
    console.queueKey(keyCtrlC);
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { endMission(); }));
    EXPECT_TRUE(console.scriptUsedUp());
    EXPECT_EQ(fileExists("mars.dat"), zapfest);
    EXPECT_EQ(console.rowText(1), zapfest ? "" : "You made 0 spins of the cosmic wheel.");
    EXPECT_EQ(console.at(34, 21, 28), "Bye for now space traveller!");
    EXPECT_EQ(console.at(34, 22, 20), "Press ESCAPE to exit");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{zapfest ? "zapf" : "exit"}));
    EXPECT_EQ(pauses(), (std::vector<int>{3000}));
}

INSTANTIATE_TEST_SUITE_P(FullGameAndZapfest, EndMission, ::testing::Bool());

}  // namespace
