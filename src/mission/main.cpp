// Zorvane: fly from the Earth to Mars, one spin of the cosmic wheel at a time.
#include <cstdio>
#include <cstring>

#include "console/platform.h"
#include "mission/startup.h"

namespace {

const char helpText[] =
    "Usage: zorvane [--help | --version]\n"
    "\n"
    "Fly from the Earth to Mars one spin of the cosmic wheel at a time, in a terminal\n"
    "of 80 columns by 25 rows. Every answer is one key, without ENTER.\n"
    "\n"
    "The title screen asks:\n"
    "  F or W    the full game, or the Zapfest game of alien battles\n"
    "  R or B    resume the frozen game, or begin a new one beside it\n"
    "  Y or N    instructions, then sound effects\n"
    "  ESC       leave\n"
    "\n"
    "A full game frozen at the cosmic wheel (F, then Y) is kept in the file mars.dat\n"
    "in the working directory: start the game there again to resume it.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

}  // namespace

int main(int argc, char** argv)
{
    // Answered before the console is set up, so the terminal's modes are never touched. Any
    // other argument is ignored.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("zorvane " ZORVANE_VERSION "\n", stdout);
            return 0;
        }
    }
    installConsole(platformConsole());
    runGame();
}
