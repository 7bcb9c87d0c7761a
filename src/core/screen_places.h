// The places on the 80x25 screen that several scenes share. Column 17 holds the wheel's rows:
// the freeze question, the distance (and the sound notice), the fuel, the prompt and the spin.
#pragma once

#include "console/screen_model.h"

// The blanks that reach from column `col` to the screen's right edge.
constexpr int blanksToEdge(int col) { return ScreenModel::columns - col + 1; }

constexpr int statusCol = 17;
constexpr int freezeRow = 18;
constexpr int distanceRow = 19;
constexpr int fuelRow = 20;
constexpr int promptRow = 21;
constexpr int spinRow = 22;

// The title's questions stand further right on the prompt row.
constexpr int titlePromptCol = 23;
