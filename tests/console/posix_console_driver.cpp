// Drives the real terminal backend for the pseudo-terminal tests. Each argument is one action,
// done in order through the game's own console calls; then the program ends.
//
//   key          reads a key, writes "key N\n"       keys      the same until the input ends
//   line         reads a line, writes "line LENGTH FIRST-16-BYTES\n"
//   pause:MS     pauses, then writes "slept ELAPSED-MS\n"      hold:MS   pauses, writes nothing
//   move:C,R     gotoColRow(C, R)                    clear     clearScreen()
//   anything else is written as game text ("\x1e" is the dash byte)
#include <chrono>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/platform.h"

int main(int argc, char** argv)
{
    installConsole(platformConsole());
    for (int i = 1; i < argc; ++i) {
        const std::string action = argv[i];
        int col = 0, row = 0, ms = 0;
        const auto start = std::chrono::steady_clock::now();
        if (action == "key" || action == "keys") {
            do write("key ", readKey(), "\n");
            while (action == "keys");
        } else if (action == "line") {
            const std::string line = readLine();
            write("line ", static_cast<int>(line.size()), " ", line.substr(0, 16), "\n");
        } else if (action == "clear") clearScreen();
        else if (std::sscanf(action.c_str(), "move:%d,%d", &col, &row) == 2) gotoColRow(col, row);
        else if (std::sscanf(action.c_str(), "hold:%d", &ms) == 1) pauseMs(ms);
        else if (std::sscanf(action.c_str(), "pause:%d", &ms) == 1) {
            pauseMs(ms);
            const auto slept = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
            write("slept ", static_cast<int>(slept.count()), "\n");
        } else writeText(action);
    }
    endProgram();
}
