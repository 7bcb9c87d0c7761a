// The scripted console: a backend that plays the part of the player and the terminal at once.
// Keys and typed lines come from queues the test (or a headless driver) fills; text lands on a
// virtual 80x25 screen that wraps and scrolls like a terminal; pauses advance a virtual clock
// and never sleep; every clear, move, write, pause, sound and key read is logged in order.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/screen_model.h"

// Thrown by endProgram(): the game ended with status 0. The test catches it and looks around.
struct ProgramEnded {};

// Thrown when the game asks for input the script does not hold. Tests see it as a failure
// whose message names the prompt on the screen.
class ScriptExhausted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct LogEntry {
    enum Kind { Clear, Move, Write, Pause, Sound, Key, Line };
    Kind kind;
    std::string text;  // Write: the text; Sound: the file; Line: the line read
    int a = 0;         // Move: column (1-based); Pause: ms; Key: the key code
    int b = 0;         // Move: row (1-based)
};

class ScriptedConsole : public ConsoleBackend {
public:
    static constexpr int columns = ScreenModel::columns;
    static constexpr int rows = ScreenModel::rows;

    // The script.
    void queueKeys(std::string_view keys);  // each character one key press
    void queueKey(int key);
    void queueLine(std::string line);
    bool scriptUsedUp() const { return keys_.empty() && lines_.empty(); }
    std::size_t keysLeft() const { return keys_.size(); }
    // Called instead of failing when the game wants a key or a line the script does not hold:
    // the hook may queue more input (a monkey player) or end the program like end of input.
    std::function<void(bool wantsLine)> onScriptEmpty;

    // The virtual screen, 1-based: row(21) is the 80 characters of row 21.
    std::string row(int row) const;
    // Row text with trailing blanks removed.
    std::string rowText(int row) const;
    // The text starting at (col,row) of the given length.
    std::string at(int col, int row, int length) const;
    std::string screenDump() const;
    int cursorCol() const { return screen_.cursorCol() + 1; }
    int cursorRow() const { return screen_.cursorRow() + 1; }

    // The log and the virtual clock.
    const std::vector<LogEntry>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    std::int64_t clockMs() const { return clockMs_; }
    // The game pauses in whole tenths of a second: the lengths of the pauses that were not, on
    // any scripted console of the process, for the tests to find.
    static inline std::vector<int> oddPauses;

    std::int64_t seedSeconds = 1700000000;

    // ConsoleBackend
    void moveCursor(int col0, int row0) override;
    void write(std::string_view text) override;
    void clear() override;
    int readKey() override;
    std::string readLine() override;
    void pause(int ms) override;
    void playSound(const char* gameName) override;
    std::int64_t calendarSeconds() override { return seedSeconds; }
    [[noreturn]] void endProgram() override;

private:
    template <class T> T next(std::deque<T>& queue, bool wantsLine);

    ScreenModel screen_;
    std::deque<int> keys_;
    std::deque<std::string> lines_;
    std::vector<LogEntry> log_;
    std::int64_t clockMs_ = 0;
};
