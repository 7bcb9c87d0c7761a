// Coming down on the asteroid or the station, and going up again. Both ask the same question
// before landing, and both landings and both blast-offs are a gamble on a die of 20: the
// manoeuvre's cue plays before the outcome is known, and a 13 wrecks the ship.
#pragma once

#include "console/cues.h"
#include "mission/verse.h"

// The approach of a place one may land on: its cue, its two lines from column 1, row 5, and
// "Do you want to land?" at column 17, row 21 (blanked over `promptBlanks` columns) until Y or
// N. On Y: a cleared screen and the landing roll, with `crashVerse` for a 13. False on N.
bool approachAndLand(Cue approach, const char* sight, const char* detail, int promptBlanks,
                     const Verse& crashVerse);

// Rolls the die of 20 and plays `manoeuvre` whatever it shows. On a 13: the explosion, a
// cleared screen, `crashVerse` from column 1, row 3 and the end of the mission. Otherwise
// returns, and the caller tells of the good landing or blast-off.
void rollForCrash(Cue manoeuvre, const Verse& crashVerse);
