// Interim POSIX backend (plain stdio, no raw mode) until the full terminal backend lands.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <thread>

#include "console/platform.h"
#include "console/sound_files.h"

namespace {
class InterimTerminal : public ConsoleBackend {
public:
    void moveCursor(int col0, int row0) override { std::printf("\x1b[%d;%dH", row0 + 1, col0 + 1); std::fflush(stdout); }
    void write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); std::fflush(stdout); }
    void clear() override { std::fputs("\x1b[2J\x1b[H", stdout); std::fflush(stdout); }
    int readKey() override { int c = std::getchar(); if (c == EOF) endProgram(); return c == '\n' ? 13 : c; }
    std::string readLine() override { std::string line; if (!std::getline(std::cin, line)) endProgram(); return line; }
    void pause(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void playSound(const char*) override {}
    std::int64_t calendarSeconds() override { return std::time(nullptr); }
    [[noreturn]] void endProgram() override { std::fflush(stdout); std::exit(0); }
};
}  // namespace

ConsoleBackend& platformConsole()
{
    static InterimTerminal terminal;
    return terminal;
}
