// The Zapfest mode: alien battles, one after another, until the player quits.
#pragma once

[[noreturn]] void zapfestLoop();
void zapfestBattle();
// The battle's F-or-B prompt; returns the key, after the quit question for ESC.
char battlePrompt();

// The tables, for the tests of their properties.
struct Battle;
struct AlienGun;
const Battle& zapfestExchanges();
const AlienGun& zapfestGun();
