// The console: the only way the game reaches the screen, the keyboard, the clock and the
// speaker. Game code calls the free functions below; they forward to the one active backend
// (the POSIX terminal, the Windows console, or the scripted console of the tests).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Key codes with a meaning of their own.
constexpr int keyCtrlC = 3;
constexpr int keyEnter = 13;
constexpr int keyEsc = 27;

// The byte the game uses as a dash inside messages and at the end of key prompts. The
// backends show it as a small upward triangle.
constexpr char dashByte = '\x1e';

class ConsoleBackend {
public:
    virtual ~ConsoleBackend() = default;

    // Cursor to a 0-based column and row.
    virtual void moveCursor(int col0, int row0) = 0;
    // Text at the cursor; "\n" goes to column 1 of the next row.
    virtual void write(std::string_view text) = 0;
    // Clears the whole screen and homes the cursor.
    virtual void clear() = 0;
    // Waits for one key press, unechoed, then discards any other input waiting.
    virtual int readKey() = 0;
    // Reads one line typed by the player, echoed and ended by ENTER (without the line end).
    virtual std::string readLine() = 0;
    // Returns after at least ms milliseconds.
    virtual void pause(int ms) = 0;
    // Plays one sound file to its end; a sound that cannot be played is silently skipped.
    virtual void playSound(const char* gameName) = 0;
    // The calendar time in seconds, for seeding chance.
    virtual std::int64_t calendarSeconds() = 0;
    // Ends the program with status 0. Never returns.
    [[noreturn]] virtual void endProgram() = 0;
};

// The backend every console call goes to. main() (or a test) installs it first.
void installConsole(ConsoleBackend& backend);
ConsoleBackend& activeConsole();

// The console operations of the game, with 1-based screen positions.
void gotoColRow(int col, int row);
int readKey();
void pauseMs(int ms);
void clearScreen();
std::string readLine();
[[noreturn]] void endProgram();

// Text output: C strings and decimal ints at the cursor.
void writeText(std::string_view text);
void writeInt(int value);
void writeBlanks(int count);

// write("You have ", mission.fuel, " units of fuel") writes each piece in turn.
inline void writePiece(std::string_view text) { writeText(text); }
inline void writePiece(const char* text) { writeText(text); }
inline void writePiece(const std::string& text) { writeText(text); }
inline void writePiece(int value) { writeInt(value); }
template <typename... Pieces>
void write(const Pieces&... pieces)
{
    (writePiece(pieces), ...);
}

// The common prompt sequence: move, blank `blanks` columns, move back, pause, write the text.
// Reads nothing; callers read the key themselves.
void showPrompt(int col, int row, int blanks, int pause, std::string_view text);

// A key narrowed to a char and lower-cased, as every letter is compared.
char lowerKey(int key);
