// Worked examples: one scene of each kind played through the scripted console, from the
// announcement and the prompt to the screen, the sounds and the new state.
#include "support/trace.h"

#include "encounters/hazards.h"
#include "encounters/scenery.h"

namespace {

using Rows = std::vector<std::string>;

class Scene : public GameTest {
protected:
    // Plays `scene` on the die `face` with the keys given, sound on, from column 1 of row 5.
    bool play(void (*scene)(), int face, const std::string& keys)
    {
        mission.soundOn = 'y';
        mission.distanceLeft = 300;
        mission.stationVisited = 1;
        chance->face(face);
        console.queueKeys(keys);
        gotoColRow(1, 5);
        return ends(scene);
    }
};

TEST_F(Scene, AMeteorStormHitsTheShipAsItAccelerates)
{
    EXPECT_FALSE(play(meteorStorm, 2, "xA"));  // a refused key, then upper case
    EXPECT_EQ(console.rowText(5), "You are caught in a huge meteor storm.");
    EXPECT_EQ(rows(9, 10), (Rows{"Bing bong kaboom \x1e you have been hit by a meteor.", "There is a hole in your hull."}));
    EXPECT_EQ(shortNames(sounds()), (Rows{"mete", "mete", "mete", "mete", "acce", "dama"}));
    EXPECT_EQ(pauses(), (std::vector<int>{200, 200, 1000, 1000, 1000}));
    EXPECT_EQ(console.rowText(19).substr(16), "Miles to Mars: 29 million, 8 hundred thousand");
    EXPECT_EQ(std::tuple(mission.fuel, mission.damage), std::tuple(380, 1));
}

TEST_F(Scene, AQuietViewThenARepairInQuietSpace)
{
    mission.damage = 2;
    chance->face(3).face(1);  // the repair's die, then the praise
    EXPECT_FALSE(play([] { quietScene(6); }, 1, "r"));
    EXPECT_EQ(rows(5, 9), (Rows{"The beauty of the vast universe captivates you.",
                                "A shooting star travels across the dark curtain of space.", "", "", "Nice fix up job!"}));
    EXPECT_EQ(shortNames(sounds()).front(), "star");
    EXPECT_EQ(std::tuple(mission.damage, chance->left()), std::tuple(1, 0u));
}

// A phaser shot that hits is heard, then a second later the explosion; at point blank the
// shuttle's explosion takes the ship with it, half a second and another second later.
TEST_F(Scene, PhaserHitsExplodeASecondLater)
{
    mission.phaserCells = 1;
    EXPECT_FALSE(play(spaceJunk, 4, "f"));
    EXPECT_TRUE(logHasRun(console, {played("phas"), paused(1000), played("expl")}));
    SetUp();
    mission.phaserCells = 1;
    EXPECT_TRUE(play(abandonedShuttle, 10, "f\x1b"));
    EXPECT_TRUE(logHasRun(console, {played("phas"), paused(1000), played("expl"), paused(500), paused(1000), played("expl")}));
    EXPECT_EQ(console.rowText(5), "Oh no!  The shuttle explosion blew you to bits.");
}

// Scenery (a dream here; visions are played the same way) changes nothing but the die.
TEST_F(Scene, ADreamChangesNothingButTheDie)
{
    mission.damage = 1;
    EXPECT_FALSE(play(deepSleep, 4, ""));
    EXPECT_EQ(console.rowText(5).substr(0, 8), "You are ");
    EXPECT_TRUE(sounds().empty());
    EXPECT_EQ(std::tuple(mission.damage, mission.dieRoll), std::tuple(1, 4));
}

}  // namespace
