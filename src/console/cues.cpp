#include "console/cues.h"

#include <algorithm>

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
    case Cue::Intr: return {"data\\intr.wav"};
    case Cue::Ignition: return {"data\\stup.wav", "data\\blof.wav"};
    case Cue::Whee: return {"data\\whee.wav"};
    case Cue::Quit: return {"data\\quit.wav"};
    case Cue::Exit: return {choice == 1 ? "data\\zapf.wav" : "data\\exit.wav"};
    case Cue::Acce: return {"data\\acce.wav"};
    case Cue::Barr: return {"data\\barr.wav"};
    case Cue::Dead: return {"data\\dead.wav"};
    case Cue::Evad: return {"data\\evad.wav"};
    case Cue::Phas: return {"data\\phas.wav"};
    case Cue::RepairTool: return repairToolPlays(choice);
    case Cue::Dama: return {"data\\dama.wav"};
    case Cue::Aler: return {"data\\aler.wav"};
    case Cue::Meteor: return repeated("data\\mete.wav", 4);
    case Cue::Come: return {"data\\come.wav"};
    case Cue::Shut: return {"data\\shut.wav"};
    case Cue::Expl: return {"data\\expl.wav"};
    case Cue::Trip: return {"data\\trip.wav"};
    case Cue::Spla: return {"data\\spla.wav"};
    case Cue::Raal: return {"data\\raal.wav"};
    case Cue::Radi: return {"data\\radi.wav"};
    case Cue::Refr: return {"data\\refr.wav"};
    case Cue::Bebo: return {"data\\bebo.wav"};
    case Cue::Besw: return {"data\\besw.wav"};
    case Cue::Star: return {"data\\star.wav"};
    case Cue::Nova: return {"data\\nova.wav"};
    case Cue::Tiwa: return {"data\\tiwa.wav"};
    case Cue::TwG: return {"data\\tw_g.wav"};
    case Cue::Ouwa: return {"data\\ouwa.wav"};
    case Cue::Alie: return {"data\\alie.wav"};
    case Cue::Laug: return {"data\\laug.wav"};
    case Cue::Alla: return {"data\\alla.wav"};
    case Cue::Phal: return {"data\\phal.wav"};
    case Cue::Hit: return {"data\\hit.wav"};
    case Cue::Defl: return {"data\\defl.wav"};
    case Cue::Aste: return {"data\\aste.wav"};
    case Cue::Walk: return {"data\\walk.wav"};
    case Cue::Wolf: return {"data\\wolf.wav"};
    case Cue::Rock: return {"data\\rock.wav"};
    case Cue::Oxyg: return {"data\\oxyg.wav"};
    case Cue::Roen: return {"data\\roen.wav"};
    case Cue::Clif: return {"data\\clif.wav"};
    case Cue::Lago: return {"data\\lago.wav"};
    case Cue::Station: return repeated("data\\stat.wav", 3);
    case Cue::Arrest: return repeated("data\\arre.wav", 3);
    case Cue::Fuel: return {"data\\fuel.wav"};
    case Cue::Warn: return {"data\\warn.wav"};
    case Cue::Tune: return {"data\\tune.wav"};
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

std::vector<std::string> allSoundFiles()
{
    std::vector<std::string> files;
    auto add = [&files](const char* file) {
        if (std::find(files.begin(), files.end(), file) == files.end()) files.emplace_back(file);
    };
    for (int i = 0; i < cueCount; ++i) {
        const Cue cue = static_cast<Cue>(i);
        for (int choice = 0; choice <= 6; ++choice)
            for (const char* file : cuePlays(cue, choice)) add(file);
    }
    return files;
}
