// A program run on an 80x25 pseudo-terminal, as a player's terminal would run it: the tests and
// the benchmark type keys at it, read what it draws, signal it, resize or hang up its terminal.
// The terminal is its keyboard too (a test that wants other keys redirects them in a shell).
#pragma once

#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/screen_model.h"

struct PtyLaunch {
    explicit PtyLaunch(std::vector<std::string> argv = {}, const char* lang = "C")
        : argv(std::move(argv)), env{{"LANG", lang}} {}
    std::vector<std::string> argv;  // argv[0] is the path of the program
    // Set in the program's environment after LANG and the LC_ variables are cleared.
    std::vector<std::pair<std::string, std::string>> env;
    // Without a controlling terminal a hang-up reaches the program only as EIO, not SIGHUP.
    bool controllingTerminal = true;
    std::string workDir;                  // empty: the current directory
    unsigned short cols = 80, rows = 25;  // the window's size
};

class PtySession {
public:
    explicit PtySession(const PtyLaunch& launch);
    // A program still running is killed.
    ~PtySession();
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    pid_t pid() const { return child; }
    // Types the bytes, reading the program's output meanwhile so that neither side blocks.
    void send(std::string_view bytes);
    // Waits for `text` after the read position and moves the position past it. Returns what
    // came between; nothing on a time-out or when the program ended without it.
    std::optional<std::string> waitFor(std::string_view text, int timeoutMs = 2000);
    // Waits for the program to end: its exit status, or 128 + the signal that killed it.
    std::optional<int> waitExit(int timeoutMs = 2000);
    bool running() { return !reap(true); }
    // Reads on until `done` or the time-out; whether it was done.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs = 2000);
    termios modes() const;  // as the program has set them
    void resize(unsigned short cols, unsigned short rows);
    // Closes the terminal's master side, as a closed terminal window does.
    void hangUp() { close(std::exchange(master, -1)); }
    const rusage& usage() const { return childUsage; }  // of the ended program
    const std::string& output() const { return received; }

private:
    void pump(int timeoutMs);  // reads what came, waiting at most timeoutMs for the first bytes
    bool reap(bool noHang);

    int master = -1;
    pid_t child = -1;
    std::optional<int> status;
    rusage childUsage{};
    std::string received;
    std::size_t position = 0;
};

long long monotonicMicros();

// The screen a terminal shows after `output`, for the VT100 subset that the game and Wine's
// console write: cursor moves, whole clears, erases to the end of the line; colours and modes
// change no cell. A character of several UTF-8 bytes takes one cell: the small upward triangle
// U+25B2 shown as the game's dash byte 0x1E, for which it stands, any other as '#'.
ScreenModel screenAfter(std::string_view output);
// Its rows, a line each.
std::string rowsOf(const ScreenModel& screen);
