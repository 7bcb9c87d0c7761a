// The cosmic wheel: the main loop of the full game, the status rows and the event dispatch.
#pragma once

// Spins until an ending, a confirmed quit or a freeze ends the program. Never returns.
[[noreturn]] void wheelLoop();

// Draws the next event card and runs its encounter (or the Moon at 348).
void dispatchEvent();

// One pass of the wheel prompt and, on ENTER, one spin. Returns false when the loop's end
// checks say the mission is over (the caller then picks the ending).
bool wheelTurn();
