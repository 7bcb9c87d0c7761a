// The asteroid. The player may land, walk the dark surface from the ship in search of three
// precious rocks for the space station, and blast off again. Every step outside costs oxygen
// that nothing refills, every completed move risks a cliff, every rock taken may be
// radioactive, and the landing and the blast-off each risk a crash.
#include "landings/asteroid.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "console/console.h"
#include "landings/touchdown.h"
#include "core/chance.h"
#include "core/mission_state.h"
#include "core/rocks.h"
#include "core/sound.h"
#include "core/lines.h"
#include "endings/end_mission.h"
#include "endings/endings.h"

static char askTakeIt();
static void asteroidBlastOff();

namespace {

constexpr std::nullopt_t noCue = std::nullopt;

// --- The ground ------------------------------------------------------------------------------
// What the player finds on arriving at a square: slot 0 is the flat land that stretches
// without end off the map, slots 1 to 16 the mapped squares.
struct Ground {
    std::optional<Cue> cue;
    std::vector<const char*> lines;
};

const Ground grounds[] = {
    /* off the map */ {noCue, {"You are on a flat stretch of land, the stars are twinkling.\n"}},
    /*  1 */ {Cue::GranularGround, {"The terrain is  flat and granular here.\n"}},
    /*  2 */ {noCue, {"You are near a ridge, it overlooks a quarry.\n"}},
    /*  3 */ {noCue, {"You look up and see earth so far away \x1e\x1e you feel alone.\n"}},
    /*  4 */ {noCue, {"It is dark, but you see mountains in the distance.\n"}},
    /*  5 */ {noCue, {"The ground is soft and dips a bit here.\n"}},
    /*  6 */ {noCue, {"You are in a clearing at the entrance to your ship.\n"}},
    /*  7 */ {noCue, {"You are in your ship.\n"}},
    /*  8 */ {Cue::StrangeNoise, {"You think you heard something, you must be mistaken\n",
                          "You see a billion stars at the horizon\n"}},
    /*  9 */ {noCue, {"You are in the shadow of a nearby hill.\n"}},
    /* 10 */ {noCue, {"The ground is hard and irregular here.\n", "You think you saw movement in the distance.\n"}},
    /* 11 */ {Cue::Stumble, {"You have tripped on something, but you are okay.\n"}},
    /* 12 */ {noCue, {"The color and shade of the ground changes here.\n"}},
    /* 13 */ {noCue, {"Visibility is poor at this point, some kind of haze.\n"}},
    /* 14 */ {noCue, {"You have wandered into a partially enclosed alcove.\n"}},
    /* 15 */ {noCue, {"Just emptiness all around, you feel lost.\n"}},
    /* 16 */ {noCue, {"You are in a rocky area, walking is slow and difficult.\n"}},
};

// --- The rocks -------------------------------------------------------------------------------
// Each rock keeps its square for the whole run; it lies there whenever the player is not
// carrying it, so a rock spent at the station is found again where it was first picked up.
struct RockSite {
    Rock rock;
    const char* sight;
};

const RockSite rockSites[] = {
    {Rock::Diamond, "You see a sparkling rock, it looks like a diamond.\n"},
    {Rock::Platinum, "There is a gleaming rock here, it looks like platinum.\n"},
    {Rock::Gold, "A rock is glittering, it appears to be gold.\n"},
};

// A die of 16 with the ship's square read as 8, so no rock lies in the ship and square 8 is
// twice as likely as any other.
int rollRockSquare()
{
    rollDie(16);
    return mission.dieRoll == shipSquare ? 8 : mission.dieRoll;
}

// The rocks lie where the run's first landing on the asteroid put them.
void placeRocksOnce()
{
    if (mission.rocksPlaced != 0) return;
    mission.diamondSquare = rollRockSquare();
    do {
        mission.platinumSquare = rollRockSquare();
    } while (mission.platinumSquare == mission.diamondSquare);
    do {
        mission.goldSquare = rollRockSquare();
    } while (mission.goldSquare == mission.diamondSquare || mission.goldSquare == mission.platinumSquare);
    mission.rocksPlaced = 1;
}

const RockSite* rockLyingOn(int square)
{
    for (const RockSite& rock : rockSites)
        if (square == squareOf(rock.rock) && carried(rock.rock) == 0) return &rock;
    return nullptr;
}

// --- Moves -----------------------------------------------------------------------------------
// The map's edges are found with C++'s truncating remainder, as the walk has always done: it
// is negative north of the map, so there the ravine does not hold and a W step just goes on.
bool barrierEast(int square) { return square % 4 == 0; }
bool ravineWest(int square) { return square % 4 == 1; }

// A move the surface does not allow: its test, what the player is told, and whether the
// wasted effort costs oxygen. Tested in this order; the first that holds refuses the key.
struct Refusal {
    bool (*holds)(char key, int square);
    std::optional<Cue> cue;
    const char* message;
    bool costsOxygen;
};

const Refusal refusals[] = {
    {[](char key, int square) { return key == 'b' && square != shipSquare; },
     noCue, "\nStop being silly!  You are not in yourship.\n", true},
    {[](char key, int square) { return key == 'e' && barrierEast(square); },
     noCue, "\nThere is a high barrier there, you cannot pass.\n", true},
    {[](char key, int square) { return (key == 'n' && square == 11) || (key == 's' && square == 3) ||
                                       (key == 'w' && square == 8); },
     noCue, "\nThe ship is blocking your way.\n", true},
    {[](char key, int square) { return key == 'w' && ravineWest(square); },
     noCue, "\nYou cannot go that way, there is a deep ravine.\n", true},
    {[](char key, int square) { return (key == 'e' || key == 'n' || key == 's') && square == shipSquare; },
     Cue::Stumble, "\nWatch out! You are walking into the wall.\n", false},
};

bool isMoveKey(char key) { return key == 'e' || key == 'w' || key == 'n' || key == 's' || key == 'b'; }

// The square an accepted move leads to.
int moveTo(char key, int square)
{
    switch (key) {
    case 'b': return blastOffMove;
    case 'e': return square + 1;
    case 'w': return square - 1;
    case 'n': return square - 4;
    default: return square + 4;  // 's'
    }
}

// One key of the walk. ESC and Ctrl-C offer to quit; declined, they are keys like any other
// that is not a move. Every key is answered with a blank.
char readWalkKey()
{
    const char key = lowerKey(readKey());
    if (key == keyEsc || key == keyCtrlC) confirmQuit();
    writeText(" ");
    return key;
}

}  // namespace

