// Interim: these event kinds pass quietly until their scenes land.
#include "encounters/fields.h"
#include "encounters/moon.h"

void radiationField() {}
void magnetismPocket() {}
void moonPass() {}
