// The rhyming verses of the endings: fixed texts, written one line per write.
#pragma once

#include <vector>

using Verse = std::vector<const char*>;

void writeVerse(const Verse& verse);
