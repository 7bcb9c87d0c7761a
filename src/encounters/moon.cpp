// The Moon: met only at 348, right after a first spin of 1. Getting past it takes the right
// move and some luck; everything else flies the ship into it.
#include "encounters/moon.h"

#include "console/console.h"
#include "encounters/encounter.h"
#include "core/sound.h"
#include "core/verse.h"
#include "endings/end_mission.h"

const Verse moonCrashVerse = {
    "Oh no!  You have crashed into the moon.\n",
    "Your ship went spinning out of control,\n",
    "And plunged head first down a great big hole.\n",
    "They buried you in green cheese there,\n",
    "With moon mice mourning everywhere.\n",
    "A documentary tells your tale\n",
    "Of one brave pilot bound to fail,\n",
    "And on the crater's rocky side\n",
    "They carved your likeness, ten miles wide,\n",
    "A monument to cosmic pride.\n",
    "THIS MISSION IS OVER!\n",
};

namespace {

// The barrier and the phasers are no use against a whole moon: their cues sound whatever the
// supplies, and nothing is spent, since the crash comes first. The tank is never near empty
// this early in a voyage, so the A pass leaves the fuel test to the wheel loop.
const Encounter moonScene = {
    "moon pass",
    {},
    {"You are approaching the moon \x1e it looks creepy and desolate.\n"},
    {
        // action when         cues               lines                                         changes
        {'a', roll(1, 7),      {keyCue},
         {"You have left the moon in the cosmic dust.\n"},
         aMoveUnchecked},
        {'a', roll(8, 10),     {keyCue},          {}, noChange, moonCrashEnding},
        {'e', roll(4, 10),     {keyCue},
         {"Swift hook job!\n", "You have gotten passed the desolate moon.\n"},
         noChange},
        {'e', roll(1, 3),      {keyCue},          {}, noChange, moonCrashEnding},
        {'n', roll(1, 4),      {},
         {"You have passed the moon.\n", "It is shrinking in your rear view monitor.\n"},
         noChange},
        {'n', roll(5, 10),     {},                {}, noChange, moonCrashEnding},
        {'b', always,          {play(Cue::Barr)}, {}, noChange, moonCrashEnding},
        {'f', always,          {play(Cue::Phas)}, {}, noChange, moonCrashEnding},
        {'r', always,          {},                {}, noChange, moonCrashEnding},
    },
};

}  // namespace

void moonPass() { runEncounter(moonScene); }

void moonCrashEnding()
{
    clearScreen();
    cue(Cue::Expl);
    gotoColRow(1, 3);
    writeVerse(moonCrashVerse);
    endMission();
}

std::vector<const Encounter*> moonTables() { return {&moonScene}; }
