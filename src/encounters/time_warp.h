// The time warp: a small number puzzle in the middle of the voyage.
#pragma once

void timeWarp();
// Draws an era card, writes its line at the cursor and returns the last digit of its year.
int eraLine();
