// The space station: rocks traded for fuel, phaser cells and a barrier generator.
#pragma once

#include "core/lines.h"

void spaceStation();  // event kind 1, once, in the second half of the voyage

// The verses of its endings, for the tests that read them off the screen.
extern const Lines stationLandingCrashVerse;
extern const Lines arrestVerse;
extern const Lines stationBlastOffCrashVerse;
