#include "mission/crash.h"

#include "console/console.h"
#include "mission/chance.h"
#include "mission/mission_state.h"
#include "mission/sound.h"
#include "persist/end_mission.h"

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
