// Monkey games: whole games played from start-up by a player who presses random keys, mostly
// the ones the screen asks for, and types random lines at the time warp. Every game is
// replayable from its number: the number seeds both the player and the game's own chance.
#pragma once

#include <cstdint>
#include <string>

struct MonkeyTally {
    long games = 0, keys = 0;
    long ended = 0;    // the program ended by itself
    long capped = 0;   // still prompting after the key limit: ended like end of input
    long zapfest = 0, frozen = 0, resumed = 0;
    long refused = 0;  // met a damaged mars.dat and was refused
    long failures = 0;
    long firstFailure = -1;  // the number of the first failing game, and what went wrong in it
    std::string failure;
};

// Plays game `number` in the current working directory (which it uses for mars.dat) and adds
// it to the tally. A failure is recorded in the tally, never thrown.
void playMonkeyGame(std::uint32_t number, MonkeyTally& tally);
