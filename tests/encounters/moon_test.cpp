// The Moon: every row of its table, its A pass and the crash ending.
#include "encounters/moon.h"

#include "encounters/table_walk.h"
#include "support/trace.h"

namespace {

using namespace walk;

constexpr Delta nothing{0, 0, 0, 0};

const char* const announcement = "You are approaching the moon \x1e it looks creepy and desolate.\n";

// The Moon touches neither supplies, damage nor warnings; B and F sound whatever the supplies.
const Scene moon = {
    "moon", moonPass, {}, {announcement}, 0,
    {
        {'a', 1, 7, any, {"acce"}, {"You have left the moon in the cosmic dust.\n"}, nothing, Then::Moves},
        {'a', 8, 10, any, {"acce"}, {}, nothing, Then::Crashes},
        {'e', 4, 10, any, {"evad"}, {"Swift hook job!\n", "You have gotten passed the desolate moon.\n"}, nothing},
        {'e', 1, 3, any, {"evad"}, {}, nothing, Then::Crashes},
        {'n', 1, 4, any, {}, {"You have passed the moon.\n", "It is shrinking in your rear view monitor.\n"}, nothing},
        {'n', 5, 10, any, {}, {}, nothing, Then::Crashes},
        {'b', 1, 10, any, {"barr"}, {}, nothing, Then::Crashes},
        {'f', 1, 10, any, {"phas"}, {}, nothing, Then::Crashes},
        {'r', 1, 10, any, {}, {}, nothing, Then::Crashes},
    },
};

class MoonTable : public TableWalk {};

TEST_P(MoonTable, SettlesTheRow) { walkOneCase(); }

INSTANTIATE_TEST_SUITE_P(Moon, MoonTable, ::testing::ValuesIn(casesOf(moon)), caseName);

class MoonVoyage : public GameTest {};
class MoonCrash : public GameTest, public ::testing::WithParamInterface<bool> {};

TEST_F(MoonVoyage, ItsAPassMakesNoFuelTestOfItsOwn)
{
    mission.soundOn = 'n';
    mission.fuel = 20;
    chance->face(1);
    console.queueKeys("a");
    gotoColRow(1, 5);
    EXPECT_FALSE(ends(moonPass));
    EXPECT_EQ(mission.fuel, 0);
}

// The screen is cleared, the crash sounds, the verse stands from row 3, then the common last
// screen; the frozen game is gone.
TEST_P(MoonCrash, TellsTheVerseThenClosesTheMission)
{
    const bool sound = GetParam();
    mission.soundOn = sound ? 'y' : 'n';
    mission.distanceLeft = 348;
    writeFile("mars.dat", "stale\n");
    console.queueKey(keyEsc);

    ASSERT_TRUE(ends(moonCrashEnding));
    EXPECT_EQ(console.log()[0].kind, LogEntry::Clear);
    expectTrace(console, 1, {"cue expl", "Oh no!  You have crashed into the moon.\n"}, sound, true);
    expectVerse(console, 3, 13, "Oh no!  You have crashed into the moon.", "THIS MISSION IS OVER!");
    EXPECT_EQ(rows(1, 2), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(console.rowText(15), "You had 34 million 8 hundred thousand miles to go.");
    EXPECT_EQ(console.at(34, 21, 28), "Bye for now space traveller!");
    EXPECT_FALSE(fileExists("mars.dat"));
    const Trace expected = sound ? Trace{"expl", "exit"} : Trace{};
    EXPECT_EQ(shortNames(sounds()), expected);
}

INSTANTIATE_TEST_SUITE_P(SoundOnAndOff, MoonCrash, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "soundOn" : "soundOff"); });

}  // namespace
