#include "core/verse.h"

#include "console/console.h"

void writeVerse(const Verse& verse)
{
    for (const char* line : verse) writeText(line);
}
