// The four collision hazards: every row of their outcome tables, the shuttle that blows up the
// ship at a shot of 10, the A move against an empty tank, and the arrival left to the wheel.
#include "encounters/hazards.h"

#include "encounters/table_walk.h"
#include "mission/wheel.h"
#include "support/trace.h"

namespace {

using namespace walk;

constexpr Delta missed{0, 0, 0, 0};
constexpr Delta hit{1, 0, 0, 0};
constexpr Delta shielded{0, 0, -1, 0};
constexpr Delta hitThroughBarrier{1, 0, -1, 0};  // also from a dead generator: the count sinks below zero
constexpr Delta shot{0, 0, 0, -1};
constexpr Delta hitThroughPhasers{1, 0, 0, -1};  // also from dead cells
constexpr Delta scolded{1, 1, 0, 0};

#define DASH "\x1e"
const char* const deadBarrier = "No good!  Your force field generator is dead.\n";
const char* const deadCells = "No good!  Your phaser power cells are dead.\n";
const char* const tryDeadCells = "Nice try but your phaser power cells are dead.\n";

const Scene meteor = {
    "meteor", meteorStorm, {"mete", "mete", "mete", "mete"},
    {"You are caught in a huge meteor storm.\n", "Giant meteors are whizzing past your ship on all sides.\n"}, 0,
    {
        {'a', 1, 3, any, {"acce", "~dama"},
         {"Bing bong kaboom " DASH " you have been hit by a meteor.\n", "There is a hole in your hull.\n"}, hit,
         Then::Moves},
        {'a', 4, 10, any, {"acce"}, {"You escaped from the meteor deluge " DASH " good job!\n"}, missed, Then::Moves},
        {'e', 1, 4, any, {"evad"}, {"Crafty maneuver!\n", "You snaked between the hurtling meteors.\n"}, missed},
        {'e', 5, 10, any, {"evad", "~dama"},
         {"You turned the wrong way!\n", "You have been hit and have sustained damage.\n"}, hit},
        {'b', 4, 10, charged, {"barr"},
         {"Very clever space captain.\n", "The big rocks are bouncing off your barrier like rubber balls.\n"},
         shielded},
        {'b', 1, 3, charged, {"barr", "~dama"},
         {"Too bad!  You were not fast enough.\n", "You got clipped and have a dent.\n"}, hitThroughBarrier},
        {'b', 1, 10, noCharges, {"dead", "~dama"}, {deadBarrier, "You got clipped and have a dent.\n"},
         hitThroughBarrier},
        {'f', 1, 10, celled, {"phas", "~dama"},
         {"Your phasers have had no effect on the meteors.\n",
          "A meteor has smashed into your ship and there is damage.\n"},
         hitThroughPhasers},
        {'f', 1, 10, noCells, {"dead", "~dama"},
         {tryDeadCells, "A meteor has smashed into your ship and there is damage.\n"}, hitThroughPhasers},
        {'r', 1, 10, any, {"tool", "dama", "aler"},
         {"This is no time to repair your ship.\n", "Your actions are irrational and irresponsible.\n",
          "A meteor has blasted  into your ship and made a hole.\n",
          "You have received a warning from Mission Control.\n"},
         scolded},
        {'n', 9, 10, any, {}, {"The meteors have miraculously missed your ship.\n", "You are out of danger.\n"},
         missed},
        {'n', 1, 8, any, {"dama"},
         {"You have choked under pressure space cadet!\n",
          "Your lack of action has allowed a meteor to make a dent .\n"},
         hit},
    },
};

const Scene junk = {
    "junk", spaceJunk, {},
    {"There is a dangerous situation developing.\n", "There is a load of space junk up ahead.\n"}, 0,
    {
        {'a', 1, 10, any, {"acce", "~dama"},
         {"For goodness sake!  You smashed right into the junk.\n", "The impact has dented your fuel tank.\n"}, hit,
         Then::Moves},
        {'e', 1, 4, any, {"evad"},
         {"You are a crack pilot space cadet.\n", "You circumvented the junk.\n", "The path is clear again.\n"},
         missed},
        {'e', 5, 10, any, {"evad", "~dama"},
         {"Oh no!  You collided with the junk.\n", "The impact has damaged the fuel tank.\n"}, hit},
        {'b', 1, 7, charged, {"barr"},
         {"Quick thinking space cadet.\n", "The force field barrier has deflected the junk.\n"}, shielded},
        {'b', 8, 10, charged, {"barr", "~dama"},
         {"It did not work.  The junk cracked your fuel tank.\n", "Your ship is in peril.\n"}, hitThroughBarrier},
        {'b', 1, 10, noCharges, {"dead", "~dama"}, {deadBarrier, "Your ship is in peril.\n"}, hitThroughBarrier},
        {'f', 4, 10, celled, {"phas", "~expl"},
         {"Good shooting, you vaporized the junk.\n", "You blasted your path clear.\n"}, shot},
        {'f', 1, 3, celled, {"phas", "~dama"},
         {"Bad shot!  You missed the junk.\n", "Your fuel tank has been damaged.\n"}, hitThroughPhasers},
        {'f', 1, 10, noCells, {"dead", "~dama"}, {deadCells, "Your fuel tank has been damaged.\n"},
         hitThroughPhasers},
        {'r', 1, 10, any, {"tool", "aler"},
         {"You must be delirious rocket rider.  This is no time for repairs.\n", "Your behavior is ludicrous.\n",
          "You have smashed into the junk.\n", "There is now a crack in your fuel tank.\n",
          "You also have received a warning from Mission Control.\n"},
         scolded},
        {'n', 1, 10, any, {"dama"},
         {"Get it together will you please!.\n", "You crashed into the junk and damaged your fuel tank.\n"}, hit},
    },
};

const Scene comet = {
    "comet", ::comet, {"come"},
    {"Look out!  A comet is coming your way.\n", "It looks like a big snowball in space.\n"}, 0,
    {
        {'a', 1, 3, any, {"acce", "~dama"},
         {"You got nailed by flying ice from the comet.\n", "There is a crack on your starboard side.\n"}, hit,
         Then::Moves},
        {'a', 4, 10, any, {"acce"}, {"You got out of its path in time " DASH " lucky break.\n"}, missed, Then::Moves},
        {'e', 1, 4, any, {"evad"}, {"Very tricky space cadet " DASH " you got out of the way.\n"}, missed},
        {'e', 5, 10, any, {"evad", "~dama"},
         {"Too bad!  You got some of the sloshy tail.\n", "The slop got in your generator.\n"}, hit},
        {'b', 1, 7, charged, {"barr"}, {"Fast thinking space captain.\n", "You shielded your ship in time.\n"},
         shielded},
        {'b', 8, 10, charged, {"barr", "~dama"},
         {"What a shame!  You were too slow.\n", "You got hit and have damage.\n"}, hitThroughBarrier},
        {'b', 1, 10, noCharges, {"dead", "~dama"}, {deadBarrier, "You got hit and have damage.\n"},
         hitThroughBarrier},
        {'f', 1, 10, celled, {"phas", "~dama"},
         {"The comet has absorbed your phaser attack.\n", "The comet tail has caught your ship and made a crack.\n"},
         hitThroughPhasers},
        {'f', 1, 10, noCells, {"dead", "~dama"},
         {tryDeadCells, "The comet tail has caught your ship and made a crack.\n"}, hitThroughPhasers},
        {'r', 1, 10, any, {"tool", "aler"},
         {"This is no time to repair your ship.\n", "Your actions are irrational and irresponsible.\n",
          "A piece of the comet has hit you and made a hole.\n",
          "You have received a warning from Mission Control.\n"},
         scolded},
        {'n', 9, 10, any, {}, {"The comet has veered away from your ship.\n", "You are in the clear now.\n"}, missed},
        {'n', 1, 8, any, {"dama"},
         {"Get with it space wizard!\n", "Your failure to act has allowed the comet to make a dent .\n"}, hit},
    },
};

const Scene shuttle = {
    "shuttle", abandonedShuttle, {"shut"},
    {"You see something up ahead.\n", "It looks like an old abandoned space shuttle.\n"}, 0,
    {
        {'a', 1, 10, any, {"acce", "~dama"},
         {"Watch out!  You collided with it.\n", "Your ship is quite shaken up.\n"}, hit, Then::Moves},
        {'e', 1, 4, any, {"evad"},
         {"That was wild!  You looped over that shuttle.\n", "The coast is clear again.\n"}, missed},
        {'e', 5, 10, any, {"evad", "~dama"},
         {"It did not work.  You hit the shuttle.\n", "Your ship has been shaken up.\n"}, hit},
        {'b', 7, 10, charged, {"barr"},
         {"Crafty, very crafty star tripper.\n", "The shuttle bounced off your force field barrier.\n"}, shielded},
        {'b', 1, 6, charged, {"barr", "~dama"},
         {"No luck this time buddy.  Your barrier let you down.\n", "Your ship is hurting badly.\n"},
         hitThroughBarrier},
        {'b', 1, 10, noCharges, {"dead", "~dama"}, {deadBarrier, "Your ship is hurting badly.\n"},
         hitThroughBarrier},
        {'f', 3, 9, celled, {"phas", "~expl"}, {"Crack shot!  You turned it into powder.\n"}, shot},
        // A shot of 10 blows up the ship with the shuttle: no cell is counted as spent.
        {'f', 10, 10, celled, {"phas", "~expl", "+500", "+1000", "expl"}, {}, missed, Then::Crashes},
        {'f', 1, 2, celled, {"phas", "~dama"}, {"You did not hit it.\n", "You smashed into the shuttle.\n"},
         hitThroughPhasers},
        {'f', 1, 10, noCells, {"dead", "~dama"}, {deadCells, "You smashed into the shuttle.\n"}, hitThroughPhasers},
        {'r', 1, 10, any, {"tool", "aler"},
         {"You are losing your marbles space cadet - This is no time for repairs.\n",
          "You have collided with the shuttle.\n", "There is now a crack in your fuel tank.\n",
          "You also have received a warning from Mission Control.\n"},
         scolded},
        {'n', 1, 10, any, {"dama"},
         {"A very poor decision!\n", "You crashed into the shuttle and damaged your wing.\n"}, hit},
    },
};

class HazardTable : public TableWalk {};

TEST_P(HazardTable, SettlesTheRow) { walkOneCase(); }

INSTANTIATE_TEST_SUITE_P(Meteor, HazardTable, ::testing::ValuesIn(casesOf(meteor)), caseName);
INSTANTIATE_TEST_SUITE_P(Junk, HazardTable, ::testing::ValuesIn(casesOf(junk)), caseName);
INSTANTIATE_TEST_SUITE_P(Comet, HazardTable, ::testing::ValuesIn(casesOf(comet)), caseName);
INSTANTIATE_TEST_SUITE_P(Shuttle, HazardTable, ::testing::ValuesIn(casesOf(shuttle)), caseName);

class HazardLastFuel : public LastFuelWalk {};

TEST_P(HazardLastFuel, WritesTheLinesThenRunsDry) { walkLastFuel(true); }

INSTANTIATE_TEST_SUITE_P(AllFour, HazardLastFuel,
                         ::testing::ValuesIn(lastFuelCases({&meteor, &junk, &comet, &shuttle})), lastFuelName);

class Hazard : public GameTest {};

TEST_F(Hazard, TheShuttleExplosionEndsTheMission)
{
    mission.soundOn = 'n';
    mission.phaserCells = 2;
    mission.distanceLeft = 150;
    chance->face(10);
    console.queueKeys("f");
    console.queueKey(keyEsc);
    gotoColRow(1, 5);
    ASSERT_TRUE(ends(abandonedShuttle));
    expectTrace(console, 1, {"Oh no!  The shuttle explosion blew you to bits.\n"}, false, true);
    expectVerse(console, 5, 10, "Oh no!  The shuttle explosion blew you to bits.", "And THIS MISSION IS DONE!");
    EXPECT_EQ(console.rowText(12), "You had 15 million miles to go.");
}

TEST_F(Hazard, AcceleratingToMarsLeavesTheArrivalToTheWheel)
{
    mission.soundOn = 'n';
    mission.distanceLeft = 1;
    chance->face(5);
    console.queueKeys("a");
    gotoColRow(1, 5);
    ::comet();
    EXPECT_EQ(mission.distanceLeft, -1);
    EXPECT_EQ(console.rowText(19), "");  // no distance line at or below zero
    EXPECT_FALSE(wheelTurn());
}

}  // namespace
