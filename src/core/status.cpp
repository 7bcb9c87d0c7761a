#include "core/status.h"

#include "console/console.h"
#include "core/mission_state.h"

void blankStatusRow(int row)
{
    gotoColRow(17, row);
    writeBlanks(80 - 16);
    gotoColRow(17, row);
}

std::string distanceWords(int distanceLeft)
{
    const std::string millions = std::to_string(distanceLeft / 10);
    const std::string hundredThousands = std::to_string(distanceLeft % 10);
    if (distanceLeft / 10 > 0 && distanceLeft % 10 > 0)
        return "Miles to Mars: " + millions + " million, " + hundredThousands + " hundred thousand";
    if (distanceLeft / 10 > 0 && distanceLeft % 10 == 0) return "Miles to Mars: " + millions + " million";
    if (distanceLeft / 10 == 0 && distanceLeft % 10 > 0) return "Miles to Mars: " + hundredThousands + " hundred thousand";
    return "";
}

std::string fuelWords(int fuel) { return "You have " + std::to_string(fuel) + " units of fuel"; }

void showStatus()
{
    blankStatusRow(19);
    pauseMs(1000);
    writeText(distanceWords(mission.distanceLeft));
    pauseMs(1000);
    blankStatusRow(20);
    writeText(fuelWords(mission.fuel));
}
