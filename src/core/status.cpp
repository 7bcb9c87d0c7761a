#include "core/status.h"

#include "console/console.h"
#include "core/mission_state.h"
#include "core/screen_places.h"

void showStatus()
{
    const int millions = mission.distanceLeft / 10;
    const int hundredThousands = mission.distanceLeft % 10;
    gotoColRow(statusCol, distanceRow);
    writeBlanks(29);
    gotoColRow(statusCol, distanceRow);
    pauseMs(1000);
    if (millions > 0 && hundredThousands > 0)
        write("Miles to Mars: ", millions, " million, ", hundredThousands, " hundred thousand");
    else if (millions > 0 && hundredThousands == 0)
        write("Miles to Mars: ", millions, " million");
    else if (millions == 0 && hundredThousands > 0)
        write("Miles to Mars: ", hundredThousands, " hundred thousand");
    pauseMs(1000);
    gotoColRow(statusCol, fuelRow);
    writeBlanks(29);
    gotoColRow(statusCol, fuelRow);
    write("You have ", mission.fuel, " units of fuel");
}
