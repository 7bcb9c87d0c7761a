// The frozen-game screen: the last screen of a game frozen at the wheel.
#pragma once

// F then Y at the wheel prompt: writes the file and ends the program on the frozen-game
// screen. Returns only when the file could not be written; the screen then says why and the
// game goes on.
void freezeGame();
