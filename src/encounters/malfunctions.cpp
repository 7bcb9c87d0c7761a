// Shipboard malfunctions: the computer, the radio, the refrigerator and a spilt beer. Trouble
// inside the ship cannot be outrun, shielded or shot, so A, E, B and F are all reckless and
// each costs a damage and a warning; R fixes it half the time; N waits for it to sort itself
// out, which the beer never does. A fixed malfunction repairs no damage taken earlier: that
// happens only in quiet space.
#include "encounters/malfunctions.h"

#include <vector>

#include "encounters/encounter.h"
#include "core/chance.h"
#include "core/verse.h"

namespace {

constexpr Need barrierDead = Need::BarrierDead;
constexpr Need phasersDead = Need::PhasersDead;

const char* const deadPhasersLine = "Cannot fire!  Your phaser power cells are dead.\n";

// The radio, the fridge and the beer each tell one of three stories, drawn after the die of
// 10 has settled the outcome, so the story says nothing about the roll.
void writeOneOf(const std::vector<Verse>& entries)
{
    const int entry = gameRand() % 3 + 1;
    writeVerse(entries[static_cast<std::size_t>(entry - 1)]);
}

void fridgeWoe()
{
    writeOneOf({
        {"Your ice cream is melting and your beer is getting warm.\n"},
        {"Your leftover fishcakes are getting stinky.\n"},
        {"Your Pepsi is getting flat and your Virginia ham is turning green.\n"},
    });
}

void radioBungle()
{
    writeOneOf({
        {"You bungled the job.\n", "You spilt your coffee on the tuning circuit.\n",
         "The radio is worse now and it stinks of coffee also.\n"},
        {"Bad   job.\n", "You soldered your finger to the circuit board.\n",
         "You are stuck to the radio and are yelping like a dog.\n"},
        {"You messed up badly.\n", "You dropped a transistor on the floor and it rolled under the console.\n",
         "The radio is completely dead now and you are crawling on the floor.\n"},
    });
}

void beerBungle()
{
    writeOneOf({
        {"You screwed up  the cleanup.\n", "You swept glass down into the circuit boards.\n",
         "The console  is malfunctioning  and smells like a brewery.\n"},
        {"Oh no, you got a cut from the glass and the console is sticky.\n",
         "You had better get some iodine and a band-aid.\n"},
        {"You messed up badly.\n",
         "You got broken glass in your shorts and beer is dripping on your bare toes.\n",
         "Better go change and wash your feet.\n"},
    });
}

const Change reckless = addDamage | addWarning;

// The computer is the odd one of the four: its A move comes wholly after the scolding and its F
// sounds the alarm without the pause. Its B, like the refrigerator's, spends a charge even from
// a dead generator.
const Encounter computerScene = {
    "computer malfunction",
    {},
    {"Your on\x1e" "board computer is malfunctioning.\n", "The hard drive is not spinning.\n"},
    {
        // action when            cues                  lines                                changes
        {'a', always,             {keyCue, alarmCue},
         {"Slow down!  Your speeding does not help your computer.\n", "Your conduct is absurd and foolish.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless | aMove},
        {'e', always,             {keyCue, alarmCue},
         {"You need your head examined!\n", "You are fooling around while your computer needs attention.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', always,             {keyCue, alarmCue},
         {onlyIf(barrierDead, "No can do!  Your force field generator is dead.\n"),
          "Your head is not screwed on right!\n", "The force field barrier cannot help your computer.\n",
          "You have gotten a warning from Mission Control.\n"},
         reckless | spendBarrierEvenDead},
        {'f', always,             {keyCue, play(Cue::Aler)},
         {onlyIf(phasersDead, deadPhasersLine), "You are firing without cause.\n", "Your computer needs attention.\n",
          "You have received a warning from Mission Control.\n"},
         reckless | spendPhasersWhileLive},
        {'r', roll(1, 5),         {keyCue},
         {"You have repaired the computer.\n", "You are a technological wizard.\n"},
         noChange},
        {'r', roll(6, 10),        {keyCue, play(Cue::Dama), play(Cue::Trip)},
         {"You have bungled the repair job buddy.\n", "You dropped the hard drive on your foot.\n",
          "The computer is a real mess now.\n"},
         addDamage},
        {'n', roll(9, 10),        {},
         {"The hard drive is working nicely now.\n", "The computer is working smoothly again.\n"},
         noChange},
        {'n', roll(1, 8),         {play(Cue::Dama)},
         {"Wake up rocket scientist.\n", "Your computer is worse due to your inaction.\n"},
         addDamage},
    },
};

const Encounter radioScene = {
    "radio drift",
    {play(Cue::Radi)},
    {"Your radio is drifting off frequency.\n", "You cannot reach Mission Control.\n"},
    {
        {'a', always,             {keyCue, alarmCue},
         {"You are ignoring your radio problem.\n", "You are displaying a gross lack of good judgment.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless | aMoveFirst},
        {'e', always,             {keyCue, alarmCue},
         {"You must have been hitting the Sneaky Pete.\n", "There is no excuse for your outlandish conduct.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', always,             {keyCue, alarmCue},
         {onlyIf(barrierDead, "No can do!  Your force field generator is are dead.\n"),
          "You are losing your marbles space captain!\n", "The radio is not helped by the force field barrier.\n",
          "You have gotten a warning from Mission Control.\n"},
         reckless | spendBarrierWhileLive},
        {'f', always,             {keyCue, alarmCue},
         {onlyIf(phasersDead, deadPhasersLine), "You are firing your phasers without reason.\n",
          "You know the radio needs fixing.\n", "You have received a warning from Mission Control.\n"},
         reckless | spendPhasersWhileLive},
        {'r', roll(1, 5),         {keyCue},
         {"Nice job!  You have repaired the radio.\n", "You replaced a bad transistor.\n"},
         noChange},
        {'r', roll(6, 10),        {keyCue, play(Cue::Dama)},
         {fromList(radioBungle)},
         addDamage},
        {'n', roll(9, 10),        {},
         {"Mission Control is coming in clearly now.\n", "There was nothing wrong with the radio after all.\n"},
         noChange},
        {'n', roll(1, 8),         {play(Cue::Dama)},
         {"Stop being so darn lazy!\n", "Your radio needs your attention.\n"},
         addDamage},
    },
};

const Encounter fridgeScene = {
    "fridge breakdown",
    {pauseThen(1000, Cue::Refr)},
    {"Your refrigerator is busted.\n", fromList(fridgeWoe)},
    {
        {'a', always,             {keyCue, alarmCue},
         {"You are not tending to your fridge.\n", "You are irresponsible.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless | aMoveFirst},
        {'e', always,             {keyCue, alarmCue},
         {"You must have space delirium.\n", "There is no excuse for your outlandish conduct.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', always,             {keyCue, alarmCue},
         {onlyIf(barrierDead, "No can do!  Your force field generator is are dead.\n"),
          "You are acting crazy space captain!\n", "The force field does not fix the fridge.\n",
          "You have gotten a warning from Mission Control.\n"},
         reckless | spendBarrierEvenDead},
        {'f', always,             {keyCue, alarmCue},
         {onlyIf(phasersDead, deadPhasersLine), "You are firing your phasers without reason.\n",
          "And that ice box needs repair.\n", "You have received a warning from Mission Control.\n"},
         reckless | spendPhasersWhileLive},
        {'r', roll(1, 5),         {keyCue},
         {"Good fix up!  The refrigerator is cool again.\n", "It just needed freon.\n"},
         noChange},
        {'r', roll(6, 10),        {keyCue, play(Cue::Dama), play(Cue::Spla)},
         {"You messed up the repair.\n", "You cracked  the water container   .\n",
          "The fridge is still broke and there is water all over the floor.\n"},
         addDamage},
        {'n', roll(9, 10),        {},
         {"The refrigerator seems to be cool again.\n", "It was not broken after all.\n"},
         noChange},
        {'n', roll(1, 8),         {play(Cue::Dama)},
         {"Stop being so darn lazy!\n", "The fridge needs fixing.\n"},
         addDamage},
    },
};

// The beer is swept up with a broom, not a repair tool, and never dries up by itself.
const Encounter beerScene = {
    "beer spill",
    {play(Cue::Bebo)},
    {"Holy cow, you dropped your beer bottle on the console and it shattered.\n",
     "There is broken glass and beer all over the controls.\n"},
    {
        {'a', always,             {keyCue, alarmCue},
         {"You have failed to clean up the mess.\n", "You are being irresponsible.\n",
          "You have been given a warning from Mission Control.\n"},
         reckless | aMoveFirst},
        {'e', always,             {keyCue, alarmCue},
         {"You must have had too much beer.\n", "There is no justification for your behavior.\n",
          "You have received a warning from Mission Control.\n"},
         reckless},
        {'b', always,             {keyCue, alarmCue},
         {onlyIf(barrierDead, "Your force field generator is are dead.\n"), "You seem to be  losing your mind!\n",
          "The problem  is not solved  by the force field barrier.\n",
          "You have gotten a warning from Mission Control.\n"},
         reckless | spendBarrierWhileLive},
        {'f', always,             {keyCue, alarmCue},
         {onlyIf(phasersDead, deadPhasersLine), "You are firing your phasers without reason.\n",
          "You know the console  needs your attention.\n", "You have received a warning from Mission Control.\n"},
         reckless | spendPhasersWhileLive},
        {'r', roll(1, 5),         {play(Cue::Besw)},
         {"Nice job!  You cleaned up the mess.\n", "You swept up the broken glass and washed off the beer.\n"},
         noChange},
        {'r', roll(6, 10),        {play(Cue::Besw), play(Cue::Dama)},
         {fromList(beerBungle)},
         addDamage},
        {'n', always,             {play(Cue::Dama), alarmCue},
         {"Stop being goofy, this mess   requires  cleanup.\n", "You have received a warning from Mission Control.\n"},
         reckless},
    },
};

}  // namespace

void computerMalfunction() { runEncounter(computerScene); }

void radioDrift() { runEncounter(radioScene); }

void fridgeBreakdown() { runEncounter(fridgeScene); }

void beerSpill() { runEncounter(beerScene); }

std::vector<const Encounter*> malfunctionTables() { return {&computerScene, &radioScene, &fridgeScene, &beerScene}; }
