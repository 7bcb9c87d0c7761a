// The radiation field and the pocket of magnetism: every row of both outcome tables, and the
// A move against an empty tank.
#include "encounters/fields.h"

#include "encounters/table_walk.h"

namespace {

using namespace walk;

constexpr Delta unharmed{0, 0, 0, 0};
constexpr Delta hit{1, 0, 0, 0};
constexpr Delta shielded{0, 0, -1, 0};
constexpr Delta hitThroughBarrier{1, 0, -1, 0};  // also from a dead generator: the count sinks below zero
constexpr Delta scoldedCell{1, 1, 0, -1};         // also from dead cells
constexpr Delta scolded{1, 1, 0, 0};

const Scene radiation = {
    "radiation", radiationField, {"raal"},
    {"Your instruments show a radiation field somewhere nearby.\n", "The needle on the meter is jumping wildly.\n"}, 0,
    {
        {'a', 4, 10, any, {"acce"}, {"You have sped away from the radiation \x1e nifty navigating!\n"}, unharmed,
         Then::Moves},
        {'a', 1, 3, any, {"acce", "~dama"},
         {"Yikes!  You streaked right into the radiation field.\n", "Your instrument panel is all messed up now.\n"},
         hit, Then::Moves},
        {'e', 1, 4, any, {"evad"},
         {"Good job space cadet, you avoided the radiation field.\n", "The danger has passed.\n"}, unharmed},
        {'e', 5, 10, any, {"evad", "~dama"},
         {"Not a good choice!\n", "You have passed through the radiation field.\n",
          "There is damage to your instrument panel.\n"},
         hit},
        {'b', 1, 7, charged, {"barr"},
         {"Good thinking rocket ranger.\n", "The force field barrier has blocked the radiation.\n"}, shielded},
        {'b', 8, 10, charged, {"barr", "~dama"},
         {"The radiation has penetrated the force field.\n", "Your instruments are out of control.\n"},
         hitThroughBarrier},
        {'b', 1, 10, noCharges, {"dead", "~dama"},
         {"No good!  Your force field generator is dead.\n", "Your instruments are out of control.\n"},
         hitThroughBarrier},
        {'f', 1, 10, celled, {"phas", "~aler"},
         {"Using your phasers is preposterous behavior.\n", "The radiation has damaged your instruments.\n",
          "And you have received a warning from Mission Control on Earth.\n"},
         scoldedCell},
        {'f', 1, 10, noCells, {"dead", "~aler"},
         {"No good!  Your phaser power cells are dead.\n", "Using your phasers is preposterous behavior.\n",
          "The radiation has damaged your instruments.\n",
          "And you have received a warning from Mission Control on Earth.\n"},
         scoldedCell},
        {'n', 9, 10, any, {}, {"You have passed by the radiation field.\n", "You are out of danger.\n"}, unharmed},
        {'n', 1, 8, any, {"dama"},
         {"You have been frozen by panic rocket ranger!\n",
          "You have flown right into the radiation and damaged your ship.\n"},
         hit},
        {'r', 1, 10, any, {"tool", "aler"},
         {"This is no time to repair your ship.\n", "Your actions are irrational and irresponsible.\n",
          "The radiation has damaged your instruments.\n", "You have received a warning from Mission Control.\n"},
         scolded},
    },
};

const Scene magnetism = {
    "magnetism", magnetismPocket, {},
    {"Your detectors show a pocket of magnetism in the neighborhood.\n", "You fear it could damage your equipment.\n"},
    0,
    {
        {'a', 4, 10, any, {"acce"}, {"You have fled from the magnetism.\n"}, unharmed, Then::Moves},
        {'a', 1, 3, any, {"acce", "~dama"},
         {"Watch out!  You zoomed right into the magnetism.\n", "Your gages are going bonkers.\n"}, hit, Then::Moves},
        {'e', 1, 4, any, {"evad"}, {"Pretty neat!  You looped around the magnetism.\n", "The coast is clear now.\n"},
         unharmed},
        {'e', 5, 10, any, {"evad", "~dama"},
         {"You have made a grave error.\n", "You have hooked into the magnetism.\n", "There is damage to your gages.\n"},
         hit},
        {'b', 1, 7, charged, {"barr"}, {"You did it!\n", "The magnetism cannot penetrate the force field barrier.\n"},
         shielded},
        {'b', 8, 10, charged, {"barr", "~dama"},
         {"Too bad!  The magnetism got through.\n", "Your gages are going crazy.\n"}, hitThroughBarrier},
        {'b', 1, 10, noCharges, {"dead", "~dama"},
         {"No good!  Your force field generator is dead.\n", "Your gages are going crazy.\n"}, hitThroughBarrier},
        {'f', 1, 10, celled, {"phas", "~aler"},
         {"You are shooting your phasers unnecessarily.\n", "The magnetism has damaged your gages.\n",
          "And you have received a warning from Mission Control on Earth.\n"},
         scoldedCell},
        {'f', 1, 10, noCells, {"dead", "~aler"},
         {"No good!  Your phaser power cells are dead.\n", "You are shooting your phasers unnecessarily.\n",
          "The magnetism has damaged your gages.\n",
          "And you have received a warning from Mission Control on Earth.\n"},
         scoldedCell},
        {'n', 9, 10, any, {}, {"The magnetism has moved away now.\n", "You are out of danger.\n"}, unharmed},
        {'n', 1, 8, any, {"dama"},
         {"Get a grip on yourself space cadet!\n", "You are in the magnetism and your gages are flipping out.\n"}, hit},
        // No repair tool here: the alarm alone, and no draw for a tool.
        {'r', 1, 10, any, {"aler"},
         {"This is not the time for repairs.\n", "You are oblivious to your problem.\n",
          "The magnetism has damaged your gages.\n", "You also have received a warning from Mission Control.\n"},
         scolded},
    },
};

class FieldTable : public TableWalk {};

TEST_P(FieldTable, SettlesTheRow) { walkOneCase(); }

INSTANTIATE_TEST_SUITE_P(Radiation, FieldTable, ::testing::ValuesIn(casesOf(radiation)), caseName);
INSTANTIATE_TEST_SUITE_P(Magnetism, FieldTable, ::testing::ValuesIn(casesOf(magnetism)), caseName);

// Accelerating out of a field with the last of the fuel: the lines and any damage come first,
// then the tank runs dry.
class FieldLastFuel : public LastFuelWalk {};

TEST_P(FieldLastFuel, WritesTheLinesThenRunsDry) { walkLastFuel(true); }

INSTANTIATE_TEST_SUITE_P(Both, FieldLastFuel, ::testing::ValuesIn(lastFuelCases({&radiation, &magnetism})),
                         lastFuelName);

// An empty tank on entry (the spin burnt the last drop) still lets the field be met; only A
// ends the mission from inside it.
class FieldOnAnEmptyTank : public GameTest {};

TEST_F(FieldOnAnEmptyTank, IsSettledAsUsualWithoutAcceleration)
{
    mission.soundOn = 'n';
    mission.fuel = 0;
    chance->face(2);
    console.queueKeys("e");
    gotoColRow(1, 5);
    EXPECT_FALSE(ends(magnetismPocket));
    EXPECT_EQ(console.rowText(9), "Pretty neat!  You looped around the magnetism.");
    EXPECT_EQ(mission.fuel, 0);
}

}  // namespace
