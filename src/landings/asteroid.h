// The asteroid: a landing, a walk over its dark surface looking for rocks, and a blast-off.
//
// The surface is a 4 by 4 map of squares numbered row by row from the north-west corner, with
// the ship on square 7. Off the map the walk goes on over flat land without end: a square is
// any int, and 99 is the move reader's word for "blast off".
#pragma once

#include "core/lines.h"


void asteroidEncounter();  // event kind 17

// The square the player stands on when the walk begins, and the move reader's blast-off.
constexpr int shipSquare = 7;
constexpr int blastOffMove = 99;

// What the player finds on arriving at `square`: its cue and its lines.
void describeSquare(int square);
// For any square but the ship: charges oxygen and offers the rock lying there (placing the
// rocks first when the run has none yet).
void chargeOxygenAndOfferRock(int square);
// Reads keys until a move is accepted; returns the new square, or 99 for a blast-off.
int readMove(int square);
// Five units of oxygen, or suffocation when five or less are left.
void chargeOxygen();

// The verses of its endings, for the tests that read them off the screen.
extern const Lines asteroidLandingCrashVerse;
extern const Lines asteroidBlastOffCrashVerse;
extern const Lines suffocationVerse;
extern const Lines radioactiveRockVerse;
extern const Lines cliffVerse;
