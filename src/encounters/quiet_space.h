// Quiet space: what the player does in a calm spin. It is the one place where damage gets
// repaired, and the place where ignoring damage, or fussing over none, earns a warning.
#pragma once

#include <vector>

// Called after a quiet scene has written its two lines: rolls the die of 10, asks for the
// action and settles it from column 1, row 9.
void quietSpace();

// The message lists of quiet space. Each rolls its own die (rollDie, so dieRoll is the list's
// roll afterwards) and writes the entry of that number at the cursor.
void upbeatLine();    // 5 one-line cheers on the way to Mars
void repairMishap();  // 12 two-line accidents with the tools, some with a cue before them
void repairPraise();  // 8 praises of a good repair (the first of two lines)
void repairNag();     // 8 one-line scoldings for repairs left undone

// The tables, for the tests of their properties.
struct Encounter;
std::vector<const Encounter*> quietSpaceTables();
