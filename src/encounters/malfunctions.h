// Shipboard malfunctions: troubles inside the ship.
#pragma once

void computerMalfunction();  // event kind 3
void radioDrift();           // event kind 9
void fridgeBreakdown();      // event kind 20
void beerSpill();            // event kind 5
