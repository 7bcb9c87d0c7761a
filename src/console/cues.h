// The catalogue of sound cues. A cue is a fixed list of plays, each one sound file played to its
// end before the next begins. Cues decide nothing: whether sound is on, which repair tool
// clatters and which exit tune plays are the game's business (see mission/sound.h).
#pragma once

#include <string>
#include <vector>

enum class Cue {
    Intr,        // the sound question answered Y
    Ignition,    // "IGNITION!": stup then blof
    Whee,        // a spin of the cosmic wheel
    Quit,        // quitting confirmed
    Exit,        // the last ESC: exit in the full game, zapf in the Zapfest mode
    Acce,        // accelerate
    Barr,        // force field barrier up
    Dead,        // dead barrier generator or phaser cells
    Evad,        // evasive action
    Phas,        // phasers fired
    RepairTool,  // one of six tools, chosen by the caller
    Dama,        // the ship takes damage
    Aler,        // a warning from Mission Control
    Meteor,      // mete four times
    Come,        // a comet
    Shut,        // the abandoned shuttle
    Expl,        // every explosion and crash
    Trip,        // a clumsy mishap
    Spla,        // a splash
    Raal,        // a radiation field
    Radi,        // the radio drifting
    Refr,        // the refrigerator breaking down
    Bebo,        // the beer bottle dropped
    Besw,        // the beer swept up
    Star,        // a shooting star
    Nova,        // a supernova
    Tiwa,        // the time warp begins
    TwG,         // the number to leave the warp entered
    Ouwa,        // back in the present
    Alie,        // an alien ship
    Laug,        // a triumphant laugh
    Alla,        // the aliens have destroyed the ship
    Phal,        // the aliens fire
    Hit,         // the alien ship is hit
    Defl,        // an alien shot deflected
    Aste,        // the asteroid
    Walk,        // flat granular ground
    Wolf,        // something heard on the asteroid
    Rock,        // a rock taken or traded
    Oxyg,        // oxygen gone
    Roen,        // a radioactive rock
    Clif,        // the fall from the cliff
    Lago,        // a landing
    Station,     // stat three times
    Arrest,      // arre three times
    Fuel,        // the out-of-fuel ending
    Warn,        // the too-many-warnings ending
    Tune,        // orbit around Mars
    Applause,    // grjo, appl five times, paho
};

constexpr int cueCount = static_cast<int>(Cue::Applause) + 1;

// The files a cue plays, in order, as the game names them ("data\\expl.wav"). `choice` picks
// the repair tool (1..6) for Cue::RepairTool and the exit tune for Cue::Exit (0 the full game,
// 1 the Zapfest mode); other cues ignore it.
std::vector<const char*> cuePlays(Cue cue, int choice = 0);

// Plays every file of the cue through the active console, back to back.
void playCue(Cue cue, int choice = 0);

// Every sound file any cue can play, each once, as "data\\name.wav".
std::vector<std::string> allSoundFiles();
