// The instruction pages: three screens of fixed text offered at start-up, paged with C and B
// and left with R. They run before the sound question, so they play nothing, and they change
// nothing in the mission.
#include "instructions/instructions.h"

#include <vector>

#include "console/console.h"
#include "endings/end_mission.h"

namespace {

// A run of lines written from one position, each ending in a line end.
struct TextBlock {
    int col;
    int row;
    std::vector<const char*> lines;
};

using Page = std::vector<TextBlock>;

const Page pages[] = {
    {
        {18, 2, {"* INSTRUCTIONS FOR ZORVANE *\n"}},
        {38, 3, {"by the Zorvane developers\n", "\n"}},
        {1, 5, {
            "In the full game of Zorvane your challenge is to travel from the Earth to Mars\n",
            "without too much damage to your ship, without running out of fuel, without\n",
            "being vaporized by space aliens or crashing your ship, and past many other\n",
            "dangers.  The Zapfest game offers only repeated battles with the aliens, in\n",
            "which you have two possible actions.\n",
            "\n",
            "After the opening announcement you are asked whether you want sound effects:\n",
            "press Y for sound or N for none.\n",
            "Never press ENTER after a choice that asks for a letter: the letter alone is\n",
            "enough.  Where you are asked for a number, type it and then press ENTER.\n",
            "In the full game you are next asked to press B to blast off from the\n",
            "launching pad.  A successful blast-off begins your thirty-five-million-mile\n",
            "trip to Mars.\n",
        }},
    },
    {
        {1, 2, {
            "You travel by spinning the cosmic wheel: press ENTER to spin it.  The wheel\n",
            "gives a number from 1 to 10, and your ship travels two hundred thousand miles\n",
            "times that number.  A 6, for example, carries you one million two hundred\n",
            "thousand miles nearer to Mars.  Press S when you are told to spin the cosmic\n",
            "wheel to turn the sound effects on or off.\n",
            "\n",
            "Each spin of the cosmic wheel brings you a new situation.  Most of them need\n",
            "a choice from you, and the prompt then asks you to press A, B, E, F, R, N or\n",
            "H, which stand for:\n",
            "          A  accelerating \x1e\n",
            "          B  using the force field barrier \x1e\n",
            "          E  taking evasive action \x1e\n",
            "          F  firing the phasers \x1e\n",
            "          R  making repairs \x1e\n",
            "          N  taking no action \x1e\n",
            "          H  getting help when you forget the letters \x1e\n",
            "Only F and B are available in the Zapfest game.\n",
            "You may leave the game whenever you are told to spin the cosmic wheel, by\n",
            "pressing ESC or Ctrl-C.  You may also leave at the preliminary prompts at the\n",
            "start of the program.\n",
        }},
    },
    {
        {1, 2, {
            "Most of the prompts explain themselves, so read them carefully.\n",
            "There are many ways of being kept from reaching Mars, and there are surprises\n",
            "in store for you along the way.\n",
            "Keep an eye on your fuel: each spin of the cosmic wheel uses ten units of it.\n",
            "Every instance of damage to your ship must be repaired, or the damage will\n",
            "add up until your ship can fly no more.\n",
            "\n",
            "     Going too fast may throw you into a time warp.  An astute space traveller\n",
            "escapes the time warp at the first attempt.\n",
            "\n",
            "     When you are told to spin the cosmic wheel you can freeze the game by\n",
            "pressing F instead of ENTER.  The next time you run Zorvane you may resume\n",
            "the frozen game or begin a new one.\n",
            "\n",
            "Zorvane is free: copy it and give it away, with all of its files intact, but\n",
            "never sell it.  It comes as it is, without warranties of any kind.\n",
            "If Zorvane gave you a good trip, a small gift to its developers keeps the\n",
            "cosmic wheel spinning for the next traveller.\n",
            "More notes on the voyage come with the game, among its other files; read them\n",
            "for the finer points of flying to Mars.\n",
            "Good luck, space traveller!  May the cosmic wheel spin kindly for you, and may\n",
            "you come home with tales to tell.\n",
            // The page's prompt is written over the start of this row; the credit stands
            // clear of it.
            "                                                  from the Zorvane developers\n",
        }},
    },
};

constexpr int stayHere = -1;  // prompt again without redrawing the page
constexpr int leavePages = 0;

// What each page's keys do; pages are numbered from 1.
struct Navigation {
    int pauseMs;  // before the prompt; 0 for none
    const char* prompt;
    int onC;
    int onB;
    int onR;
};

const Navigation navigation[] = {
    {200, "Press C to continue or R to return to the game.  ", 2, stayHere, leavePages},
    {200, "Press C to continue or B to back up or R to return to the game  ", 3, 1, leavePages},
    {0, "Press B to back up or R to return to the game  ", stayHere, 2, leavePages},
};

void drawPage(const Page& page)
{
    clearScreen();
    for (const TextBlock& block : page) {
        gotoColRow(block.col, block.row);
        for (const char* line : block.lines) writeText(line);
    }
}

void showPagePrompt(const Navigation& nav)
{
    gotoColRow(1, 24);
    writeBlanks(31);
    gotoColRow(1, 24);
    if (nav.pauseMs > 0) pauseMs(nav.pauseMs);
    writeText(nav.prompt);
}

// Asks at the page's prompt until a key it knows; returns the next page, or leavePages
// with `quitKey` set when the player asked to leave the program.
int nextPage(const Navigation& nav, bool& quitKey)
{
    for (;;) {
        showPagePrompt(nav);
        const int key = readKey();
        if (key == keyEsc || key == keyCtrlC) {
            quitKey = true;
            return leavePages;
        }
        int next = stayHere;
        switch (lowerKey(key)) {
        case 'c': next = nav.onC; break;
        case 'b': next = nav.onB; break;
        case 'r': next = nav.onR; break;
        default: break;
        }
        if (next != stayHere) return next;
    }
}

}  // namespace

void instructionPages()
{
    bool quitKey = false;
    for (int page = 1; page != leavePages;) {
        const auto index = static_cast<std::size_t>(page - 1);
        drawPage(pages[index]);
        page = nextPage(navigation[index], quitKey);
    }
    clearScreen();
    if (quitKey) exitScreen();
    gotoColRow(33, 7);
    writeText("ZORVANE");
}
