#include "landings/touchdown.h"

#include "console/console.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "endings/end_mission.h"

bool approachAndLand(Cue approach, const char* sight, const char* detail, int promptBlanks,
                     const Verse& crashVerse)
{
    cue(approach);
    gotoColRow(1, 5);
    writeText(sight);
    writeText(detail);

    char answer = 0;
    do {
        showPrompt(17, 21, promptBlanks, 200, "Do you want to land?  Y or N  ");
        answer = lowerKey(readKey());
    } while (answer != 'y' && answer != 'n');
    if (answer == 'n') return false;

    clearScreen();
    rollForCrash(Cue::Lago, crashVerse);
    return true;
}
