// Start-up: the title screen with its questions, the launch pad, and the two ways of leaving
// that do not belong to a mission's end.
#pragma once

#include "mission/verse.h"

// The whole program after the console is installed: seeds chance, asks the title questions,
// blasts off (or resumes) and runs the chosen mode. Never returns.
[[noreturn]] void runGame();

void titleMenu();
void launchPad();
// "SORRY YOU CANNOT PLAY NOW": the way out for ESC before play begins.
[[noreturn]] void exitScreen();
// "Do you want to quit this game?": returns on N; Y ends the mission.
void confirmQuit();

// The verse of its ending, for the tests that read it off the screen.
extern const Verse launchPadCrashVerse;
