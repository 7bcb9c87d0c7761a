// Worked examples of both battles, and the keys of the Zapfest mode's menu and prompt.
#include "support/trace.h"

#include "aliens/pursuit.h"
#include "aliens/zapfest.h"

namespace {

using Texts = std::vector<std::string>;

long timesIn(const Texts& written, const std::string& text) { return std::count(written.begin(), written.end(), text); }

// A hit on die 2 (the aliens reply and miss), then an escape on die 9: the die comes before
// the prompt, then the hit message, the shot and the miss message; fuel burns per exchange.
TEST_F(GameTest, APursuitWithAHitThenAnEscape)
{
    mission.soundOn = 'y';
    mission.phaserCells = 5;
    chance->push(11).push(0).push(0).push(0).push(18);  // 2 and 9 on a die of 10 only
    console.queueKeys("xFe");
    gotoColRow(1, 5);
    EXPECT_FALSE(ends(alienPursuit));
    EXPECT_EQ(shortNames(sounds()), (Texts{"alie", "phas", "hit", "phal", "evad"}));
    EXPECT_EQ(rows(5, 6), (Texts{"You have eluded the alien dirtbags.", "You have left them in a cloud of cosmic dust."}));
    EXPECT_NE(textAfterClear(console).find("Good shot!  You clipped the buggers\n"), std::string::npos);
    EXPECT_EQ(std::tuple(mission.phaserCells, mission.fuel, mission.dieRoll, chance->left()), std::tuple(4, 390, 9, 0u));
}

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
    EXPECT_EQ(shortNames(sounds()), (Texts{"alie", "phas", "expl", "laug", "quit", "zapf"}));
    EXPECT_EQ(std::tuple(mission.phaserCells, mission.barrierCharges, mission.damage), std::tuple(7, 8, 0));
    const std::string fire = "F to fire phasers, B for force field barrier or Escape to quit ";
    EXPECT_EQ(timesIn(writes(), "Do you want to quit this game?  Y or N  "), 3);
    EXPECT_EQ(timesIn(writes(), fire), 3);
    // The prompt is blanked and written again in its place, and blanked once it is answered.
    EXPECT_TRUE(logHasRun(console, prompted(17, 21, 49, 200, fire)));
    EXPECT_TRUE(logHasRun(console, {moved(17, 21), wrote(std::string(50, ' ')), moved(17, 21)}));
}

// A pursuit begun at one of the mission's limits has no exchange: the wheel loop ends it.
TEST_F(GameTest, APursuitAtTheMissionsLimitsHasNoExchange)
{
    for (auto [damage, fuel, warnings] : {std::tuple{5, 100, 0}, {0, 0, 0}, {0, 100, 3}}) {
        std::tie(mission.damage, mission.fuel, mission.warnings) = std::tie(damage, fuel, warnings);
        EXPECT_FALSE(ends(alienPursuit));
    }
}

// Five hits make the Zapfest aliens flee (here their own shots, deflected back at them), five
// blows blow the ship apart (missed shots answered by hits); either ends the battle there.
TEST_F(GameTest, AZapfestBattleEndsAtFiveHitsOrFiveBlows)
{
    for (auto [key, alienShot, ending] : {std::tuple{'b', 6, "running away"}, {'f', 3, "blown apart"}}) {
        SetUp();
        chance->push(0);  // the taunt
        for (int exchange = 0; exchange < 5; ++exchange) {
            chance->face(10).face(alienShot);
            console.queueKey(key);
        }
        zapfestBattle();
        EXPECT_NE(textAfterClear(console).find(ending), std::string::npos) << ending;
        EXPECT_EQ(chance->left(), 0u);
    }
}

}  // namespace
