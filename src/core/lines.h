// Fixed texts written one line per write: the verses of the endings, the entries of the message
// lists, the stories of the malfunctions.
#pragma once

#include <vector>

// The lines in order, each ending with "\n" (or, for an entry that finishes a sentence already
// begun on the screen, the rest of that line first).
using Lines = std::vector<const char*>;

// Writes the lines at the cursor.
void writeLines(const Lines& lines);
