// Quiet space: what the player does in a calm spin. It is the one place where damage gets
// repaired, and the place where ignoring damage, or fussing over none, earns a warning.
#pragma once

#include <vector>

// Called after a quiet scene has written its two lines: rolls the die of 10, asks for the
// action and settles it from column 1, row 9.
void quietSpace();

// The tables, for the tests of their properties.
struct Encounter;
std::vector<const Encounter*> quietSpaceTables();
