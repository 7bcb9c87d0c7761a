// Interim: these event kinds pass quietly until their scenes land.
#include "encounters/hazards.h"

void meteorStorm() {}
void spaceJunk() {}
void comet() {}
void abandonedShuttle() {}
