// Shipboard malfunctions: troubles inside the ship.
#pragma once

#include <vector>

void computerMalfunction();  // event kind 3
void radioDrift();           // event kind 9
void fridgeBreakdown();      // event kind 20
void beerSpill();            // event kind 5

// The tables, for the tests of their properties.
struct Encounter;
std::vector<const Encounter*> malfunctionTables();
