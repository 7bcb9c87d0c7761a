// Start-up: the title screen with its questions, the offer to resume a frozen game and the
// launch pad.
#pragma once

#include "core/verse.h"

// The whole program after the console is installed: seeds chance, asks the title questions,
// blasts off (or resumes) and runs the chosen mode. Never returns.
[[noreturn]] void runGame();

void titleMenu();
void launchPad();
// At start-up in the full game: offers to resume when a frozen game is there, or only a new
// game beside it when the file is damaged.
void offerResume();

// The verse of its ending, for the tests that read it off the screen.
extern const Verse launchPadCrashVerse;
