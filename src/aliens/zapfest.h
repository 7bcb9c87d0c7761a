// The Zapfest mode: alien battles, one after another, until the player quits.
#pragma once

[[noreturn]] void zapfestLoop();
void zapfestBattle();

// The tables, for the tests of their properties.
struct Battle;
struct AlienGun;
const Battle& zapfestExchanges();
const AlienGun& zapfestGun();
