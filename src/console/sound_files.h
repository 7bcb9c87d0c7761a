// Where the game's sound files are found, and how one is played on this platform.
#pragma once

#include <string>

// The game names its files "data\\expl.wav": data/expl.wav in the working directory first,
// then the data folder beside the program (a build tree), then share/games/zorvane/expl.wav
// beside its games folder (an install). Returns the path found, or an empty string.
std::string locateSoundFile(const char* gameName);

// The file a game name stands for, relative to the game's folder ("data/expl.wav"), as the
// browser asks its web server for it; an empty string for a name that is not a sound file.
std::string soundFileInData(const char* gameName);

// Plays the file to its end before returning; any failure (no file, a bad file, no audio
// library, no device) is silent and quick.
void playGameSound(const char* gameName);
