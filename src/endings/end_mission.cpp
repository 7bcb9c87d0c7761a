#include "endings/end_mission.h"

#include "console/console.h"
#include "console/files.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "persist/frozen_game.h"

namespace {

void writeDistanceLeft()
{
    const int millions = mission.distanceLeft / 10;
    const int hundredThousands = mission.distanceLeft % 10;
    if (millions > 0 && hundredThousands > 0)
        write("You had ", millions, " million ", hundredThousands, " hundred thousand miles to go.");
    else if (millions > 0 && hundredThousands == 0)
        write("You had ", millions, " million miles to go.");
    else if (millions == 0 && hundredThousands > 0)
        write("You had ", hundredThousands, " hundred thousand miles to go.");
}

}  // namespace

void writeDonationAppeal()
{
    writeText("Zorvane is free.  If it gave you a good trip, a small gift to its developers\n");
    writeText("keeps the cosmic wheel spinning.  Thank you, and come back soon!\n\n");
}

void sayGoodbye(const char* goodbye)
{
    gotoColRow(1, 18);
    writeDonationAppeal();
    gotoColRow(34, 21);
    writeText(goodbye);
    pauseMs(3000);
    waitForEscape();
}

void waitForEscape()
{
    gotoColRow(34, 22);
    writeText("Press ESCAPE to exit ");
    while (readKey() != keyEsc) {
    }
}

void endMission()
{
    if (mission.zapfestMode == 0) {
        if (readableFileOrOtherEntryAt(frozenGameFile)) removeFrozenGame();
        write("You made ", mission.spins, " spins of the cosmic wheel.\n");
        writeDistanceLeft();
    }
    sayGoodbye("Bye for now space traveller!");
    cue(Cue::Exit);
    endProgram();
}

void exitScreen()
{
    clearScreen();
    gotoColRow(16, 12);
    writeText("SORRY YOU CANNOT PLAY NOW, PLEASE COME BACK SOON.");
    pauseMs(1000);
    waitForEscape();
    endProgram();
}

void confirmQuit()
{
    for (;;) {
        gotoColRow(1, 21);
        writeBlanks(69);
        gotoColRow(17, 21);
        pauseMs(200);
        writeText("Do you want to quit this game?  Y or N  ");
        const char key = lowerKey(readKey());
        if (key == 'n') {
            gotoColRow(17, 21);
            writeBlanks(29);
            gotoColRow(17, 21);
            return;
        }
        if (key == 'y') {
            clearScreen();
            cue(Cue::Quit);
            endMission();
        }
    }
}
