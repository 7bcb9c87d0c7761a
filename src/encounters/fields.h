// Field hazards: radiation and magnetism.
#pragma once

#include <vector>

void radiationField();   // event kind 4
void magnetismPocket();  // event kind 12

// The tables, for the tests of their properties.
struct Encounter;
std::vector<const Encounter*> fieldTables();
