// The asteroid: a landing, a walk over its dark surface looking for rocks, and a blast-off.
//
// The surface is a 4 by 4 map of squares numbered row by row from the north-west corner, with
// the ship on square 7. Off the map the walk goes on over flat land without end: a square is
// any int, and 99 is the move reader's word for "blast off".
#pragma once

#include "core/verse.h"

void asteroidEncounter();  // event kind 17

// The square the player stands on when the walk begins, and the move reader's blast-off.
constexpr int shipSquare = 7;
constexpr int blastOffMove = 99;

// The cue and the description of a square, written each time the player arrives there.
void describeSquare(int square);
// Places the rocks on the first call of the run; for any square but the ship charges oxygen
// and offers a rock lying there.
void showSquare(int square);
// Reads keys until a move is accepted; returns the new square, or 99 for a blast-off.
int readMove(int square);
// Five units of oxygen, or suffocation when five or less are left.
void chargeOxygen();
// "Do you want to take it?": 'y' or 'n'.
char askTakeIt();
// The die of 20 for the blast-off; returns after a good one.
void asteroidBlastOff();

[[noreturn]] void suffocationEnding();
[[noreturn]] void radioactiveRockEnding();
[[noreturn]] void cliffEnding();

// The verses of its endings, for the tests that read them off the screen.
extern const Verse asteroidLandingCrashVerse;
extern const Verse asteroidBlastOffCrashVerse;
extern const Verse suffocationVerse;
extern const Verse radioactiveRockVerse;
extern const Verse cliffVerse;
