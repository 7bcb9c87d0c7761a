// The end-of-mission screen: the common last screen of every ending and confirmed quit.
#pragma once

// Deletes the frozen game (full game only), prints the spins and the distance left at the
// cursor, says goodbye, waits for ESC, plays the exit cue and ends the program.
[[noreturn]] void endMission();

// The two-line donation appeal at the cursor (the second line ends in an empty line).
void writeDonationAppeal();
