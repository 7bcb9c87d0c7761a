// Interim: these event kinds pass quietly until their scenes land.
#include "encounters/scenery.h"

void quietScene(int) {}
void deepSleep() {}
void meditation() {}
