// Interim: these event kinds pass quietly until their scenes land.
#include "landings/asteroid.h"
#include "landings/station.h"

void asteroidEncounter() {}
void spaceStation() {}