// --- The endings -----------------------------------------------------------------------------
const Lines asteroidLandingCrashVerse = {
    "Oh no!  You crashed into a million pieces.\n",
    "You came in fast, you came in steep,\n",
    "And struck the rocks and dug in deep.\n",
    "Your ship is scattered far and wide\n",
    "Across the asteroid's dusty side.\n",
    "The stars look down on what remains,\n",
    "A field of bolts and twisted chains.\n",
    "But THIS MISSION IS OVER!\n",
};

const Lines asteroidBlastOffCrashVerse = {
    "Oh no!  You have crashed on blastoff.\n",
    "You lit the engines, up you flew,\n",
    "But gravity had plans for you.\n",
    "You climbed a yard, then tipped and rolled,\n",
    "And struck the ground, so hard and cold.\n",
    "Your rocks lie scattered in the dust\n",
    "Beside a hull of dents and rust.\n",
    "But THIS MISSION IS OVER!\n",
};

const Lines suffocationVerse = {
    "Oh no!  You have suffocated.\n",
    "You wandered far from your ship's door\n",
    "To search for rocks a little more.\n",
    "Your tank ran low, your steps grew slow,\n",
    "With still a long, long way to go.\n",
    "Your helmet fogged, your head grew light,\n",
    "You lay down on the rocks that night\n",
    "Beneath the stars so cold and bright.\n",
    "But for now THIS MISSION IS OVER!\n",
};

const Lines radioactiveRockVerse = {
    "Oh no!  The rock was radioactive.\n",
    "It sparkled bright, it looked so fine,\n",
    "A treasure from an ancient mine.\n",
    "But in your glove it buzzed and glowed,\n",
    "Your counter clicked, then overflowed.\n",
    "You glow now too, from nose to toe,\n",
    "A night-light where the comets go.\n",
    "And THIS MISSION IS FINISHED!\n",
};

