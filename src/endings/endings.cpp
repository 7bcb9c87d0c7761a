#include "endings/endings.h"

#include "console/console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/lines.h"
#include "endings/end_mission.h"
#include "persist/frozen_game.h"
#include "core/screen_places.h"

const Lines damageVerse = {
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

const Lines warningsVerse = {
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

const Lines outOfFuelVerse = {
    "Oh no!  You are out of fuel.\n",
    "The gauge reads empty, not a drop,\n",
    "Your engines sputter to a stop.\n",
    "You drift along in silent space,\n",
    "A tiny speck without a trace.\n",
    "A tow ship's coming, but it's slow:\n",
    "It has a million miles to go.\n",
    "But THIS MISSION IS OVER!\n",
};

const Lines marsCrashVerse = {
    "Oh no!  You crashed while trying to land.\n",
    "The red dust rose up high and wide,\n",
    "Your ship came down upon its side.\n",
    "You came so far, so very near,\n",
    "And dug a crater, round and clear.\n",
    "The Martians say it's quite a sight;\n",
    "They'll name the hole for you tonight.\n",
    "But THIS MISSION IS OVER!\n",
};

const Lines marsSuccessVerse = {
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

void endWith(const Ending& ending)
{
    if (ending.pauseBefore > 0) pauseMs(ending.pauseBefore);
    if (!ending.cuesAfterClear)
        for (Cue which : ending.cues) cue(which);
    clearScreen();
    if (ending.cuesAfterClear)
        for (Cue which : ending.cues) cue(which);
    if (ending.pauseAfterClear > 0) pauseMs(ending.pauseAfterClear);
    gotoColRow(1, ending.verseRow);
    writeLines(ending.verse);
    endMission();
}

void rollForCrash(Cue manoeuvre, const Lines& crashVerse)
{
    rollDie(20);
    cue(manoeuvre);
    if (mission.dieRoll == 13) endWith({0, {Cue::Explosion}, false, 0, 3, crashVerse});
}

//                                 before  cues          after clear  pause  row  verse
const Ending damageEnding = {      2000,   {Cue::Explosion},  false,       0,     3,   damageVerse};
const Ending warningsEnding = {    3000,   {Cue::TooManyWarnings},  false,       1000,  3,   warningsVerse};
const Ending outOfFuelEnding = {   2000,   {Cue::OutOfFuel},  false,       0,     3,   outOfFuelVerse};

void marsArrival()
{
    pauseMs(1000);
    clearScreen();
    cue(Cue::MarsOrbit);
    gotoColRow(19, 12);
    writeText("** YOU ARE NOW IN ORBIT AROUND MARS **");
    do {
        showPrompt(statusCol, promptRow, 30, 500, "Press L when ready to land  ");
    } while (lowerKey(readKey()) != 'l');

    rollForCrash(Cue::Landing, marsCrashVerse);

    pauseMs(2000);
    cue(Cue::Applause);
    clearScreen();
    gotoColRow(1, 3);
    writeLines(marsSuccessVerse);
    write("It took you ", mission.spins, " spins of the cosmic wheel.\n");
    write("You had ", mission.fuel, " units of fuel remaining.\n");
    sayGoodbye("Bye for now space traveller!");
    removeFrozenGame();
    cue(Cue::Exit);
    endProgram();
}
