// Interim: these event kinds pass quietly until their scenes land.
#include "encounters/time_warp.h"

void timeWarp() {}
