// Every landing and blast-off away from the launching pad is a gamble on a die of 20: the
// manoeuvre's cue plays before the outcome is known, and a 13 wrecks the ship.
#pragma once

#include "console/cues.h"
#include "core/verse.h"

// Rolls the die of 20 and plays `manoeuvre` whatever it shows. On a 13: the explosion, a
// cleared screen, `crashVerse` from column 1, row 3 and the end of the mission. Otherwise
// returns, and the caller tells of the good landing or blast-off.
void rollForCrash(Cue manoeuvre, const Verse& crashVerse);
