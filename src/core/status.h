// The status rows under every spin: the miles left to Mars and the fuel in the tank.
#pragma once

// Blanks a status row from column 17 to the end of the screen, where its longest text could
// reach, and leaves the cursor at column 17: no tail of a longer line stays behind.
void blankStatusRow(int row);

// Redraws the distance line (column 17, row 19) and the fuel line (row 20); takes two seconds.
void showStatus();
