// The game's console in a web browser. The game is compiled to WebAssembly with Asyncify: a key
// read, a pause, a typed line or a sound is a plain blocking call here, and underneath the game
// is unwound until the page's promise settles, so the page stays responsive and nothing polls.
// The page (web/page.js) owns the terminal emulator, the keys, the speaker and the storage;
// this file speaks to it through the few functions of Module.page.
#include <emscripten.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "console/cues.h"
#include "console/platform.h"
#include "console/sound_files.h"
#include "console/vt100.h"

namespace {

// The page's side. Each waiting call awaits a promise of the page; the others return at once.
EM_JS(void, pageWrite, (const char* bytes, int length), {
    Module.page.write(HEAPU8.slice(bytes, bytes + length));
});
// `typing` is 1 while the game reads a typed line (a touch screen's key bar shows the digits).
EM_ASYNC_JS(int, pageNextKey, (int typing), { return await Module.page.nextKey(typing); });
EM_JS(void, pageDiscardKeys, (), { Module.page.discardKeys(); });
EM_ASYNC_JS(void, pageSleep, (int ms), { await new Promise(done => setTimeout(done, ms)); });
EM_ASYNC_JS(void, pagePlaySound, (const char* path), { await Module.page.playSound(UTF8ToString(path)); });
EM_JS(void, pagePreloadSound, (const char* path), { Module.page.preloadSound(UTF8ToString(path)); });
// The frozen game's folder: IndexedDB mounted as the working directory and read in. The reading
// starts with the game and the game waits for its end at its first key, the first moment a file
// can matter, so the title screen does not wait for the storage.
EM_JS(void, pageOpenStorage, (), { Module.storageOpened = Module.page.openStorage(FS, FS.filesystems.IDBFS); });
EM_ASYNC_JS(void, pageStorageOpened, (), { await Module.storageOpened; });
// Tells the page the game has ended, then waits for ever: the page starts a new game in a
// fresh instance of the module and this one is dropped, unwound where it stands.
EM_ASYNC_JS(void, pageEndProgram, (), {
    Module.page.ended();
    await new Promise(() => {});
});

constexpr int keyBackspace = 127;
constexpr int keyCtrlH = 8;
// The time warp's line holds a digit or two; the echo stops here, within the row.
constexpr std::size_t longestLine = 40;

class WebConsole final : public ConsoleBackend {
public:
    WebConsole()
    {
        pageOpenStorage();
        for (const std::string& file : allSoundFiles()) {
            const std::string path = soundFileInData(file.c_str());
            if (!path.empty()) pagePreloadSound(path.c_str());
        }
    }

    void moveCursor(int col0, int row0) override { pending += vt100::moveTo(col0, row0); }

    // xterm.js takes a line feed literally, so a line end needs its carriage return.
    void write(std::string_view text) override { pending += vt100::text(text, true, true); }

    void clear() override { pending += vt100::clearScreen; }

    int readKey() override
    {
        flush();
        storageOpened();
        const int key = pageNextKey(0);
        pageDiscardKeys();
        return key;
    }

    // The one place the line is echoed and edited: printable keys are shown, backspace takes
    // back the last one, ENTER ends the line. Other keys are ignored.
    std::string readLine() override
    {
        std::string line;
        storageOpened();
        for (;;) {
            flush();
            const int key = pageNextKey(1);
            if (key == keyEnter) return line;
            if (key == keyBackspace || key == keyCtrlH) {
                if (!line.empty()) {
                    line.pop_back();
                    pending += "\b \b";
                }
            } else if (key >= ' ' && key < keyBackspace && line.size() < longestLine) {
                line += static_cast<char>(key);
                pending += static_cast<char>(key);
            }
        }
    }

    void pause(int ms) override
    {
        flush();
        if (ms > 0) pageSleep(ms);
    }

    void playSound(const char* gameName) override
    {
        const std::string path = soundFileInData(gameName);
        if (path.empty()) return;
        flush();
        pagePlaySound(path.c_str());
    }

    std::int64_t calendarSeconds() override { return std::time(nullptr); }

    [[noreturn]] void endProgram() override
    {
        flush();
        pageEndProgram();
        std::abort();  // not reached: the page never settles the wait
    }

private:
    void storageOpened()
    {
        if (storageRead) return;
        pageStorageOpened();
        storageRead = true;
    }

    // The screen is drawn in whole pieces: what the game writes is held until it waits for
    // something, so the page never shows a screen half drawn.
    void flush()
    {
        if (pending.empty()) return;
        pageWrite(pending.data(), static_cast<int>(pending.size()));
        pending.clear();
    }

    std::string pending;
    bool storageRead = false;
};

}  // namespace

ConsoleBackend& platformConsole()
{
    static WebConsole console;
    return console;
}
