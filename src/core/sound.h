// The game's side of sound: every cue goes through here, so none plays while sound is off.
#pragma once

#include "console/cues.h"

// Plays the cue while soundOn is 'y'. The repair-tool cue picks its tool with gameRand() % 6 + 1
// (leaving dieRoll alone); the exit cue plays the Zapfest tune in the Zapfest mode.
void cue(Cue which);

// S at the wheel or the Zapfest menu: "* Sound off *" or "* Sound on *" at column 17, row 19.
// A setting never answered (neither 'y' nor 'n') is left alone.
void toggleSound();

// A pause that belongs to a cue: waits only while sound is on, then plays the cue.
void pauseThenCue(int ms, Cue which);
