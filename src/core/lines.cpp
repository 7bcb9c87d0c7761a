#include "core/lines.h"

#include "console/console.h"

void writeLines(const Lines& lines)
{
    for (const char* line : lines) writeText(line);
}
