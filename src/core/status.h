// The status rows under every spin: the miles left to Mars and the fuel in the tank.
#pragma once

#include <string>

// Redraws the distance line (column 17, row 19) and the fuel line (row 20); takes two seconds.
void showStatus();

// The miles left to Mars in words: "3 million", "5 hundred thousand", or both joined by
// `between` ("3 million, 5 hundred thousand"); empty when none are left.
std::string distanceInWords(const char* between);
