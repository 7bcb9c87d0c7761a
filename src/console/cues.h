// The catalogue of sound cues. A cue is a fixed list of plays, each one sound file played to its
// end before the next begins. Cues decide nothing: whether sound is on, which repair tool
// clatters and which exit tune plays are the game's business (see core/sound.h).
#pragma once

#include <vector>

enum class Cue {
    SoundOn,          // intr: the sound question answered Y
    Ignition,         // "IGNITION!": stup then blof
    WheelSpin,        // whee: a spin of the cosmic wheel
    QuitConfirmed,    // quit: quitting confirmed
    Exit,             // the last ESC: exit in the full game, zapf in the Zapfest mode
    Accelerate,       // acce: accelerate
    Barrier,          // barr: force field barrier up
    DeadEquipment,    // dead: dead barrier generator or phaser cells
    Evade,            // evad: evasive action
    Phasers,          // phas: phasers fired
    RepairTool,       // one of six tools, chosen by the caller
    Damage,           // dama: the ship takes damage
    Warning,          // aler: a warning from Mission Control
    Meteor,           // mete four times
    Comet,            // come: a comet
    Shuttle,          // shut: the abandoned shuttle
    Explosion,        // expl: every explosion and crash
    Stumble,          // trip: a clumsy mishap
    Splash,           // spla: a splash
    RadiationField,   // raal: a radiation field
    RadioDrift,       // radi: the radio drifting
    FridgeBreakdown,  // refr: the refrigerator breaking down
    BeerDropped,      // bebo: the beer bottle dropped
    BeerSwept,        // besw: the beer swept up
    ShootingStar,     // star: a shooting star
    Supernova,        // nova: a supernova
    TimeWarpIn,       // tiwa: the time warp begins
    WarpNumberTyped,  // tw_g: the number to leave the warp entered
    TimeWarpOut,      // ouwa: back in the present
    AlienShip,        // alie: an alien ship
    AlienLaugh,       // laug: a triumphant laugh
    ShipVaporized,    // alla: the aliens have destroyed the ship
    AlienFire,        // phal: the aliens fire
    AlienHit,         // hit: the alien ship is hit
    ShotDeflected,    // defl: an alien shot deflected
    Asteroid,         // aste: the asteroid
    GranularGround,   // walk: flat granular ground
    StrangeNoise,     // wolf: something heard on the asteroid
    RockTaken,        // rock: a rock taken or traded
    OxygenGone,       // oxyg: oxygen gone
    RadioactiveRock,  // roen: a radioactive rock
    CliffFall,        // clif: the fall from the cliff
    Landing,          // lago: a landing
    Station,          // stat three times
    Arrest,           // arre three times
    OutOfFuel,        // fuel: the out-of-fuel ending
    TooManyWarnings,  // warn: the too-many-warnings ending
    MarsOrbit,        // tune: orbit around Mars
    Applause,         // grjo, appl five times, paho
};

constexpr int cueCount = static_cast<int>(Cue::Applause) + 1;

// The files a cue plays, in order, as the game names them ("data\\expl.wav"). `choice` picks
// the repair tool (1..6) for Cue::RepairTool and the exit tune for Cue::Exit (0 the full game,
// 1 the Zapfest mode); other cues ignore it.
std::vector<const char*> cuePlays(Cue cue, int choice = 0);

// Plays every file of the cue through the active console, back to back.
void playCue(Cue cue, int choice = 0);
