// Numbered lists of messages, one entry picked by a die of the list's own size: the quips of
// quiet space, the dreams and the visions.
#pragma once

#include <vector>

// The lines of one entry, in order, each ending with "\n" (or, for an entry that finishes a
// sentence already begun on the screen, the rest of that line first).
using Message = std::vector<const char*>;
using MessageList = std::vector<Message>;

// Rolls rollDie with the number of entries, so dieRoll keeps the roll, and returns the entry of
// that number (a roll of 1 picks the first).
const Message& rollEntry(const MessageList& list);

// Writes the lines of an entry at the cursor.
void writeMessage(const Message& message);

// rollEntry then writeMessage: the usual way a list speaks.
void writeRolledEntry(const MessageList& list);
