// The game's console in a web browser. The game is compiled to WebAssembly with Asyncify: a key
// read, a pause, a typed line or a sound is a plain blocking call here, and underneath the game
// is unwound until the page's promise settles, so the page stays responsive and nothing polls.
// The page (web/page.js) owns the terminal emulator, the keys, the speaker and the storage;
// this file speaks to it through the few functions of Module.page. The sounds are made here, by
// the synthesizer that writes the native builds' sound files, and kept by the page for the visit.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "console/platform.h"
#include "console/sound_files.h"
#include "console/synthesizer.h"
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
// Sounds by name ("expl"): whether the page has the sound's samples, the samples handed to it
// (copied out of the module's memory, with the milliseconds their making took), and one played
// to its end.
EM_JS(int, pageHasSound, (const char* name), { return Module.page.hasSound(UTF8ToString(name)) ? 1 : 0; });
EM_JS(void, pageKeepSound, (const char* name, const std::int16_t* samples, int count, int rate, double ms), {
    Module.page.keepSound(UTF8ToString(name), HEAP16.slice(samples >> 1, (samples >> 1) + count), rate, ms);
});
EM_ASYNC_JS(void, pagePlaySound, (const char* name), { await Module.page.playSound(UTF8ToString(name)); });
// Waits until the page is idle, or `withinMs` at most (0: no limit); 1 when no key has come
// meanwhile.
EM_ASYNC_JS(int, pageIdle, (int withinMs), { return await Module.page.idle(withinMs); });
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
    WebConsole() { pageOpenStorage(); }

    void moveCursor(int col0, int row0) override { pending += vt100::moveTo(col0, row0); }

    // xterm.js takes a line feed literally, so a line end needs its carriage return.
    void write(std::string_view text) override { pending += vt100::text(text, true, true); }

    void clear() override { pending += vt100::clearScreen; }

    int readKey() override
    {
        flush();
        storageOpened();
        // The sounds are made while the page has nothing else to do; a key stops it at once.
        for (std::string name = nextToMake(); !name.empty() && pageIdle(0); name = nextToMake()) makeSound(name);
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

    // A pause is idle time too: sounds are made in it while it has time to spare, each in a
    // moment the page has nothing else to do (what was written before the pause is drawn first),
    // and it ends when it would have ended.
    void pause(int ms) override
    {
        flush();
        const double end = emscripten_get_now() + ms;
        const auto timeToSpare = [end] { return end - emscripten_get_now() > spareMs; };
        for (std::string name = nextToMake(); !name.empty() && timeToSpare(); name = nextToMake()) {
            pageIdle(static_cast<int>(end - emscripten_get_now() - spareMs) + 1);  // never past the pause
            if (!timeToSpare()) break;
            makeSound(name);
        }
        const double left = end - emscripten_get_now();
        if (left > 0) pageSleep(static_cast<int>(left + 0.5));
    }

    // A sound not made ahead is made now, before it plays.
    void playSound(const char* gameName) override
    {
        const std::string name = soundName(gameName);
        if (name.empty()) return;
        flush();
        if (!pageHasSound(name.c_str())) makeSound(name);
        pagePlaySound(name.c_str());
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

    static void makeSound(const std::string& name)
    {
        const double start = emscripten_get_now();
        const std::vector<std::int16_t> samples = synth::synthesize(name);
        pageKeepSound(name.c_str(), samples.data(), static_cast<int>(samples.size()), synth::sampleRate,
                      emscripten_get_now() - start);
    }

    // The sounds are made ahead, in the order the game first plays them, whenever the game waits:
    // at a key and in a pause. The page keeps them for the visit, so a new game (a fresh
    // instance of the module) finds them made. Returns the next sound the page does not have
    // yet; empty once it has them all.
    std::string nextToMake()
    {
        for (; nextSound < soundNames.size(); ++nextSound)
            if (!pageHasSound(soundNames[nextSound].c_str())) return soundNames[nextSound];
        return {};
    }

    // The longest a sound takes to make, with room to spare: a pause makes no sound when less
    // is left of it.
    static constexpr double spareMs = 100;

    const std::vector<std::string> soundNames = synth::soundNames();
    std::size_t nextSound = 0;
    std::string pending;
    bool storageRead = false;
};

}  // namespace

ConsoleBackend& platformConsole()
{
    static WebConsole console;
    return console;
}
