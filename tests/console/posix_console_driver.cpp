// Drives the real terminal backend for the pseudo-terminal tests. Each argument is one action,
// done in order through the game's own console calls; then the program ends.
//
//   ready        writes "READY\n"             done         writes "DONE\n"
//   key          reads a key, writes "key N\n"
//   keys         the same for every key until the input ends
//   line         reads a line, writes "line LENGTH FIRST-16-BYTES\n"
//   pause:MS     pauses, then writes "slept ELAPSED-MS\n"
//   newline      writes "ab\ncd"              dash         writes "<", the dash byte, ">"
//   move:C,R     gotoColRow(C, R)             clear        clearScreen()
//   sound:NAME   plays the game's sound file NAME (e.g. data\expl.wav)
//   end          endProgram()
//   freeze       freezes the game into mars.dat, writes "frozen\n" or "freeze failed: WHY\n"
//   freezes      writes "FREEZING\n", then freezes the game again and again until killed
#include <cstdio>
#include <ctime>
#include <string>

#include "console/console.h"
#include "console/files.h"
#include "console/platform.h"
#include "persist/frozen_game.h"

namespace {

long long monotonicMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

void writeKey() { write("key ", readKey(), "\n"); }

void writeLine()
{
    const std::string line = readLine();
    write("line ", static_cast<int>(line.size()), " ", line.substr(0, 16), "\n");
}

void timedPause(int ms)
{
    const long long start = monotonicMs();
    pauseMs(ms);
    write("slept ", static_cast<int>(monotonicMs() - start), "\n");
}

// The file step of freezing a game, without the frozen-game screen that ends the program.
bool freezeOnce()
{
    std::string error;
    if (replaceFile(frozenGameFile, frozenGameText(), error)) return true;
    writeText("freeze failed: " + error + "\n");
    return false;
}

void run(const std::string& action)
{
    if (action == "ready") writeText("READY\n");
    else if (action == "done") writeText("DONE\n");
    else if (action == "key") writeKey();
    else if (action == "keys") for (;;) writeKey();
    else if (action == "line") writeLine();
    else if (startsWith(action, "pause:")) timedPause(std::stoi(action.substr(6)));
    else if (action == "newline") writeText("ab\ncd");
    else if (action == "dash") writeText("<\x1e>");
    else if (action == "clear") clearScreen();
    else if (startsWith(action, "sound:")) activeConsole().playSound(action.c_str() + 6);
    else if (action == "end") endProgram();
    else if (action == "freeze") { if (freezeOnce()) writeText("frozen\n"); }
    else if (action == "freezes") {
        writeText("FREEZING\n");
        while (freezeOnce()) {
        }
    }
    else if (startsWith(action, "move:")) {
        int col = 0, row = 0;
        std::sscanf(action.c_str() + 5, "%d,%d", &col, &row);
        gotoColRow(col, row);
    } else {
        writeText("unknown action " + action + "\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    installConsole(platformConsole());
    for (int i = 1; i < argc; ++i) run(argv[i]);
    endProgram();
}
