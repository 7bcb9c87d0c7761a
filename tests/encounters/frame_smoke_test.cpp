#include "encounters/hazards.h"
#include "support/game_test.h"

namespace {

class FrameSmoke : public GameTest {};

TEST_F(FrameSmoke, MeteorStormBarrierHolds)
{
    mission.soundOn = 'y';
    mission.barrierCharges = 3;
    chance->face(7);
    console.queueKeys("b");
    gotoColRow(1, 5);
    meteorStorm();
    EXPECT_EQ(console.rowText(5), "You are caught in a huge meteor storm.");
    EXPECT_EQ(console.rowText(9), "Very clever space captain.");
    EXPECT_EQ(console.rowText(10), "The big rocks are bouncing off your barrier like rubber balls.");
    EXPECT_EQ(mission.barrierCharges, 2);
    EXPECT_EQ(shortNames(sounds()), (std::vector<std::string>{"mete", "mete", "mete", "mete", "barr"}));
}

}  // namespace
