// The status rows under every spin: the miles left to Mars and the fuel in the tank.
#pragma once

// Redraws the distance line (column 17, row 19) and the fuel line (row 20); takes two seconds.
void showStatus();
