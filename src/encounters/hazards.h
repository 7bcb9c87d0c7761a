// Collision hazards: something on a collision course with the ship.
#pragma once

void meteorStorm();       // event kind 10
void spaceJunk();         // event kind 7
void comet();             // event kind 16
void abandonedShuttle();  // event kind 18
[[noreturn]] void shuttleExplosionEnding();
