// The asteroid: a landing, a walk over its dark surface looking for rocks, and a blast-off.
#pragma once

void asteroidEncounter();  // event kind 17
