// The alien ship of the full game and its battle of exchanges.
#pragma once

#include "core/verse.h"

void alienPursuit();  // event kind 13
void alienFire(char action, int& hits);
[[noreturn]] void vaporizedEnding();

// The tables, for the tests of their properties.
struct Battle;
struct AlienGun;
const Battle& pursuitExchanges();
const AlienGun& pursuitGun();

// The verse of its ending, for the tests that read it off the screen.
extern const Verse vaporizedVerse;
