#include "endings/endings.h"

#include "console/console.h"
#include "endings/crash.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/verse.h"
#include "endings/end_mission.h"
#include "persist/frozen_game.h"

const Verse damageVerse = {
    "Oh no!  You have sustained too much damage.\n",
    "Your hull is dented, scorched and bent,\n",
    "And every spare repair kit spent.\n",
    "The panels spark, the engines cough,\n",
    "A wing has just come flapping off.\n",
    "Your ship lets out a mournful creak,\n",
    "Then springs a most enormous leak;\n",
    "You'll drift out here for many a week.\n",
    "But THIS MISSION IS OVER!\n",
};

const Verse warningsVerse = {
    "Oh no!  You have received too many warnings.\n",
    "Mission Control has had enough,\n",
    "Your flying has been far too rough.\n",
    "They warned you once, they warned you twice,\n",
    "The third time they were not so nice.\n",
    "They're calling you right back to Earth\n",
    "To teach you what a rule is worth.\n",
    "Your voyage ends in sad confusion,\n",
    "But for now THIS MISSION IS AT A CONCLUSION!\n",
};

const Verse outOfFuelVerse = {
    "Oh no!  You are out of fuel.\n",
    "The gauge reads empty, not a drop,\n",
    "Your engines sputter to a stop.\n",
    "You drift along in silent space,\n",
    "A tiny speck without a trace.\n",
    "A tow ship's coming, but it's slow:\n",
    "It has a million miles to go.\n",
    "But THIS MISSION IS OVER!\n",
};

const Verse marsCrashVerse = {
    "Oh no!  You crashed while trying to land.\n",
    "The red dust rose up high and wide,\n",
    "Your ship came down upon its side.\n",
    "You came so far, so very near,\n",
    "And dug a crater, round and clear.\n",
    "The Martians say it's quite a sight;\n",
    "They'll name the hole for you tonight.\n",
    "But THIS MISSION IS OVER!\n",
};

const Verse marsSuccessVerse = {
    "YOU DID IT!  CONGRATULATIONS.\n",
    "Through meteors and comets too\n",
    "You steered your ship and saw it through.\n",
    "You landed soft on Martian ground,\n",
    "And not a scratch on it was found.\n",
    "The folks at home are cheering loud,\n",
    "Mission Control is very proud,\n",
    "And soon you'll wave to a ticker-tape crowd.\n",
    "But THIS MISSION IS OVER!\n",
};

namespace {

// The three failure endings share one shape: pause, cue, a cleared screen, the verse from
// row 3, then the end-of-mission screen.
[[noreturn]] void failureEnding(int pause, Cue which, int pauseAfterClear, const Verse& verse)
{
    pauseMs(pause);
    cue(which);
    clearScreen();
    if (pauseAfterClear > 0) pauseMs(pauseAfterClear);
    gotoColRow(1, 3);
    writeVerse(verse);
    endMission();
}

}  // namespace

void damageEnding() { failureEnding(2000, Cue::Expl, 0, damageVerse); }

void warningsEnding() { failureEnding(3000, Cue::Warn, 1000, warningsVerse); }

void outOfFuelEnding() { failureEnding(2000, Cue::Fuel, 0, outOfFuelVerse); }

void marsArrival()
{
    pauseMs(1000);
    clearScreen();
    cue(Cue::Tune);
    gotoColRow(19, 12);
    writeText("** YOU ARE NOW IN ORBIT AROUND MARS **");
    do {
        showPrompt(17, 21, 30, 500, "Press L when ready to land  ");
    } while (lowerKey(readKey()) != 'l');

    rollForCrash(Cue::Lago, marsCrashVerse);

    pauseMs(2000);
    cue(Cue::Applause);
    clearScreen();
    gotoColRow(1, 3);
    writeVerse(marsSuccessVerse);
    write("It took you ", mission.spins, " spins of the cosmic wheel.\n");
    write("You had ", mission.fuel, " units of fuel remaining.\n");
    sayGoodbye("Bye for now space traveller!");
    removeFrozenGame();
    cue(Cue::Exit);
    endProgram();
}
