// Coming down on the asteroid or the station: both ask the same question before landing, and
// both landings (like both blast-offs) are the crash roll of mission/crash.h.
#pragma once

#include "console/cues.h"
#include "endings/crash.h"
#include "core/verse.h"

// The approach of a place one may land on: its cue, its two lines from column 1, row 5, and
// "Do you want to land?" at column 17, row 21 (blanked over `promptBlanks` columns) until Y or
// N. On Y: a cleared screen and the landing roll, with `crashVerse` for a 13. False on N.
bool approachAndLand(Cue approach, const char* sight, const char* detail, int promptBlanks,
                     const Verse& crashVerse);
