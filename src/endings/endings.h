// The endings. Every ending but the arrival at Mars has one shape, written as one row: the last
// screen stays a moment, the cues play, the screen clears, the verse is written from column 1
// of its row, then the end-of-mission screen. None of them returns.
#pragma once

#include <vector>

#include "console/cues.h"
#include "core/lines.h"

struct Ending {
    int pauseBefore;       // ms the last screen stays before the cues (0: none)
    std::vector<Cue> cues;
    bool cuesAfterClear;   // the cues sound on the cleared screen rather than over the last one
    int pauseAfterClear;   // ms (0: none)
    int verseRow;
    const Lines& verse;
};

[[noreturn]] void endWith(const Ending& ending);

// Every landing and blast-off away from the launching pad is a gamble on a die of 20: rolls the
// die and plays `manoeuvre` whatever it shows. On a 13: the explosion, a cleared screen,
// `crashVerse` from column 1, row 3 and the end of the mission. Otherwise returns, and the
// caller tells of the good landing or blast-off.
void rollForCrash(Cue manoeuvre, const Lines& crashVerse);

// The three endings the wheel loop watches for.
extern const Ending damageEnding;
extern const Ending warningsEnding;
extern const Ending outOfFuelEnding;

[[noreturn]] void marsArrival();

// The verses of its endings, for the tests that read them off the screen.
extern const Lines damageVerse;
extern const Lines warningsVerse;
extern const Lines outOfFuelVerse;
extern const Lines marsCrashVerse;
extern const Lines marsSuccessVerse;
