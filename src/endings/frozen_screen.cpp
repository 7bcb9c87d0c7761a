#include "endings/frozen_screen.h"

#include <string>

#include "console/console.h"
#include "core/sound.h"
#include "endings/end_mission.h"
#include "persist/frozen_game.h"

namespace {

[[noreturn]] void showFrozenScreen()
{
    clearScreen();
    gotoColRow(16, 12);
    writeText("GAME HAS BEEN FROZEN!  COME BACK FOR CONCLUSION");
    sayGoodbye("Bye for now pal!");
    cue(Cue::Exit);
    endProgram();
}

}  // namespace

void freezeGame()
{
    std::string error;
    if (!saveFrozenGame(error)) {
        // Said on the row below the wheel prompt, which nothing else uses, within its 64 columns.
        std::string message = "The game could not be frozen: " + error + ".";
        message.resize(64, ' ');
        gotoColRow(17, 23);
        writeText(message);
        return;
    }
    showFrozenScreen();
}
