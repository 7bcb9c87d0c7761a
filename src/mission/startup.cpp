#include "mission/startup.h"

#include "aliens/zapfest.h"
#include "console/console.h"
#include "instructions/instructions.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "core/verse.h"
#include "mission/wheel.h"
#include "endings/end_mission.h"
#include "persist/frozen_game.h"

const Verse launchPadCrashVerse = {
    "Oh no!  You crashed on blastoff.\n",
    "The rockets roared, the gantry shook,\n",
    "Then sideways went the ship you took.\n",
    "The launch crew ducked behind the wall\n",
    "And watched your mighty rocket fall.\n",
    "The cape is strewn with bits of tin,\n",
    "You'll need a brand new ship to win.\n",
    "But THIS MISSION IS OVER!\n",
};

namespace {

void drawTitleScreen()
{
    clearScreen();
    gotoColRow(33, 7);
    writeText("ZORVANE");
    gotoColRow(28, 9);
    writeText("Version 3.1 for Windows");
    gotoColRow(12, 12);
    writeText("A voyage from the Earth to Mars, written by the Zorvane developers.");
    gotoColRow(40, 13);
    writeText("Tell the Zorvane developers your tales!");
    gotoColRow(1, 15);
    writeText("Zorvane is free: copy it and give it away, with all of its files intact, but");
    gotoColRow(1, 16);
    writeText("never sell it.  It comes as it is, without warranties of any kind.");
}

// One title question at column 23, row 21; returns the lower-cased key.
char titleQuestion(int blanks, const char* question)
{
    if (blanks > 0) {
        showPrompt(23, 21, blanks, 200, question);
    } else {
        gotoColRow(23, 21);
        pauseMs(200);
        writeText(question);
    }
    return lowerKey(readKey());
}

void askMode()
{
    for (;;) {
        const char key = titleQuestion(55, "Full game or Zapfest Game?  F or W  ");
        if (key == 'f') {
            offerResume();
            return;
        }
        if (key == 'w') {
            mission.zapfestMode = 1;
            return;
        }
        if (key == keyEsc) exitScreen();
    }
}

void askInstructions()
{
    for (;;) {
        const char key = titleQuestion(55, "Do you want instructions?  Y or N  ");
        if (key == 'y') {
            instructionPages();
            return;
        }
        if (key == 'n') return;
        if (key == keyEsc) exitScreen();
    }
}

void askSound()
{
    for (;;) {
        // No blanking: the question's five trailing blanks cover the one before it.
        const char key = titleQuestion(0, "Do you want sound effects?  Y or N     ");
        mission.soundOn = key;
        if (key == 'y') {
            cue(Cue::Intr);
            return;
        }
        if (key == 'n') return;
        if (key == keyEsc) exitScreen();
    }
}

// The file cannot be resumed: only B (a new game beside it) or ESC.
void offerNewGameOnly()
{
    gotoColRow(23, 20);
    writeText("The frozen game is damaged and cannot be resumed.");
    for (;;) {
        showPrompt(23, 21, 50, 500, "Begin new game with B, or ESCAPE to leave ");
        const int key = readKey();
        if (key == keyEsc) exitScreen();
        if (lowerKey(key) == 'b') return;
    }
}

[[noreturn]] void blastOffCrash()
{
    cue(Cue::Expl);
    clearScreen();
    gotoColRow(1, 5);
    writeVerse(launchPadCrashVerse);
    pauseMs(3000);
    waitForEscape();
    cue(Cue::Exit);
    endProgram();
}

}  // namespace

void runGame()
{
    seedChance();
    titleMenu();
    if (mission.zapfestMode == 0 && mission.resumedGame == 0) launchPad();
    if (mission.zapfestMode == 0) wheelLoop();
    zapfestLoop();
}

void titleMenu()
{
    drawTitleScreen();
    askMode();
    askInstructions();
    askSound();
}

void launchPad()
{
    clearScreen();
    gotoColRow(15, 12);
    writeText("** YOU ARE ON THE LAUNCHING PAD AT CAPE CANAVERAL **");
    for (;;) {
        gotoColRow(28, 21);
        writeBlanks(29);
        pauseMs(200);
        gotoColRow(28, 21);
        writeText("Press B to blast off  ");
        const int key = readKey();
        if (key == keyEsc || key == keyCtrlC) exitScreen();
        if (lowerKey(key) == 'b') break;
    }
    clearScreen();
    gotoColRow(36, 12);
    writeText("IGNITION!");
    cue(Cue::Ignition);

    rollDie(20);
    if (mission.dieRoll == 13) blastOffCrash();

    gotoColRow(31, 12);
    writeBlanks(29);
    gotoColRow(31, 12);
    writeText("SUCCESSFUL BLASTOFF!");
    gotoColRow(20, 14);
    writeText("* You are now in orbit around the Earth *");
    gotoColRow(17, 16);
    pauseMs(1000);
    writeText("You are ready to begin your 35 million mile trip.");
    gotoColRow(17, 20);
    write("You have ", mission.fuel, " units of fuel");

    rollDie(5);
    mission.phaserCells = mission.dieRoll + 2;
    rollDie(5);
    mission.barrierCharges = mission.dieRoll + 2;
}

void offerResume()
{
    MissionState resumed = mission;
    const FrozenGameFile found = loadFrozenGame(resumed);
    if (found == FrozenGameFile::None) return;
    if (found == FrozenGameFile::Damaged) {
        offerNewGameOnly();
        return;
    }
    for (;;) {
        showPrompt(23, 21, 50, 500, "Resume prior game  or begin new game, R or B? ");
        const int key = readKey();
        const char letter = lowerKey(key);
        if (key == keyEsc) exitScreen();
        if (letter == 'b') return;
        if (letter == 'r') break;
    }
    resumed.resumedGame = 1;
    mission = resumed;
    showPrompt(23, 20, 49, 200, "Resuming prior game");
}
