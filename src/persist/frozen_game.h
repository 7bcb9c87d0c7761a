// The frozen game: "mars.dat" in the working directory, 82 decimal integers one per line.
// Lines 1-50 are decoys; then damage, warnings, fuel, spins, distanceLeft, phaserCells,
// barrierCharges, the three rock flags, stationVisited, the event deck's last slot and its
// twenty cards.
#pragma once

#include <string>
#include <string_view>

#include "core/mission_state.h"

extern const char* const frozenGameFile;

// F then Y at the wheel prompt: writes the file and ends the program on the frozen-game
// screen. Returns only when the file could not be written; the screen then says why and the
// game goes on.
void freezeGame();

// At start-up in the full game: offers to resume when the file can be opened.
void offerResume();

// The file's text for the current game; draws the fifty decoys from the generator.
std::string frozenGameText();

// Reads a frozen game into `into` (only the saved fields change). False, with `into`
// untouched, when the text is not a whole and sound frozen game.
bool readFrozenGame(std::string_view text, MissionState& into);

// Deletes the file (nothing happens when there is none).
void removeFrozenGame();
