// Drives the real terminal backend for the pseudo-terminal tests. Each argument is one action,
// done in order through the game's own console calls; then the program ends.
//
//   ready        writes "READY\n"
//   key          reads a key, writes "key N\n"
//   keys         the same for every key until the input ends
//   line         reads a line, writes "line LENGTH FIRST-16-BYTES\n"
//   pause:MS     pauses, then writes "slept ELAPSED-MS\n"     hold:MS      pauses, writes nothing
//   newline      writes "ab\ncd"              dash         writes "<", the dash byte, ">"
//   move:C,R     gotoColRow(C, R)             clear        clearScreen()
#include <chrono>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/platform.h"

namespace {

void run(const std::string& action)
{
    int col = 0, row = 0;
    const std::string line = action == "line" ? readLine() : "";
    if (action == "ready") writeText("READY\n");
    else if (action == "key") write("key ", readKey(), "\n");
    else if (action == "keys") for (;;) write("key ", readKey(), "\n");
    else if (action == "line") write("line ", static_cast<int>(line.size()), " ", line.substr(0, 16), "\n");
    else if (action == "newline") writeText("ab\ncd");
    else if (action == "dash") writeText("<\x1e>");
    else if (action == "clear") clearScreen();
    else if (std::sscanf(action.c_str(), "move:%d,%d", &col, &row) == 2) gotoColRow(col, row);
    else if (action.rfind("hold:", 0) == 0) pauseMs(std::stoi(action.substr(5)));
    else if (action.rfind("pause:", 0) == 0) {
        const auto start = std::chrono::steady_clock::now();
        pauseMs(std::stoi(action.substr(6)));
        const auto slept = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        write("slept ", static_cast<int>(slept.count()), "\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    installConsole(platformConsole());
    for (int i = 1; i < argc; ++i) run(argv[i]);
    endProgram();
}
