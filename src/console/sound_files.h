// Where the game's sound files are found, and how one is played on this platform.
#pragma once

#include <string>

// The game names its files "data\\expl.wav": data/expl.wav in the working directory first,
// then the data folder beside the program (a build tree), then share/games/zorvane/expl.wav
// beside its games folder (an install). Returns the path found, or an empty string.
std::string locateSoundFile(const char* gameName);

// The sound a game name stands for ("data\\expl.wav" -> "expl"), as the browser makes it with
// the synthesizer; an empty string for a name that is not a sound file.
std::string soundName(const char* gameName);

// Plays the file to its end before returning; any failure (no file, a bad file, no audio
// library, no device) is silent and quick.
void playGameSound(const char* gameName);
