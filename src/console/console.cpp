#include "console/console.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {
ConsoleBackend* active = nullptr;
}

void installConsole(ConsoleBackend& backend) { active = &backend; }

ConsoleBackend& activeConsole() { return *active; }

void gotoColRow(int col, int row) { active->moveCursor(col - 1, row - 1); }

int readKey() { return active->readKey(); }

void pauseMs(int ms) { active->pause(ms); }

void clearScreen() { active->clear(); }

std::string readLine() { return active->readLine(); }

void endProgram()
{
    active->endProgram();
    std::abort();  // a backend's endProgram never comes back
}

void writeText(std::string_view text) { active->write(text); }

void writeInt(int value) { active->write(std::to_string(value)); }

void writeBlanks(int count) { active->write(std::string(static_cast<std::size_t>(count), ' ')); }

void showPrompt(int col, int row, int blanks, int pause, std::string_view text)
{
    gotoColRow(col, row);
    writeBlanks(blanks);
    gotoColRow(col, row);
    pauseMs(pause);
    writeText(text);
}

char lowerKey(int key)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(static_cast<char>(key))));
}
