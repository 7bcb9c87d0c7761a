// The four endings the wheel loop watches for. None of them returns.
#pragma once

#include "core/verse.h"

[[noreturn]] void damageEnding();
[[noreturn]] void warningsEnding();
[[noreturn]] void outOfFuelEnding();
[[noreturn]] void marsArrival();

// The verses of its endings, for the tests that read them off the screen.
extern const Verse damageVerse;
extern const Verse warningsVerse;
extern const Verse outOfFuelVerse;
extern const Verse marsCrashVerse;
extern const Verse marsSuccessVerse;
