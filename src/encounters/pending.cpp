// Encounters whose scenes are still being written: for now their event kinds pass quietly.
#include "aliens/pursuit.h"
#include "aliens/zapfest.h"
#include "console/console.h"
#include "encounters/fields.h"
#include "encounters/hazards.h"
#include "encounters/malfunctions.h"
#include "encounters/moon.h"
#include "encounters/scenery.h"
#include "encounters/time_warp.h"
#include "instructions/instructions.h"
#include "landings/asteroid.h"
#include "landings/station.h"

void meteorStorm() {}
void spaceJunk() {}
void comet() {}
void abandonedShuttle() {}
void computerMalfunction() {}
void radioDrift() {}
void fridgeBreakdown() {}
void beerSpill() {}
void radiationField() {}
void magnetismPocket() {}
void moonPass() {}
void quietScene(int) {}
void deepSleep() {}
void meditation() {}
void timeWarp() {}
void alienPursuit() {}
void zapfestLoop() { endProgram(); }
void asteroidEncounter() {}
void spaceStation() {}
void instructionPages() {}
