#include "encounters/action_prompt.h"

#include <cstring>

#include "console/console.h"
#include "core/screen_places.h"

static char helpPage();

const Lines helpPageText = {
    "You need help \x1e here it is.\n",
    "Below is a list of letters with their definitions.  Simply press the\n",
    "letter of your choice.\n\n",
    "A = Accelerate.\n",
    "B = Set up force field barrier.\n",
    "E = Take evasive action.\n",
    "F = Fire phasers.\n",
    "N = Take no action.\n",
};

namespace {

const char* const shortPrompt = "Make your move \x1e ";
const char* const longPrompt = "Press A, B, E, F, R, N, or H for help \x1e ";

char readAction()
{
    const char key = lowerKey(readKey());
    return key == 'h' ? helpPage() : key;
}

}  // namespace

static bool isActionLetter(char key) { return key != 0 && std::strchr("abefrn", key) != nullptr; }

char actionPrompt()
{
    showPrompt(statusCol, promptRow, 29, 200, shortPrompt);
    char key = readAction();
    // From the first wrong key on, this call keeps showing the list of keys.
    while (!isActionLetter(key)) {
        showPrompt(statusCol, promptRow, 29, 200, longPrompt);
        key = readAction();
    }
    gotoColRow(statusCol, promptRow);
    writeBlanks(50);
    gotoColRow(statusCol, promptRow);
    return key;
}

// The help page: lists the letters, waits for one of the six and clears the screen.
static char helpPage()
{
    clearScreen();
    gotoColRow(1, 2);
    writeLines(helpPageText);
    for (;;) {
        showPrompt(1, 24, 29, 200, "Press the letter of your choice \x1e ");
        const char key = lowerKey(readKey());
        if (isActionLetter(key)) {
            clearScreen();
            return key;
        }
    }
}
