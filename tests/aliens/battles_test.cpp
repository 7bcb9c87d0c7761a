// The Zapfest mode's menu and battle prompt, and a pursuit begun at the mission's limits. The
// battles' outcomes are worked examples of the paths (tests/mission/paths_test.cpp).
#include "support/game_test.h"

#include "aliens/pursuit.h"
#include "aliens/zapfest.h"

namespace {

// The menu: ENTER starts a battle with fresh supplies, a 20 destroys the aliens, and the mode is
// left only through a confirmed quit (ESC or Ctrl-C) with its own tune. The battle prompt takes
// only F or B (either case): Ctrl-C is a wrong key there, ESC offers to quit.
TEST_F(GameTest, AZapfestBattleWonAtOnceThenQuit)
{
    mission.soundOn = 'y';
    mission.zapfestMode = 1;
    mission.damage = 4;
    chance->push(0).face(20).push(0);
    console.queueKeys("\rx\x03\x1bnFxn\x03n\x1by\x1b");  // ENTER, fire; Ctrl-C and ESC both ask first
    EXPECT_TRUE(ends(zapfestLoop));
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"alie", "phas", "expl", "laug", "quit", "zapf"}));
    EXPECT_EQ(std::tuple(mission.phaserCells, mission.barrierCharges, mission.damage), std::tuple(7, 8, 0));
    EXPECT_TRUE(console.scriptUsedUp());
}

// A pursuit begun at one of the mission's limits has no exchange: the wheel loop ends it.
TEST_F(GameTest, APursuitAtTheMissionsLimitsHasNoExchange)
{
    for (auto [damage, fuel, warnings] : {std::tuple{5, 100, 0}, {0, 0, 0}, {0, 100, 3}}) {
        std::tie(mission.damage, mission.fuel, mission.warnings) = std::tie(damage, fuel, warnings);
        EXPECT_FALSE(ends(alienPursuit));
    }
}

}  // namespace
