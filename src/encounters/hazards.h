// Collision hazards: something on a collision course with the ship.
#pragma once

#include "core/verse.h"

#include <vector>

void meteorStorm();       // event kind 10
void spaceJunk();         // event kind 7
void comet();             // event kind 16
void abandonedShuttle();  // event kind 18
[[noreturn]] void shuttleExplosionEnding();

// The tables, for the tests of their properties.
struct Encounter;
std::vector<const Encounter*> hazardTables();

// The verse of its ending, for the tests that read it off the screen.
extern const Verse shuttleExplosionVerse;
