// The game's console on a POSIX terminal: keys read and decoded one at a time (ESC told from
// the arrow keys), the screen drawn with VT100 moves and clears, pauses that sleep. The terminal
// device underneath (raw mode, signals, bytes in and out, the restore) is posix_raw_terminal.
#include <cerrno>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <langinfo.h>
#include <string>

#include "console/platform.h"
#include "console/posix_raw_terminal.h"
#include "console/screen_model.h"
#include "console/sound_files.h"
#include "console/vt100.h"

namespace {

// How long the bytes after an ESC may take to arrive and still count as one key (an arrow
// or a function key) rather than ESC followed by keys of their own.
constexpr int escapeSequenceMs = 50;
// readLine keeps this much of a line and drops the rest of it.
constexpr std::size_t longestLine = 4096;

constexpr int screenCols = ScreenModel::columns;
constexpr int screenRows = ScreenModel::rows;

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

constexpr int keyCtrlL = 12;

// ESC [ parameters and intermediates (0x20-0x3F), then one final byte (0x40-0x7E).
void swallowControlSequence()
{
    for (int i = 0; i < 64; ++i) {
        const int byte = ttyReadByte(escapeSequenceMs);
        if (byte < 0x20 || byte > 0x3f) return;
    }
}

// After an ESC from the keyboard: true when what follows close behind is the sequence of an
// arrow, function or editing key (ESC [ ... or ESC O x), which is then read to its end; false
// for the key ESC itself, alone or typed quickly before another key, whose byte is left to be
// dropped with the rest of the type-ahead.
bool swallowEscapeSequence()
{
    const int next = ttyReadByte(escapeSequenceMs);
    if (next == '[') {
        swallowControlSequence();
        return true;
    }
    if (next == 'O') {
        ttyReadByte(escapeSequenceMs);  // ESC O P and the like: one byte more
        return true;
    }
    return false;
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

// ---- the backend ----

// The terminal keeps a copy of the screen the game has drawn, so that it can draw it again
// when the player asks (Ctrl-L), when the window was resized, and when the program comes
// back from a suspend. While the window is too small for it, a notice asks for a larger one
// and the game's output goes to the copy only, until the window grows or a key is pressed.
class PosixTerminal final : public ConsoleBackend {
public:
    PosixTerminal() : utf8(localeSpeaksUtf8())
    {
        ttyOpen();
        // Before the title screen, a window too small waits for room or a key.
        noticeIfTooSmall();
        waitPastNotice();
    }

    void moveCursor(int col0, int row0) override
    {
        screen.moveCursor(col0, row0);
        show(vt100::moveTo(col0, row0));
    }

    // With the terminal's output processing off, a line end needs its carriage return spelt out.
    void write(std::string_view text) override
    {
        screen.write(text);
        show(vt100::text(text, utf8, ttyOutputRaw()));
    }

    void clear() override
    {
        screen.clear();
        show(vt100::clearScreen);
    }

    int readKey() override
    {
        const int key = nextKey();
        ttyDiscardInput();
        return key;
    }

    std::string readLine() override
    {
        waitPastNotice();
        ttyLineMode();
        std::string line;
        for (int byte = ttyReadByte(-1); byte != '\n'; byte = ttyReadByte(-1)) {
            if (byte == ttyScreenChanged) {
                // The terminal echoed what was typed of the line so far, and the fresh screen
                // shows none of it: it is dropped, so that the line read is the line the
                // player sees. (A line being read already was ended by ENTER: it stays.)
                if (line.empty()) ttyDiscardInput();
                fitWindow();
            } else if (line.size() < longestLine) {
                line += static_cast<char>(byte);
            }
        }
        ttyRawMode();
        if (!line.empty() && line.back() == '\r') line.pop_back();
        screen.write(line + "\n");  // as the terminal echoed it
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
        // A signal ends the sleep early: the screen is drawn again if it must be, and the
        // sleep goes on to the same moment.
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
            fitWindowIfChanged();
        }
        fitWindowIfChanged();
    }

    void playSound(const char* gameName) override
    {
        playGameSound(gameName);
        fitWindowIfChanged();
    }

    std::int64_t calendarSeconds() override { return std::time(nullptr); }

    [[noreturn]] void endProgram() override { ttyEnd(); }

private:
    // The game's output, unless the notice stands in its place.
    void show(std::string_view bytes)
    {
        if (!noticeShown) ttyWrite(bytes);
    }

    void redraw()
    {
        if (ttyScreenIsTerminal()) ttyWrite(vt100::screen(screen, utf8));
    }

    // The game's screen when the window holds it, else the notice. Only a player at the
    // keyboard gets the notice: piped keys could not answer it.
    void fitWindow()
    {
        if (!noticeIfTooSmall()) redraw();
    }

    bool noticeIfTooSmall()
    {
        int cols = 0, rows = 0;
        noticeShown = ttyKeysFromTerminal() && windowTooSmall(cols, rows);
        if (noticeShown) showSizeNotice(cols, rows);
        return noticeShown;
    }

    void fitWindowIfChanged()
    {
        if (ttyTakeScreenChange()) fitWindow();
    }

    // A key gets past the notice (the game is then played in the small window); the key, and
    // the rest of an arrow key, say, are not passed on.
    void dismissNotice()
    {
        ttyDiscardInput();
        noticeShown = false;
        redraw();
    }

    void waitPastNotice()
    {
        while (noticeShown) {
            if (ttyReadByte(-1) == ttyScreenChanged)
                fitWindow();
            else
                dismissNotice();
        }
    }

    // The next key, before the type-ahead is dropped. Piped keys are taken byte for byte: no
    // arrow key comes down a pipe, and a script's ESC ESC must stay two keys.
    int nextKey()
    {
        for (;;) {
            const int byte = ttyReadByte(-1);
            if (byte == ttyScreenChanged) {
                fitWindow();
            } else if (noticeShown) {
                dismissNotice();
            } else if (byte == keyCtrlL) {
                redraw();  // the player asks for a clean screen; the game never sees the key
            } else if (byte == '\n') {
                return keyEnter;  // piped input, or Ctrl-J
            } else if (byte != keyEsc || !ttyKeysFromTerminal() || !swallowEscapeSequence()) {
                return byte;
            }
        }
    }

    const bool utf8;
    ScreenModel screen;
    bool noticeShown = false;
};

}  // namespace

ConsoleBackend& platformConsole()
{
    static PosixTerminal terminal;
    return terminal;
}
