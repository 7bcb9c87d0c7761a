#include "endings/end_mission.h"

#include "console/console.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/status.h"
#include "persist/frozen_game.h"
#include "core/screen_places.h"

namespace {

void writeDistanceLeft()
{
    const std::string distance = milesInWords(mission.distanceLeft, " ");
    if (!distance.empty()) write("You had ", distance, " miles to go.");
}

}  // namespace

// The two-line donation appeal at the cursor (the second line ends in an empty line).
static void writeDonationAppeal()
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
        removeFrozenGame();
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

// The question stands on the prompt row, which on the asteroid may hold any line of the walk's
// text: the row is blanked to the screen's edge first, and N blanks the whole question.
void confirmQuit()
{
    const std::string_view question = "Do you want to quit this game?  Y or N  ";
    for (;;) {
        gotoColRow(1, promptRow);
        writeBlanks(blanksToEdge(1));
        gotoColRow(statusCol, promptRow);
        pauseMs(200);
        writeText(question);
        const char key = lowerKey(readKey());
        if (key == 'n') {
            gotoColRow(statusCol, promptRow);
            writeBlanks(static_cast<int>(question.size()));
            gotoColRow(statusCol, promptRow);
            return;
        }
        if (key == 'y') {
            clearScreen();
            cue(Cue::QuitConfirmed);
            endMission();
        }
    }
}
