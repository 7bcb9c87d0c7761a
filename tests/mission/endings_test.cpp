#include <gtest/gtest.h>

#include "mission/endings.h"
#include "support/game_test.h"

namespace {

struct FailureCase {
    const char* name;
    void (*ending)();
    std::vector<int> pausesBeforeVerse;
    const char* cue;
    int lines;
    const char* first;
    const char* last;
};

class FailureEnding : public GameTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureEnding, PausesCuesClearsThenTheVerseFromRow3ThenTheStatistics)
{
    const FailureCase& c = GetParam();
    for (char sound : {'y', 'n'}) {
        SetUp();
        writeFile("mars.dat", "frozen\n");
        mission.soundOn = sound;
        mission.spins = 21;
        mission.distanceLeft = 77;
        console.queueKeys("x");
        console.queueKey(keyEsc);
        EXPECT_TRUE(ends(c.ending));
        EXPECT_EQ(console.clears(), 1);
        EXPECT_EQ(console.rowText(3), c.first);
        EXPECT_EQ(console.rowText(2 + c.lines), c.last);
        for (int row = 3; row < 3 + c.lines; ++row) EXPECT_NE(console.rowText(row), "") << row;
        EXPECT_EQ(console.rowText(3 + c.lines), "You made 21 spins of the cosmic wheel.");
        EXPECT_EQ(console.rowText(4 + c.lines), "You had 7 million 7 hundred thousand miles to go.");
        EXPECT_EQ(console.at(34, 21, 28), "Bye for now space traveller!");
        EXPECT_FALSE(fileExists("mars.dat"));
        std::vector<int> expectedPauses = c.pausesBeforeVerse;
        expectedPauses.push_back(3000);
        EXPECT_EQ(pauses(), expectedPauses);
        if (sound == 'y')
            EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{c.cue, "exit"}));
        else
            EXPECT_TRUE(sounds().empty());
        TearDown();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, FailureEnding,
    ::testing::Values(
        FailureCase{"damage", damageEnding, {2000}, "expl", 9, "Oh no!  You have sustained too much damage.",
                    "But THIS MISSION IS OVER!"},
        FailureCase{"warnings", warningsEnding, {3000, 1000}, "warn", 9,
                    "Oh no!  You have received too many warnings.",
                    "But for now THIS MISSION IS AT A CONCLUSION!"},
        FailureCase{"fuel", outOfFuelEnding, {2000}, "fuel", 8, "Oh no!  You are out of fuel.",
                    "But THIS MISSION IS OVER!"}),
    [](const auto& info) { return std::string(info.param.name); });

class MarsArrival : public GameTest {};

TEST_F(MarsArrival, OnlyLLands)
{
    mission.soundOn = 'y';
    mission.spins = 40;
    mission.fuel = -10;
    mission.distanceLeft = -4;
    writeFile("mars.dat", "frozen\n");
    console.queueKey(keyEsc);
    console.queueKey(keyCtrlC);
    console.queueKeys("xL");
    chance->face(12);
    console.queueKeys("q");
    // The file is deleted only after the last ESC.
    console.onScriptEmpty = [this](bool) {
        EXPECT_TRUE(fileExists("mars.dat"));
        console.queueKey(keyEsc);
        console.onScriptEmpty = nullptr;
    };
    EXPECT_TRUE(ends([] { marsArrival(); }));
    EXPECT_FALSE(fileExists("mars.dat"));
    int prompts = 0;
    for (const auto& entry : console.log())
        if (entry.kind == LogEntry::Write && entry.text == "Press L when ready to land  ") ++prompts;
    EXPECT_EQ(prompts, 4);
    EXPECT_EQ(console.rowText(3), "YOU DID IT!  CONGRATULATIONS.");
    EXPECT_EQ(console.rowText(11), "But THIS MISSION IS OVER!");
    EXPECT_EQ(console.rowText(12), "It took you 40 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(13), "You had -10 units of fuel remaining.");
    EXPECT_NE(console.rowText(18), "");
    EXPECT_NE(console.rowText(19), "");
    EXPECT_EQ(console.rowText(20), "");
    EXPECT_EQ(console.at(34, 21, 28), "Bye for now space traveller!");
    EXPECT_EQ(console.at(34, 22, 20), "Press ESCAPE to exit");
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"tune", "lago", "grjo", "appl", "appl", "appl", "appl",
                                                             "appl", "paho", "exit"}));
    EXPECT_EQ(pauses(), (std::vector<int>{1000, 500, 500, 500, 500, 2000, 3000}));
}

TEST_F(MarsArrival, ALandingRollOf13Crashes)
{
    mission.soundOn = 'n';
    mission.spins = 33;
    mission.distanceLeft = 0;
    chance->face(13);
    console.queueKeys("l");
    console.queueKey(keyEsc);
    EXPECT_TRUE(ends([] { marsArrival(); }));
    EXPECT_EQ(console.rowText(3), "Oh no!  You crashed while trying to land.");
    EXPECT_EQ(console.rowText(10), "But THIS MISSION IS OVER!");
    EXPECT_EQ(console.rowText(11), "You made 33 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(12), "");  // no distance line at 0
}

}  // namespace
