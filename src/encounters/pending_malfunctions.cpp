// Interim: these event kinds pass quietly until their scenes land.
#include "encounters/malfunctions.h"

void computerMalfunction() {}
void radioDrift() {}
void fridgeBreakdown() {}
void beerSpill() {}
