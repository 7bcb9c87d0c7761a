// Numbered lists of messages, one entry picked by a die of the list's own size: the quips of
// quiet space, the dreams and the visions.
#pragma once

#include <vector>

#include "core/lines.h"

using MessageList = std::vector<Lines>;

// Rolls rollDie with the number of entries, so dieRoll keeps the roll, then writes the entry of
// that number (a roll of 1 picks the first) at the cursor.
void writeRolledEntry(const MessageList& list);
