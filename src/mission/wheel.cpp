#include "mission/wheel.h"

#include <iterator>

#include "aliens/pursuit.h"
#include "console/console.h"
#include "encounters/hazards.h"
#include "encounters/fields.h"
#include "encounters/malfunctions.h"
#include "encounters/moon.h"
#include "encounters/scenery.h"
#include "encounters/time_warp.h"
#include "landings/asteroid.h"
#include "landings/station.h"
#include "core/status.h"
#include "core/chance.h"
#include "endings/endings.h"
#include "core/mission_state.h"
#include "core/sound.h"
#include "endings/end_mission.h"
#include "endings/frozen_screen.h"
#include "core/screen_places.h"

namespace {

bool missionIsOver()
{
    return mission.damage >= 5 || mission.distanceLeft <= 0 || mission.warnings >= 3 || mission.fuel <= 0;
}

[[noreturn]] void endTheVoyage()
{
    if (mission.damage >= 5) endWith(damageEnding);
    if (mission.warnings >= 3) endWith(warningsEnding);
    if (mission.distanceLeft <= 0) marsArrival();
    endWith(outOfFuelEnding);
}

// "Want to freeze the game?" Returns only when the player says N, or when the game could not be
// frozen (freezeGame has then said why on the screen).
void askFreeze()
{
    // The question stands at column 42, after the blanks from column 17; the answer blanks both.
    const std::string_view question = "Want to freeze the game?  Y or N  ";
    char key = 0;
    do {
        gotoColRow(statusCol, freezeRow);
        writeBlanks(25);
        pauseMs(200);
        writeText(question);
        key = lowerKey(readKey());
    } while (key != 'y' && key != 'n');
    gotoColRow(statusCol, freezeRow);
    writeBlanks(25 + static_cast<int>(question.size()));
    gotoColRow(statusCol, freezeRow);
    if (key == 'y') freezeGame();
}

// The wheel prompt; returns once ENTER has been pressed.
void waitForSpin()
{
    for (;;) {
        showPrompt(statusCol, promptRow, 49, 200, "Spin cosmic wheel");
        const int key = readKey();
        const char letter = lowerKey(key);
        if (key == keyEnter) return;
        if (letter == 's') {
            toggleSound();
        } else if (key == keyEsc || key == keyCtrlC) {
            confirmQuit();
        } else if (letter == 'f') {
            askFreeze();
        }
    }
}

// A ten on the wheel between 51 and 299 throws the ship into a time warp two times in three.
bool timeWarpStarts()
{
    if (mission.distanceLeft > 50 && mission.distanceLeft < 300 && mission.dieRoll == 10) {
        rollDie(3);
        if (mission.dieRoll <= 2) return true;
        mission.dieRoll = 10;
    }
    return false;
}

// Kind 1: the space station, once, within 17.5 million miles of Mars; otherwise a quiet view.
void stationOrQuietView()
{
    if (mission.distanceLeft < 175 && mission.stationVisited == 0) {
        mission.stationVisited = 1;
        spaceStation();
    } else {
        quietViewThenQuietSpace(QuietView::BigDipper);
    }
}

// The twenty event kinds, in the order of their numbers on the cards (1 to 20).
using Event = void (*)();
const Event eventKinds[] = {
    stationOrQuietView,                             // 1
    [] { quietViewThenQuietSpace(QuietView::Saturn); },          // 2
    computerMalfunction,                            // 3
    radiationField,                                 // 4
    beerSpill,                                      // 5
    [] { quietViewThenQuietSpace(QuietView::ShootingStar); },    // 6
    spaceJunk,                                      // 7
    deepSleep,                                      // 8
    radioDrift,                                     // 9
    meteorStorm,                                    // 10
    [] { quietViewThenQuietSpace(QuietView::Supernova); },       // 11
    magnetismPocket,                                // 12
    alienPursuit,                                   // 13
    [] { quietViewThenQuietSpace(QuietView::Jupiter); },         // 14
    [] { quietViewThenQuietSpace(QuietView::AlphaCentauri); },   // 15
    comet,                                          // 16
    asteroidEncounter,                              // 17
    abandonedShuttle,                               // 18
    meditation,                                     // 19
    fridgeBreakdown,                                // 20
};
static_assert(std::size(eventKinds) == NoRepeatDeck::kinds, "an event for each card of the deck");

void meetEventKind(int kind)
{
    if (kind >= 1 && kind <= static_cast<int>(std::size(eventKinds))) eventKinds[kind - 1]();
}

}  // namespace

bool wheelTurn()
{
    if (missionIsOver()) return false;
    waitForSpin();
    ++mission.spins;
    clearScreen();
    cue(Cue::WheelSpin);
    rollDie(10);
    gotoColRow(statusCol, spinRow);
    writeBlanks(30);
    gotoColRow(statusCol, spinRow);
    write("You spun a ", mission.dieRoll);

    if (timeWarpStarts()) {
        timeWarp();
        return true;
    }
    mission.distanceLeft -= 2 * mission.dieRoll;
    mission.fuel -= 10;
    if (mission.distanceLeft <= 0) marsArrival();
    showStatus();
    dispatchEvent();
    return true;
}

void wheelLoop()
{
    while (wheelTurn()) {
    }
    endTheVoyage();
}

void dispatchEvent()
{
    pauseMs(1000);
    drawEventCard();
    gotoColRow(1, 5);
    if (mission.distanceLeft == 348) {
        moonPass();
        return;
    }
    meetEventKind(mission.dieRoll);
}