const Lines cliffVerse = {
    "Oh no!  You fell off a cliff.\n",
    "The ground was dark, you could not see\n",
    "The edge until you'd stepped off free.\n",
    "You tumbled down a mile or more\n",
    "And landed on the canyon floor.\n",
    "In gravity so weak and thin\n",
    "You fell for hours, then crashed in.\n",
    "And THIS MISSION IS HISTORY!\n",
};

namespace {

// The walk's three deaths share one shape: the verse stands from row 5 of a cleared screen.
const Ending suffocationEnding = {3000, {Cue::OxygenGone}, false, 0, 5, suffocationVerse};
const Ending radioactiveRockEnding = {0, {Cue::RadioactiveRock}, false, 0, 5, radioactiveRockVerse};
const Ending cliffEnding = {0, {Cue::CliffFall}, false, 0, 5, cliffVerse};

}  // namespace

void asteroidEncounter()
{
    int square = shipSquare;
    if (!approachAndLand(Cue::Asteroid, "You are approaching a large asteroid.\n", "It looks parched and barren.\n", 29,
                         asteroidLandingCrashVerse))
        return;
    clearScreen();
    gotoColRow(1, 3);
    writeText("Very smooth landing.\n");
    writeText("The rocky landscape is dimly lit by the stars.\n");
    writeText("Your options are E, W, N, or S, for direction of movement, or B to blast off.\n");
    placeRocksOnce();

    // The walk never clears the screen: each square's text follows the last.
    for (;;) {
        if (square == blastOffMove) {
            asteroidBlastOff();
            return;
        }
        describeSquare(square);
        if (square != shipSquare) chargeOxygenAndOfferRock(square);
        square = readMove(square);
        // Any completed move may end at a cliff's edge; only the ship is safe.
        rollDie(100);
        if (mission.dieRoll == 13 && square != shipSquare) endWith(cliffEnding);
    }
}

// The cue and the description of a square, written each time the player arrives there.
void describeSquare(int square)
{
    const std::size_t slot = square >= 1 && square <= 16 ? static_cast<std::size_t>(square) : 0;
    const Ground& ground = grounds[slot];
    if (ground.cue) cue(*ground.cue);
    for (const char* line : ground.lines) writeText(line);
}

void chargeOxygenAndOfferRock(int square)
{
    placeRocksOnce();
    if (square == shipSquare) return;
    chargeOxygen();

    const RockSite* rock = rockLyingOn(square);
    if (rock == nullptr) return;
    writeText(rock->sight);
    if (askTakeIt() == 'n') {
        writeText("\nAll right, move on.\n");
        return;
    }
    rollDie(20);
    if (mission.dieRoll == 13) endWith(radioactiveRockEnding);
    cue(Cue::RockTaken);
    writeText("\nOkay, you have it.\n");
    carried(rock->rock) = 1;
}

int readMove(int square)
{
    for (;;) {
        char key = readWalkKey();
        while (!isMoveKey(key)) {
            writeText(square == shipSquare ? "\nPress E, W, N, S, or B \x1e " : "\nPress E, W, N, or S \x1e ");
            key = readWalkKey();
        }

        const Refusal* refused = nullptr;
        for (const Refusal& refusal : refusals) {
            if (refusal.holds(key, square)) {
                refused = &refusal;
                break;
            }
        }
        if (refused == nullptr) return moveTo(key, square);

        if (refused->cue) cue(*refused->cue);
        writeText(refused->message);
        if (refused->costsOxygen) chargeOxygen();
    }
}

void chargeOxygen()
{
    if (mission.oxygen <= 5) endWith(suffocationEnding);
    mission.oxygen -= 5;
    write("You have ", mission.oxygen, " units of oxygen.\n");
}

// "Do you want to take it?": 'y' or 'n'.
static char askTakeIt()
{
    char key = 0;
    do {
        writeText("Do you want to take it? Y or N  ");
        key = lowerKey(readKey());
        writeText(" ");
    } while (key != 'y' && key != 'n');
    return key;
}

// The die of 20 for the blast-off; returns after a good one.
static void asteroidBlastOff()
{
    rollForCrash(Cue::Ignition, asteroidBlastOffCrashVerse);
    clearScreen();
    gotoColRow(1, 5);
    writeText("Pretty cool blastoff!\n");
    writeText("You are on your way again space traveller.\n");
}
