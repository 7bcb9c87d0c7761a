#include "endings/crash.h"

#include "console/console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "endings/end_mission.h"

void rollForCrash(Cue manoeuvre, const Verse& crashVerse)
{
    rollDie(20);
    cue(manoeuvre);
    if (mission.dieRoll != 13) return;
    cue(Cue::Expl);
    clearScreen();
    gotoColRow(1, 3);
    writeVerse(crashVerse);
    endMission();
}
