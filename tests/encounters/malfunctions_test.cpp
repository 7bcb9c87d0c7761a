// The shipboard malfunctions: every row of the four outcome tables, the split A move against
// an empty tank, and the refrigerator's own draw for its third line.
#include "encounters/malfunctions.h"

#include "encounters/table_walk.h"

namespace {

using namespace walk;

// A reckless answer: a damage and a warning, and a charge or a cell where one is spent.
constexpr Delta reckless{1, 1, 0, 0};
constexpr Delta recklessCharge{1, 1, -1, 0};
constexpr Delta recklessCell{1, 1, 0, -1};
constexpr Delta fixed{0, 0, 0, 0};
constexpr Delta bungled{1, 0, 0, 0};

const Scene computer = {
    "computer", computerMalfunction, {},
    {"Your on\x1e" "board computer is malfunctioning.\n", "The hard drive is not spinning.\n"}, 0,
    {
        {'a', 1, 10, any, {"acce", "~aler"},
         {"Slow down!  Your speeding does not help your computer.\n", "Your conduct is absurd and foolish.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless, Then::Moves},
        {'e', 1, 10, any, {"evad", "~aler"},
         {"You need your head examined!\n", "You are fooling around while your computer needs attention.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', 1, 10, charged, {"barr", "~aler"},
         {"Your head is not screwed on right!\n", "The force field barrier cannot help your computer.\n",
          "You have gotten a warning from Mission Control.\n"},
         recklessCharge},
        // The computer takes a charge even from a dead generator.
        {'b', 1, 10, noCharges, {"dead", "~aler"},
         {"No can do!  Your force field generator is dead.\n", "Your head is not screwed on right!\n",
          "The force field barrier cannot help your computer.\n", "You have gotten a warning from Mission Control.\n"},
         recklessCharge},
        // The alarm sounds at once here, without the second's pause.
        {'f', 1, 10, celled, {"phas", "aler"},
         {"You are firing without cause.\n", "Your computer needs attention.\n",
          "You have received a warning from Mission Control.\n"},
         recklessCell},
        {'f', 1, 10, noCells, {"dead", "aler"},
         {"Cannot fire!  Your phaser power cells are dead.\n", "You are firing without cause.\n",
          "Your computer needs attention.\n", "You have received a warning from Mission Control.\n"},
         reckless},
        {'r', 1, 5, any, {"tool"}, {"You have repaired the computer.\n", "You are a technological wizard.\n"}, fixed},
        {'r', 6, 10, any, {"tool", "dama", "trip"},
         {"You have bungled the repair job buddy.\n", "You dropped the hard drive on your foot.\n",
          "The computer is a real mess now.\n"},
         bungled},
        {'n', 9, 10, any, {}, {"The hard drive is working nicely now.\n", "The computer is working smoothly again.\n"},
         fixed},
        {'n', 1, 8, any, {"dama"}, {"Wake up rocket scientist.\n", "Your computer is worse due to your inaction.\n"},
         bungled},
    },
};

const Scene radio = {
    "radio", radioDrift, {"radi"}, {"Your radio is drifting off frequency.\n", "You cannot reach Mission Control.\n"}, 0,
    {
        {'a', 1, 10, any, {"acce", "~aler"},
         {"You are ignoring your radio problem.\n", "You are displaying a gross lack of good judgment.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless, Then::Moves},
        {'e', 1, 10, any, {"evad", "~aler"},
         {"You must have been hitting the Sneaky Pete.\n", "There is no excuse for your outlandish conduct.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', 1, 10, charged, {"barr", "~aler"},
         {"You are losing your marbles space captain!\n", "The radio is not helped by the force field barrier.\n",
          "You have gotten a warning from Mission Control.\n"},
         recklessCharge},
        {'b', 1, 10, noCharges, {"dead", "~aler"},
         {"No can do!  Your force field generator is are dead.\n", "You are losing your marbles space captain!\n",
          "The radio is not helped by the force field barrier.\n", "You have gotten a warning from Mission Control.\n"},
         reckless},
        {'f', 1, 10, celled, {"phas", "~aler"},
         {"You are firing your phasers without reason.\n", "You know the radio needs fixing.\n",
          "You have received a warning from Mission Control.\n"},
         recklessCell},
        {'f', 1, 10, noCells, {"dead", "~aler"},
         {"Cannot fire!  Your phaser power cells are dead.\n", "You are firing your phasers without reason.\n",
          "You know the radio needs fixing.\n", "You have received a warning from Mission Control.\n"},
         reckless},
        {'r', 1, 5, any, {"tool"}, {"Nice job!  You have repaired the radio.\n", "You replaced a bad transistor.\n"},
         fixed},
        {'r', 6, 10, any, {"tool", "dama"},
         {"You bungled the job.\n", "You spilt your coffee on the tuning circuit.\n",
          "The radio is worse now and it stinks of coffee also.\n"},
         bungled, Then::Stays, 1},
        {'r', 6, 10, any, {"tool", "dama"},
         {"Bad   job.\n", "You soldered your finger to the circuit board.\n",
          "You are stuck to the radio and are yelping like a dog.\n"},
         bungled, Then::Stays, 2},
        {'r', 6, 10, any, {"tool", "dama"},
         {"You messed up badly.\n", "You dropped a transistor on the floor and it rolled under the console.\n",
          "The radio is completely dead now and you are crawling on the floor.\n"},
         bungled, Then::Stays, 3},
        {'n', 9, 10, any, {},
         {"Mission Control is coming in clearly now.\n", "There was nothing wrong with the radio after all.\n"}, fixed},
        {'n', 1, 8, any, {"dama"}, {"Stop being so darn lazy!\n", "Your radio needs your attention.\n"}, bungled},
    },
};

const char* const firstFridgeWoe = "Your ice cream is melting and your beer is getting warm.\n";

const Scene fridge = {
    "fridge", fridgeBreakdown, {"~refr"}, {"Your refrigerator is busted.\n", firstFridgeWoe}, 1,
    {
        {'a', 1, 10, any, {"acce", "~aler"},
         {"You are not tending to your fridge.\n", "You are irresponsible.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless, Then::Moves},
        {'e', 1, 10, any, {"evad", "~aler"},
         {"You must have space delirium.\n", "There is no excuse for your outlandish conduct.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', 1, 10, charged, {"barr", "~aler"},
         {"You are acting crazy space captain!\n", "The force field does not fix the fridge.\n",
          "You have gotten a warning from Mission Control.\n"},
         recklessCharge},
        {'b', 1, 10, noCharges, {"dead", "~aler"},
         {"No can do!  Your force field generator is are dead.\n", "You are acting crazy space captain!\n",
          "The force field does not fix the fridge.\n", "You have gotten a warning from Mission Control.\n"},
         recklessCharge},
        {'f', 1, 10, celled, {"phas", "~aler"},
         {"You are firing your phasers without reason.\n", "And that ice box needs repair.\n",
          "You have received a warning from Mission Control.\n"},
         recklessCell},
        {'f', 1, 10, noCells, {"dead", "~aler"},
         {"Cannot fire!  Your phaser power cells are dead.\n", "You are firing your phasers without reason.\n",
          "And that ice box needs repair.\n", "You have received a warning from Mission Control.\n"},
         reckless},
        {'r', 1, 5, any, {"tool"}, {"Good fix up!  The refrigerator is cool again.\n", "It just needed freon.\n"},
         fixed},
        {'r', 6, 10, any, {"tool", "dama", "spla"},
         {"You messed up the repair.\n", "You cracked  the water container   .\n",
          "The fridge is still broke and there is water all over the floor.\n"},
         bungled},
        {'n', 9, 10, any, {}, {"The refrigerator seems to be cool again.\n", "It was not broken after all.\n"}, fixed},
        {'n', 1, 8, any, {"dama"}, {"Stop being so darn lazy!\n", "The fridge needs fixing.\n"}, bungled},
    },
};

const Scene beer = {
    "beer", beerSpill, {"bebo"},
    {"Holy cow, you dropped your beer bottle on the console and it shattered.\n",
     "There is broken glass and beer all over the controls.\n"},
    0,
    {
        {'a', 1, 10, any, {"acce", "~aler"},
         {"You have failed to clean up the mess.\n", "You are being irresponsible.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless, Then::Moves},
        {'e', 1, 10, any, {"evad", "~aler"},
         {"You must have had too much beer.\n", "There is no justification for your behavior.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', 1, 10, charged, {"barr", "~aler"},
         {"You seem to be  losing your mind!\n", "The problem  is not solved  by the force field barrier.\n",
          "You have gotten a warning from Mission Control.\n"},
         recklessCharge},
        {'b', 1, 10, noCharges, {"dead", "~aler"},
         {"Your force field generator is are dead.\n", "You seem to be  losing your mind!\n",
          "The problem  is not solved  by the force field barrier.\n",
          "You have gotten a warning from Mission Control.\n"},
         reckless},
        {'f', 1, 10, celled, {"phas", "~aler"},
         {"You are firing your phasers without reason.\n", "You know the console  needs your attention.\n",
          "You have received a warning from Mission Control.\n"},
         recklessCell},
        {'f', 1, 10, noCells, {"dead", "~aler"},
         {"Cannot fire!  Your phaser power cells are dead.\n", "You are firing your phasers without reason.\n",
          "You know the console  needs your attention.\n", "You have received a warning from Mission Control.\n"},
         reckless},
        // A broom, not a repair tool: no draw for the tool.
        {'r', 1, 5, any, {"besw"},
         {"Nice job!  You cleaned up the mess.\n", "You swept up the broken glass and washed off the beer.\n"}, fixed},
        {'r', 6, 10, any, {"besw", "dama"},
         {"You screwed up  the cleanup.\n", "You swept glass down into the circuit boards.\n",
          "The console  is malfunctioning  and smells like a brewery.\n"},
         bungled, Then::Stays, 1},
        {'r', 6, 10, any, {"besw", "dama"},
         {"Oh no, you got a cut from the glass and the console is sticky.\n",
          "You had better get some iodine and a band-aid.\n"},
         bungled, Then::Stays, 2},
        {'r', 6, 10, any, {"besw", "dama"},
         {"You messed up badly.\n", "You got broken glass in your shorts and beer is dripping on your bare toes.\n",
          "Better go change and wash your feet.\n"},
         bungled, Then::Stays, 3},
        // The beer never dries up by itself.
        {'n', 1, 10, any, {"dama", "~aler"},
         {"Stop being goofy, this mess   requires  cleanup.\n", "You have received a warning from Mission Control.\n"},
         reckless},
    },
};

class MalfunctionTable : public TableWalk {};

TEST_P(MalfunctionTable, SettlesTheRow) { walkOneCase(); }

INSTANTIATE_TEST_SUITE_P(Computer, MalfunctionTable, ::testing::ValuesIn(casesOf(computer)), caseName);
INSTANTIATE_TEST_SUITE_P(Radio, MalfunctionTable, ::testing::ValuesIn(casesOf(radio)), caseName);
INSTANTIATE_TEST_SUITE_P(Fridge, MalfunctionTable, ::testing::ValuesIn(casesOf(fridge)), caseName);
INSTANTIATE_TEST_SUITE_P(Beer, MalfunctionTable, ::testing::ValuesIn(casesOf(beer)), caseName);

// Accelerating away from a malfunction with the last of the fuel. The computer scolds first and
// counts the damage and warning, then runs dry; the other three run dry before a word is said.
class MalfunctionLastFuel : public LastFuelWalk {};

TEST_P(MalfunctionLastFuel, ChecksTheTankWhereTheTableSays) { walkLastFuel(GetParam().scene == &computer); }

INSTANTIATE_TEST_SUITE_P(AllFour, MalfunctionLastFuel,
                         ::testing::ValuesIn(lastFuelCases({&computer, &radio, &fridge, &beer})), lastFuelName);

// The refrigerator's third line comes from a draw of its own, taken after the die: the die
// still settles the outcome, and the line is the entry the second draw names.
class FridgeWoe : public GameTest, public ::testing::WithParamInterface<int> {};

TEST_P(FridgeWoe, IsDrawnAfterTheDie)
{
    const int entry = GetParam();
    const char* const woes[] = {"Your ice cream is melting and your beer is getting warm.",
                                "Your leftover fishcakes are getting stinky.",
                                "Your Pepsi is getting flat and your Virginia ham is turning green."};
    mission.soundOn = 'n';
    mission.damage = 0;
    // Raw 5 then raw entry-1: taken in this order the die shows 6, a bungled repair. Taken the
    // other way round the die would show entry, a clean one.
    chance->push(5).push(entry - 1);
    console.queueKeys("r");

    gotoColRow(1, 5);
    fridgeBreakdown();

    EXPECT_EQ(mission.dieRoll, 6);
    EXPECT_EQ(rows(5, 8), (std::vector<std::string>{"Your refrigerator is busted.", woes[entry - 1], "", ""}));
    EXPECT_EQ(console.rowText(9), "You messed up the repair.");
    EXPECT_EQ(mission.damage, 1);
}

INSTANTIATE_TEST_SUITE_P(EachEntry, FridgeWoe, ::testing::Values(1, 2, 3));

}  // namespace
