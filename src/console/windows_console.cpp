// The Windows console backend: cursor moves and clears through the console API, keys through
// the C runtime's unechoed single-key read, text through standard output in code page 437. The
// byte 0x1E, the small upward triangle, goes to the console as the character U+25B2: Windows
// Terminal takes the byte for a control character and shows nothing, and the classic console
// shows it only with a font that draws it in code page 437. Redirected output gets the byte.
//
// Ctrl-C is a key, never an interrupt: processed input is off while the game runs, so Ctrl-C
// waits in the input buffer like any other key and arrives as code 3; the control handler
// swallows what still gets signalled (Ctrl-Break, or Ctrl-C during a typed line).
#include <conio.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/platform.h"
#include "console/sound_files.h"

namespace {

// A typed line longer than this is cut; the rest of it is read and dropped.
constexpr std::size_t maxLineBytes = 4096;

// The console as the game found it, put back on every way out.
struct SavedConsole {
    bool inputIsConsole = false;
    bool outputIsConsole = false;
    DWORD inputMode = 0;
    UINT outputCodePage = 0;
};
SavedConsole saved;

// Raised by the control handler; a line read cut short by Ctrl-C is told apart from a real end
// of input by it.
HANDLE interrupted = nullptr;

HANDLE inputHandle() { return GetStdHandle(STD_INPUT_HANDLE); }
HANDLE outputHandle() { return GetStdHandle(STD_OUTPUT_HANDLE); }

BOOL WINAPI onControlEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;  // close, logoff: default
    SetEvent(interrupted);
    return TRUE;
}

void restoreConsole()
{
    std::fflush(stdout);
    if (saved.inputIsConsole) SetConsoleMode(inputHandle(), saved.inputMode);
    if (saved.outputCodePage != 0) SetConsoleOutputCP(saved.outputCodePage);
}

// Key reads and pauses: Ctrl-C goes into the input buffer as a key.
void useGameInputMode()
{
    if (saved.inputIsConsole) SetConsoleMode(inputHandle(), saved.inputMode & ~ENABLE_PROCESSED_INPUT);
}

// A typed line: echoed, edited and ended by ENTER by the console itself, which needs processed
// input for backspace and the line end.
void useLineInputMode()
{
    if (saved.inputIsConsole) {
        SetConsoleMode(inputHandle(), saved.inputMode | ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT);
    }
}

void setUpConsole()
{
    interrupted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    saved.inputIsConsole = GetConsoleMode(inputHandle(), &saved.inputMode) != 0;
    DWORD outputMode = 0;
    saved.outputIsConsole = GetConsoleMode(outputHandle(), &outputMode) != 0;
    saved.outputCodePage = GetConsoleOutputCP();
    std::atexit(restoreConsole);
    SetConsoleCtrlHandler(onControlEvent, TRUE);
    SetConsoleOutputCP(437);
    useGameInputMode();
}

// One line of standard input without its line end, at most maxLineBytes of it. False at end of
// input with nothing read.
bool readStdinLine(std::string& line)
{
    line.clear();
    char chunk[512];
    bool gotAny = false;
    while (std::fgets(chunk, sizeof chunk, stdin)) {
        gotAny = true;
        std::string_view piece(chunk);
        const bool lineEnds = !piece.empty() && piece.back() == '\n';
        if (lineEnds) piece.remove_suffix(1);
        line.append(piece.substr(0, maxLineBytes - line.size()));
        if (lineEnds) break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return gotAny;
}

// Whether the control handler fired: it runs on a thread of its own, possibly just after the
// interrupted read has returned, so give it a moment.
bool wasInterrupted()
{
    return WaitForSingleObject(interrupted, 100) == WAIT_OBJECT_0;
}

class WindowsConsole : public ConsoleBackend {
public:
    WindowsConsole() { setUpConsole(); }

    void moveCursor(int col0, int row0) override
    {
        SetConsoleCursorPosition(outputHandle(), COORD{static_cast<SHORT>(col0), static_cast<SHORT>(row0)});
    }

    void write(std::string_view text) override
    {
        for (;;) {
            const std::size_t dash = saved.outputIsConsole ? text.find(dashByte) : std::string_view::npos;
            std::fwrite(text.data(), 1, std::min(dash, text.size()), stdout);
            std::fflush(stdout);
            if (dash == std::string_view::npos) return;
            DWORD written = 0;
            WriteConsoleW(outputHandle(), L"\u25B2", 1, &written, nullptr);
            text.remove_prefix(dash + 1);
        }
    }

    void clear() override
    {
        std::fflush(stdout);
        const HANDLE out = outputHandle();
        CONSOLE_SCREEN_BUFFER_INFO info;
        if (!GetConsoleScreenBufferInfo(out, &info)) return;
        const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
        const COORD home{0, 0};
        DWORD done = 0;
        FillConsoleOutputCharacterA(out, ' ', cells, home, &done);
        FillConsoleOutputAttribute(out, info.wAttributes, cells, home, &done);
        SetConsoleCursorPosition(out, home);
    }

    int readKey() override
    {
        std::fflush(stdout);
        if (!saved.inputIsConsole) return readRedirectedKey();
        const int key = readConsoleKey();
        FlushConsoleInputBuffer(inputHandle());
        return key;
    }

    std::string readLine() override
    {
        std::fflush(stdout);
        useLineInputMode();
        std::string line;
        for (;;) {
            ResetEvent(interrupted);
            if (readStdinLine(line)) break;
            // Ctrl-C cuts a console line read short as if input had ended: read the line again.
            if (!saved.inputIsConsole || !wasInterrupted()) endProgram();
            std::clearerr(stdin);
        }
        useGameInputMode();
        return line;
    }

    void pause(int ms) override
    {
        std::fflush(stdout);
        // The tick count moves in steps of about 16 ms and Sleep may wake early, so the wait is
        // measured on the performance counter and slept off in whole milliseconds, rounded up.
        LARGE_INTEGER frequency, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&now);
        const LONGLONG target = now.QuadPart + frequency.QuadPart * ms / 1000;
        while (now.QuadPart < target) {
            const LONGLONG left = target - now.QuadPart;
            Sleep(static_cast<DWORD>((left * 1000 + frequency.QuadPart - 1) / frequency.QuadPart));
            QueryPerformanceCounter(&now);
        }
    }

    void playSound(const char* gameName) override { playGameSound(gameName); }

    std::int64_t calendarSeconds() override { return std::time(nullptr); }

    [[noreturn]] void endProgram() override
    {
        restoreConsole();
        std::exit(0);
    }

private:
    // A key from the keyboard. Keys without a character (arrows, function keys) come as a lead
    // code of 0 or 224 and then their scan code; they are dropped whole.
    static int readConsoleKey()
    {
        for (;;) {
            const int key = _getch();
            if (key != 0 && key != 224) return key;
            if (_kbhit()) _getch();
        }
    }

    // A key from redirected input: one byte, a line end taken as ENTER.
    int readRedirectedKey()
    {
        const int c = std::getchar();
        if (c == EOF) endProgram();
        return c == '\n' ? keyEnter : c;
    }
};

}  // namespace

ConsoleBackend& platformConsole()
{
    static WindowsConsole console;
    return console;
}
