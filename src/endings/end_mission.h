// The last screens: the end-of-mission screen (the common last screen of every ending and
// confirmed quit), the quit question and the way out before play begins.
#pragma once

// Deletes the frozen game (full game only), prints the spins and the distance left at the
// cursor, says goodbye, waits for ESC, plays the exit cue and ends the program.
[[noreturn]] void endMission();

// The two-line donation appeal at the cursor (the second line ends in an empty line).
void writeDonationAppeal();

// The goodbye of the last screens: the appeal at column 1, row 18, the goodbye at column 34,
// row 21, three seconds, then the wait for ESC.
void sayGoodbye(const char* goodbye);

// "Press ESCAPE to exit " at column 34, row 22; every key but ESC is ignored.
void waitForEscape();

// "SORRY YOU CANNOT PLAY NOW": the way out for ESC before play begins.
[[noreturn]] void exitScreen();
// "Do you want to quit this game?": returns on N; Y ends the mission.
void confirmQuit();
