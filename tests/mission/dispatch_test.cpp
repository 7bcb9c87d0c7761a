// The dispatcher: each event card starts its own encounter, the Moon comes at 348 whatever the
// card, and kind 1 is the space station once, in the second half of the voyage.
#include <gtest/gtest.h>

#include "mission/wheel.h"
#include "support/game_test.h"

namespace {

struct Dispatch {
    const char* name;
    int kind;
    int distance;
    int stationVisited;
    const char* firstLine;  // row 5: the first line of the encounter
    int stationVisitedAfter;
};

void PrintTo(const Dispatch& d, std::ostream* out) { *out << d.name; }

class Dispatcher : public GameTest, public ::testing::WithParamInterface<Dispatch> {};

TEST_P(Dispatcher, StartsTheEncounterOfTheCardDrawn)
{
    const Dispatch& d = GetParam();
    mission.soundOn = 'n';
    mission.distanceLeft = d.distance;
    mission.stationVisited = d.stationVisited;
    chance->face(d.kind);
    for (int draw = 0; draw < 3; ++draw) chance->face(1);  // the encounter's own dice, if it rolls
    try {
        dispatchEvent();  // the sleeper and the meditator ask for nothing and come back
    } catch (const ScriptExhausted&) {
        // every other encounter waits for a key after its first lines
    }
    EXPECT_EQ(console.rowText(5), d.firstLine) << console.screenDump();
    EXPECT_EQ(mission.eventDeck.cards[0], d.kind) << "the card is drawn also when the Moon comes";
    EXPECT_EQ(mission.stationVisited, d.stationVisitedAfter);
}

const char* const bigDipper = "You are hurtling toward Mars.";

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Dispatcher,
    ::testing::Values(
        Dispatch{"k1_firstHalf", 1, 175, 0, bigDipper, 0},
        Dispatch{"k1_station", 1, 174, 0, "You are nearing a space station.", 1},
        Dispatch{"k1_stationVisited", 1, 100, 1, bigDipper, 1},
        Dispatch{"k2", 2, 300, 0, "You are studying the stars with your telescope.", 0},
        Dispatch{"k3", 3, 300, 0, "Your on\x1e" "board computer is malfunctioning.", 0},
        Dispatch{"k4", 4, 300, 0, "Your instruments show a radiation field somewhere nearby.", 0},
        Dispatch{"k5", 5, 300, 0, "Holy cow, you dropped your beer bottle on the console and it shattered.", 0},
        Dispatch{"k6", 6, 300, 0, "The beauty of the vast universe captivates you.", 0},
        Dispatch{"k7", 7, 300, 0, "There is a dangerous situation developing.", 0},
        Dispatch{"k8", 8, 300, 0, "You are in a deep sleep.", 0},
        Dispatch{"k9", 9, 300, 0, "Your radio is drifting off frequency.", 0},
        Dispatch{"k10", 10, 300, 0, "You are caught in a huge meteor storm.", 0},
        Dispatch{"k11", 11, 300, 0, "You are studying the cosmic majesty before you.", 0},
        Dispatch{"k12", 12, 300, 0, "Your detectors show a pocket of magnetism in the neighborhood.", 0},
        Dispatch{"k13", 13, 300, 0, "Be careful!  An alien ship is following you.", 0},
        Dispatch{"k14", 14, 300, 0, "You are in eerie darkness as the sun moves behind the Earth.", 0},
        Dispatch{"k15", 15, 300, 0, "The great expanse of the universe is before you.", 0},
        Dispatch{"k16", 16, 300, 0, "Look out!  A comet is coming your way.", 0},
        Dispatch{"k17", 17, 300, 0, "You are approaching a large asteroid.", 0},
        Dispatch{"k18", 18, 300, 0, "You see something up ahead.", 0},
        Dispatch{"k19", 19, 300, 0, "You are in solemn meditation saying aaaumm aaaummm aaaummm aaaummm.", 0},
        Dispatch{"k20", 20, 300, 0, "Your refrigerator is busted.", 0},
        Dispatch{"moonOverTheStation", 1, 348, 0, "You are approaching the moon \x1e it looks creepy and desolate.", 0},
        Dispatch{"moonOverTheAliens", 13, 348, 0, "You are approaching the moon \x1e it looks creepy and desolate.", 0},
        Dispatch{"noMoonAt349", 3, 349, 0, "Your on\x1e" "board computer is malfunctioning.", 0},
        Dispatch{"noMoonAt347", 3, 347, 0, "Your on\x1e" "board computer is malfunctioning.", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
