#include "console/cues.h"

#include "console/console.h"

namespace {

using Plays = std::vector<const char*>;

Plays repeated(const char* file, int times) { return Plays(static_cast<std::size_t>(times), file); }

Plays repairToolPlays(int tool)
{
    switch (tool) {
    case 1: return repeated("data\\repa.wav", 5);
    case 2: return repeated("data\\dril.wav", 2);
    case 3: return {"data\\hamm.wav"};
    case 4: return {"data\\wren.wav"};
    case 5: return {"data\\dri2.wav"};
    default: return {"data\\saw.wav"};
    }
}

}  // namespace

std::vector<const char*> cuePlays(Cue cue, int choice)
{
    switch (cue) {
    case Cue::SoundOn: return {"data\\intr.wav"};
    case Cue::Ignition: return {"data\\stup.wav", "data\\blof.wav"};
    case Cue::WheelSpin: return {"data\\whee.wav"};
    case Cue::QuitConfirmed: return {"data\\quit.wav"};
    case Cue::Exit: return {choice == 1 ? "data\\zapf.wav" : "data\\exit.wav"};
    case Cue::Accelerate: return {"data\\acce.wav"};
    case Cue::Barrier: return {"data\\barr.wav"};
    case Cue::DeadEquipment: return {"data\\dead.wav"};
    case Cue::Evade: return {"data\\evad.wav"};
    case Cue::Phasers: return {"data\\phas.wav"};
    case Cue::RepairTool: return repairToolPlays(choice);
    case Cue::Damage: return {"data\\dama.wav"};
    case Cue::Warning: return {"data\\aler.wav"};
    case Cue::Meteor: return repeated("data\\mete.wav", 4);
    case Cue::Comet: return {"data\\come.wav"};
    case Cue::Shuttle: return {"data\\shut.wav"};
    case Cue::Explosion: return {"data\\expl.wav"};
    case Cue::Stumble: return {"data\\trip.wav"};
    case Cue::Splash: return {"data\\spla.wav"};
    case Cue::RadiationField: return {"data\\raal.wav"};
    case Cue::RadioDrift: return {"data\\radi.wav"};
    case Cue::FridgeBreakdown: return {"data\\refr.wav"};
    case Cue::BeerDropped: return {"data\\bebo.wav"};
    case Cue::BeerSwept: return {"data\\besw.wav"};
    case Cue::ShootingStar: return {"data\\star.wav"};
    case Cue::Supernova: return {"data\\nova.wav"};
    case Cue::TimeWarpIn: return {"data\\tiwa.wav"};
    case Cue::WarpNumberTyped: return {"data\\tw_g.wav"};
    case Cue::TimeWarpOut: return {"data\\ouwa.wav"};
    case Cue::AlienShip: return {"data\\alie.wav"};
    case Cue::AlienLaugh: return {"data\\laug.wav"};
    case Cue::ShipVaporized: return {"data\\alla.wav"};
    case Cue::AlienFire: return {"data\\phal.wav"};
    case Cue::AlienHit: return {"data\\hit.wav"};
    case Cue::ShotDeflected: return {"data\\defl.wav"};
    case Cue::Asteroid: return {"data\\aste.wav"};
    case Cue::GranularGround: return {"data\\walk.wav"};
    case Cue::StrangeNoise: return {"data\\wolf.wav"};
    case Cue::RockTaken: return {"data\\rock.wav"};
    case Cue::OxygenGone: return {"data\\oxyg.wav"};
    case Cue::RadioactiveRock: return {"data\\roen.wav"};
    case Cue::CliffFall: return {"data\\clif.wav"};
    case Cue::Landing: return {"data\\lago.wav"};
    case Cue::Station: return repeated("data\\stat.wav", 3);
    case Cue::Arrest: return repeated("data\\arre.wav", 3);
    case Cue::OutOfFuel: return {"data\\fuel.wav"};
    case Cue::TooManyWarnings: return {"data\\warn.wav"};
    case Cue::MarsOrbit: return {"data\\tune.wav"};
    case Cue::Applause: {
        Plays plays{"data\\grjo.wav"};
        for (int i = 0; i < 5; ++i) plays.push_back("data\\appl.wav");
        plays.push_back("data\\paho.wav");
        return plays;
    }
    }
    return {};
}

void playCue(Cue cue, int choice)
{
    for (const char* file : cuePlays(cue, choice)) activeConsole().playSound(file);
}
