// The backend of the real game on this platform: the POSIX terminal or the Windows console.
#pragma once

#include "console/console.h"

// Sets up the terminal (raw keys, the game's own screen) and returns the backend. Every way
// out of the program restores the terminal.
ConsoleBackend& platformConsole();
