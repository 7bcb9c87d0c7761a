#include "core/status.h"

#include "console/console.h"
#include "core/mission_state.h"

void blankStatusRow(int row)
{
    gotoColRow(17, row);
    writeBlanks(80 - 16);
    gotoColRow(17, row);
}

void showStatus()
{
    const int millions = mission.distanceLeft / 10;
    const int hundredThousands = mission.distanceLeft % 10;
    blankStatusRow(19);
    pauseMs(1000);
    if (millions > 0 && hundredThousands > 0)
        write("Miles to Mars: ", millions, " million, ", hundredThousands, " hundred thousand");
    else if (millions > 0 && hundredThousands == 0)
        write("Miles to Mars: ", millions, " million");
    else if (millions == 0 && hundredThousands > 0)
        write("Miles to Mars: ", hundredThousands, " hundred thousand");
    pauseMs(1000);
    blankStatusRow(20);
    write("You have ", mission.fuel, " units of fuel");
}
