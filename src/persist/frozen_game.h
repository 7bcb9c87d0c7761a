// The frozen game: "mars.dat" in the working directory, 82 decimal integers one per line.
// Lines 1-50 are decoys; then damage, warnings, fuel, spins, distanceLeft, phaserCells,
// barrierCharges, the three rock flags, stationVisited, the event deck's last slot and its
// twenty cards.
#pragma once

#include <string>
#include <string_view>

#include "core/mission_state.h"

extern const char* const frozenGameFile;

// Writes the file for the current game (see replaceFile: the old file stays whole on failure).
// False, with `error` saying why, when it could not be written.
bool saveFrozenGame(std::string& error);

// What start-up finds in the working directory. Only Loaded changes `into` (only the saved
// fields); Damaged is a file, or something else under its name, that is not a whole and sound
// frozen game. Leftover temporary files of a killed game are cleared first.
enum class FrozenGameFile { None, Damaged, Loaded };
FrozenGameFile loadFrozenGame(MissionState& into);

// The file's text for the current game; draws the fifty decoys from the generator.
std::string frozenGameText();

// Reads a frozen game into `into` (only the saved fields change). False, with `into`
// untouched, when the text is not a whole and sound frozen game.
bool readFrozenGame(std::string_view text, MissionState& into);

// Deletes the file (nothing happens when there is none).
void removeFrozenGame();
