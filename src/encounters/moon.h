// The Moon, met only when the first spin of a voyage shows 1.
#pragma once

#include "core/verse.h"

#include <vector>

void moonPass();
[[noreturn]] void moonCrashEnding();

// The tables, for the tests of their properties.
struct Encounter;
std::vector<const Encounter*> moonTables();

// The verse of its ending, for the tests that read it off the screen.
extern const Verse moonCrashVerse;
