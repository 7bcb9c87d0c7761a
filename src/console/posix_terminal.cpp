// The game's console on a POSIX terminal: VT100 moves and clears, keys read one at a time
// without echo, pauses that sleep, and the terminal given back on every way out (posix_tty).
#include <cerrno>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <langinfo.h>
#include <string>

#include "console/platform.h"
#include "console/posix_tty.h"
#include "console/sound_files.h"
#include "console/vt100.h"

namespace {

// How long the bytes after an ESC may take to arrive and still count as one key (an arrow
// or a function key) rather than ESC followed by keys of their own.
constexpr int escapeSequenceMs = 50;
// readLine keeps this much of a line and drops the rest of it.
constexpr std::size_t longestLine = 4096;

constexpr int screenCols = 80;
constexpr int screenRows = 25;

// ---- output ----

bool namesUtf8(const char* name)
{
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
}

// The locale the environment asks for, in the order setlocale reads it.
const char* wantedLocale()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "";
}

bool localeSpeaksUtf8()
{
    // A locale that is asked for but not installed still tells what the terminal speaks.
    const bool utf8 = std::setlocale(LC_CTYPE, "") != nullptr ? namesUtf8(nl_langinfo(CODESET))
                                                              : namesUtf8(wantedLocale());
    // Back to "C" so that the game's tolower treats every byte alike whatever the locale.
    std::setlocale(LC_CTYPE, "C");
    return utf8;
}

// ---- keys ----

// ESC [ parameters and intermediates (0x20-0x3F), then one final byte (0x40-0x7E).
void swallowControlSequence()
{
    for (int i = 0; i < 64; ++i) {
        const int byte = ttyReadByte(escapeSequenceMs);
        if (byte < 0x20 || byte > 0x3f) return;
    }
}

// After an ESC from the keyboard: true when more bytes came close behind it, which are then
// read to the end of their sequence; false for a lone ESC, the key itself.
bool swallowEscapeSequence()
{
    const int next = ttyReadByte(escapeSequenceMs);
    if (next < 0) return false;
    if (next == '[')
        swallowControlSequence();
    else if (next == 'O')
        ttyReadByte(escapeSequenceMs);  // ESC O P and the like: one byte more
    else if (next == 0x1b)
        swallowEscapeSequence();  // a sequence with Alt held: ESC ESC [ A
    return true;                  // anything else: ESC and one byte, an Alt-key
}

// The next key, before the type-ahead is dropped. Piped keys are taken byte for byte: no
// arrow key comes down a pipe, and a script's ESC ESC must stay two keys.
int nextKey()
{
    for (;;) {
        const int byte = ttyReadByte(-1);
        if (byte == '\n') return keyEnter;  // piped input, or Ctrl-J
        if (byte != keyEsc || !ttyKeysFromTerminal()) return byte;
        if (!swallowEscapeSequence()) return keyEsc;
    }
}

// ---- the window ----

bool windowTooSmall(int& cols, int& rows)
{
    return ttyWindowSize(cols, rows) && (cols < screenCols || rows < screenRows);
}

void showSizeNotice(int cols, int rows)
{
    ttyWrite(vt100::clearScreen);
    ttyWrite("Zorvane needs a terminal of 80 columns by 25 rows (this one is " + std::to_string(cols) +
             "x" + std::to_string(rows) + "). Enlarge it or press a key.");
}

// Before the title screen: a window too small for the game's screen gets a notice until it
// grows or the player presses a key to play anyway. The size is looked at a few times a
// second, which costs nothing while waiting and needs no SIGWINCH handler.
void waitForRoomyWindow()
{
    if (!ttyKeysFromTerminal()) return;
    int cols = 0, rows = 0, shownCols = 0, shownRows = 0;
    while (windowTooSmall(cols, rows)) {
        if (cols != shownCols || rows != shownRows) showSizeNotice(cols, rows);
        shownCols = cols;
        shownRows = rows;
        if (ttyReadByte(200) >= 0) {
            ttyDiscardInput();  // the rest of an arrow key, say
            return;
        }
    }
}

// ---- the backend ----

class PosixTerminal final : public ConsoleBackend {
public:
    PosixTerminal() : utf8(localeSpeaksUtf8())
    {
        ttyOpen();
        waitForRoomyWindow();
    }

    void moveCursor(int col0, int row0) override
    {
        ttyWrite(vt100::moveTo(col0, row0));
    }

    // With the terminal's output processing off, a line end needs its carriage return spelt out.
    void write(std::string_view text) override { ttyWrite(vt100::text(text, utf8, ttyOutputRaw())); }

    void clear() override { ttyWrite(vt100::clearScreen); }

    int readKey() override
    {
        const int key = nextKey();
        ttyDiscardInput();
        return key;
    }

    std::string readLine() override
    {
        ttyLineMode();
        std::string line;
        for (int byte = ttyReadByte(-1); byte != '\n'; byte = ttyReadByte(-1)) {
            if (line.size() < longestLine) line += static_cast<char>(byte);
        }
        ttyRawMode();
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }

    void pause(int ms) override
    {
        if (ms <= 0) return;
        timespec until;
        clock_gettime(CLOCK_MONOTONIC, &until);
        until.tv_sec += ms / 1000;
        until.tv_nsec += (ms % 1000) * 1000000L;
        if (until.tv_nsec >= 1000000000L) {
            until.tv_sec += 1;
            until.tv_nsec -= 1000000000L;
        }
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
    }

    void playSound(const char* gameName) override { playGameSound(gameName); }

    std::int64_t calendarSeconds() override { return std::time(nullptr); }

    [[noreturn]] void endProgram() override { ttyEnd(); }

private:
    const bool utf8;
};

}  // namespace

ConsoleBackend& platformConsole()
{
    static PosixTerminal terminal;
    return terminal;
}
