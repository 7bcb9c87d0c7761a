#include "core/status.h"

#include "console/console.h"
#include "core/mission_state.h"

void showStatus()
{
    const int millions = mission.distanceLeft / 10;
    const int hundredThousands = mission.distanceLeft % 10;
    gotoColRow(17, 19);
    writeBlanks(29);
    gotoColRow(17, 19);
    pauseMs(1000);
    if (millions > 0 && hundredThousands > 0)
        write("Miles to Mars: ", millions, " million, ", hundredThousands, " hundred thousand");
    else if (millions > 0 && hundredThousands == 0)
        write("Miles to Mars: ", millions, " million");
    else if (millions == 0 && hundredThousands > 0)
        write("Miles to Mars: ", hundredThousands, " hundred thousand");
    pauseMs(1000);
    gotoColRow(17, 20);
    writeBlanks(29);
    gotoColRow(17, 20);
    write("You have ", mission.fuel, " units of fuel");
}
