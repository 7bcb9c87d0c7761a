// The space station: rocks traded for fuel, phaser cells and a barrier generator.
#pragma once

#include "core/verse.h"

void spaceStation();  // event kind 1, once, in the second half of the voyage

// The blast-off prompt and the die of 20; returns after a good blast-off.
void stationBlastOff();
// A good asked for with a rock the player does not carry: arrested.
[[noreturn]] void cannotPayEnding();

// The verses of its endings, for the tests that read them off the screen.
extern const Verse stationLandingCrashVerse;
extern const Verse arrestVerse;
extern const Verse stationBlastOffCrashVerse;
