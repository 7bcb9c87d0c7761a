#include "core/status.h"

#include "console/console.h"
#include "core/mission_state.h"
#include "core/screen_places.h"

void blankStatusRow(int row)
{
    gotoColRow(statusCol, row);
    writeBlanks(80 - 16);
    gotoColRow(statusCol, row);
}

std::string distanceInWords(const char* between)
{
    const int millions = mission.distanceLeft / 10;
    const int hundredThousands = mission.distanceLeft % 10;
    std::string words;
    if (millions > 0) words = std::to_string(millions) + " million";
    if (millions > 0 && hundredThousands > 0) words += between;
    if (hundredThousands > 0) words += std::to_string(hundredThousands) + " hundred thousand";
    return words;
}

void showStatus()
{
    blankStatusRow(distanceRow);
    pauseMs(1000);
    const std::string distance = distanceInWords(", ");
    if (!distance.empty()) write("Miles to Mars: ", distance);
    pauseMs(1000);
    blankStatusRow(fuelRow);
    write("You have ", mission.fuel, " units of fuel");
}
