// The Moon: every row of its table, its A pass, its place in the voyage and the crash ending.
#include "encounters/moon.h"

#include "encounters/table_walk.h"
#include "mission/wheel.h"

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

TEST_F(MoonVoyage, AcceleratingPastItFromTheFirstSpinLeaves346And370)
{
    mission.soundOn = 'n';
    mission.distanceLeft = 348;
    mission.fuel = 390;
    chance->face(7);
    console.queueKeys("a");
    gotoColRow(1, 5);
    moonPass();
    EXPECT_EQ(mission.distanceLeft, 346);
    EXPECT_EQ(mission.fuel, 370);
    EXPECT_EQ(console.at(17, 19, 45), "Miles to Mars: 34 million, 6 hundred thousand");
    EXPECT_EQ(console.rowText(20), "                You have 370 units of fuel");
}

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

TEST_F(MoonVoyage, AFirstSpinOfOneBringsTheMoonInsteadOfTheCardDrawn)
{
    mission.soundOn = 'n';
    console.queueKey(keyEnter);
    console.queueKeys("n");
    chance->face(1).face(3).face(4);  // the wheel, the event card (the computer), the Moon's die
    ASSERT_TRUE(wheelTurn());
    EXPECT_EQ(console.rowText(5), withoutLineEnd(announcement));
    EXPECT_EQ(rows(9, 10), (std::vector<std::string>{"You have passed the moon.",
                                                     "It is shrinking in your rear view monitor."}));
    EXPECT_EQ(mission.eventDeck.cards[0], 3) << "the card drawn is spent all the same";
    EXPECT_EQ(mission.distanceLeft, 348);
    EXPECT_EQ(mission.fuel, 390);
}

TEST_F(MoonVoyage, AFirstSpinOfTwoMeetsTheCardDrawn)
{
    mission.soundOn = 'n';
    console.queueKey(keyEnter);
    console.queueKeys("n");
    chance->face(2).face(3).face(9);
    ASSERT_TRUE(wheelTurn());
    EXPECT_EQ(console.rowText(5), "Your on\x1e" "board computer is malfunctioning.");
    EXPECT_EQ(mission.distanceLeft, 346);
}

class MoonCrash : public GameTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MoonCrash, TellsTheVerseThenClosesTheMission)
{
    const bool sound = GetParam();
    mission.soundOn = sound ? 'y' : 'n';
    mission.spins = 1;
    mission.distanceLeft = 348;
    writeFile("mars.dat", "stale\n");
    console.queueKey(keyEsc);

    ASSERT_TRUE(ends(moonCrashEnding));

    // The screen is cleared, the crash sounds, and the verse stands from row 3, one line a row.
    const auto& log = console.log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].kind, LogEntry::Clear);
    std::size_t next = 1;
    if (sound) {
        ASSERT_GT(log.size(), 1u);
        EXPECT_EQ(log[1], (LogEntry{LogEntry::Sound, "data\\expl.wav"}));
        next = 2;
    }
    EXPECT_EQ(log[next], (LogEntry{LogEntry::Move, "", 1, 3}));

    const std::vector<std::string> verse = rows(3, 13);
    EXPECT_EQ(verse.front(), "Oh no!  You have crashed into the moon.");
    EXPECT_EQ(verse.back(), "THIS MISSION IS OVER!");
    for (const std::string& line : verse) {
        EXPECT_FALSE(line.empty());
        EXPECT_LE(line.size(), 79u);
    }
    EXPECT_EQ(rows(1, 2), (std::vector<std::string>{"", ""}));

    // Then the common last screen: the spins, the miles still to go, the goodbye.
    EXPECT_EQ(console.rowText(14), "You made 1 spins of the cosmic wheel.");
    EXPECT_EQ(console.rowText(15), "You had 34 million 8 hundred thousand miles to go.");
    EXPECT_EQ(console.at(34, 21, 28), "Bye for now space traveller!");
    EXPECT_FALSE(fileExists("mars.dat"));
    std::vector<std::string> expected = {"expl", "exit"};
    if (!sound) expected.clear();
    EXPECT_EQ(shortNames(sounds()), expected);
}

INSTANTIATE_TEST_SUITE_P(SoundOnAndOff, MoonCrash, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "soundOn" : "soundOff");
                         });

}  // namespace
