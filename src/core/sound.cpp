#include "core/sound.h"

#include "console/console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/status.h"

void cue(Cue which)
{
    if (!soundIsOn()) return;
    int choice = 0;
    if (which == Cue::RepairTool) choice = gameRand() % 6 + 1;
    if (which == Cue::Exit) choice = mission.zapfestMode == 1 ? 1 : 0;
    playCue(which, choice);
}

void toggleSound()
{
    blankStatusRow(19);  // over the miles line
    if (mission.soundOn == 'y') {
        mission.soundOn = 'n';
        writeText("* Sound off *");
    } else if (mission.soundOn == 'n') {
        mission.soundOn = 'y';
        writeText("* Sound on *");
    }
}

void pauseThenCue(int ms, Cue which)
{
    if (!soundIsOn()) return;
    pauseMs(ms);
    cue(which);
}
