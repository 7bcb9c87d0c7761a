// A pursuit begun at the mission's limits. The battles' outcomes and the Zapfest menu's paths are
// worked examples in tests/mission/paths_test.cpp.
#include "support/game_test.h"

#include "aliens/pursuit.h"

namespace {

// A pursuit begun at one of the mission's limits has no exchange: the wheel loop ends it.
TEST_F(GameTest, APursuitAtTheMissionsLimitsHasNoExchange)
{
    for (auto [damage, fuel, warnings] : {std::tuple{5, 100, 0}, {0, 0, 0}, {0, 100, 3}}) {
        std::tie(mission.damage, mission.fuel, mission.warnings) = std::tie(damage, fuel, warnings);
        EXPECT_FALSE(ends(alienPursuit));
    }
}

}  // namespace
