// The status rows under every spin: the miles left to Mars and the fuel in the tank.
#pragma once

#include <string>

// Blanks a status row from column 17 to the end of the screen, where its longest text could
// reach, and leaves the cursor at column 17: no tail of a longer line stays behind.
void blankStatusRow(int row);

// The two lines as the status rows word them: "Miles to Mars: 12 million, 3 hundred thousand"
// (nothing once less than a hundred thousand miles are left) and "You have 230 units of fuel".
std::string distanceWords(int distanceLeft);
std::string fuelWords(int fuel);

// Redraws the distance line (column 17, row 19) and the fuel line (row 20); takes two seconds.
void showStatus();
