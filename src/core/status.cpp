#include "core/status.h"

#include "console/console.h"
#include "core/mission_state.h"
#include "core/screen_places.h"

void blankStatusRow(int row)
{
    gotoColRow(statusCol, row);
    writeBlanks(blanksToEdge(statusCol));
    gotoColRow(statusCol, row);
}

std::string milesInWords(int distanceLeft, const char* between)
{
    const int millions = distanceLeft / 10;
    const int hundredThousands = distanceLeft % 10;
    std::string words;
    if (millions > 0) words = std::to_string(millions) + " million";
    if (millions > 0 && hundredThousands > 0) words += between;
    if (hundredThousands > 0) words += std::to_string(hundredThousands) + " hundred thousand";
    return words;
}

std::string distanceWords(int distanceLeft)
{
    const std::string miles = milesInWords(distanceLeft, ", ");
    return miles.empty() ? "" : "Miles to Mars: " + miles;
}

std::string fuelWords(int fuel) { return "You have " + std::to_string(fuel) + " units of fuel"; }

void showStatus()
{
    blankStatusRow(distanceRow);
    pauseMs(1000);
    writeText(distanceWords(mission.distanceLeft));
    pauseMs(1000);
    blankStatusRow(fuelRow);
    writeText(fuelWords(mission.fuel));
}
