// Field hazards: radiation and magnetism.
#pragma once

void radiationField();   // event kind 4
void magnetismPocket();  // event kind 12
