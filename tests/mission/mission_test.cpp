// The mission's frame: the wheel's time warp, the order of the endings, the dispatcher, and the
// cues' sound switch. Each path's screens: tests/mission/paths_test.cpp.
#include <cstring>
#include <set>

#include "core/sound.h"
#include "endings/end_mission.h"
#include "endings/endings.h"
#include "mission/wheel.h"
#include "support/game_test.h"

namespace {

using Mission = GameTest;

// A ten between 51 and 299 throws the ship into a time warp two times in three (the die of 3
// shows 1 or 2) instead of moving it; on a 3, and on a ten anywhere else, the ship flies on and
// the wheel tells the distance left in millions and hundred thousands, leaving out a zero part.
TEST_F(Mission, ATenNearMarsWarpsTwoTimesInThree)
{
    for (auto [distance, third, told] : {std::tuple{200, 1, ""}, {200, 2, ""}, {200, 3, "18 million"}, {51, 1, ""},
                                         {299, 1, ""}, {50, 1, "3 million"}, {300, 1, "28 million"}, {23, 1, "3 hundred thousand"}}) {
        SetUp();
        mission.distanceLeft = distance;
        chance->face(10).push(third + 2);  // raw 3, 4 and 5 show 1, 2 and 3 only on a die of 3
        console.queueKey(keyEnter);
        EXPECT_ANY_THROW(wheelTurn());  // stops at the next draw or key the test does not give
        const bool warps = *told == '\0';
        EXPECT_EQ(console.rowText(6) == "You have entered a time warp.", warps) << distance << " " << third;
        EXPECT_EQ(mission.distanceLeft, warps ? distance : distance - 20) << distance << " " << third;
        EXPECT_EQ(console.rowText(19), warps ? "" : std::string(16, ' ') + "Miles to Mars: " + told) << distance;
    }
}

// When several ends hold at once: damage before warnings before arrival before fuel.
TEST_F(Mission, EndingsComeInTheirOrder)
{
    for (auto [damage, warnings, shown] : {std::tuple{5, 3, damageVerse[0]}, {4, 3, warningsVerse[0]}, {4, 2, "** YOU ARE NOW IN ORBIT AROUND MARS **\n"}}) {
        SetUp();
        std::tie(mission.damage, mission.warnings, mission.distanceLeft, mission.fuel) = std::tuple(damage, warnings, -3, 0);
        EXPECT_THROW(wheelLoop(), ScriptExhausted);  // at the ending's last key
        EXPECT_NE(console.screenDump().find(std::string(shown, std::strlen(shown) - 1)), std::string::npos) << shown;
    }
}

// The card drawn chooses the encounter: twenty kinds, twenty different scenes. Kind 1 is the
// space station once, in the second half; the Moon comes at 348 whatever the card.
TEST_F(Mission, EachCardStartsItsOwnEncounter)
{
    auto firstRow = [this](int kind, int distance, int visited) {
        SetUp();
        std::tie(mission.distanceLeft, mission.stationVisited) = std::tuple(distance, visited);
        chance->face(kind).face(1).face(1).face(1);
        try { dispatchEvent(); } catch (const ScriptExhausted&) {}
        EXPECT_EQ(mission.eventDeck.cards[0], kind);
        return console.rowText(5);
    };
    std::set<std::string> scenes;
    for (int kind = 1; kind <= 20; ++kind) scenes.insert(firstRow(kind, 300, 0));
    EXPECT_EQ(scenes.size(), 20u);
    EXPECT_EQ(scenes.count(""), 0u);
    EXPECT_EQ(scenes.count(firstRow(1, 174, 0)), 0u);  // the station
    EXPECT_EQ(mission.stationVisited, 1);
    EXPECT_EQ(firstRow(1, 175, 0), firstRow(1, 100, 1));
    const std::string moon = firstRow(13, 348, 0);
    EXPECT_NE(moon.find("moon"), std::string::npos);
    EXPECT_EQ(firstRow(1, 348, 0), moon);
}

// Cues sound only with the switch at 'y' (those heard then are in each path's example).
TEST_F(Mission, CuesFollowTheSoundSwitch)
{
    for (char setting : {'n', '\0', 'Y'}) {
        mission.soundOn = setting;
        cue(Cue::RepairTool);  // no draw: the forced queue is empty
        pauseThenCue(1000, Cue::Damage);
        EXPECT_TRUE(console.log().empty());
    }
}

}  // namespace
