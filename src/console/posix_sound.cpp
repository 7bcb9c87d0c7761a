// Sound on POSIX systems: the file is parsed by our own reader and played through the ALSA
// library, opened at run time so that the game builds and runs on machines without it. Every
// failure is silent: the game simply goes on without the sound.
#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "console/sound_files.h"
#include "console/wav.h"

namespace {

// The little of the ALSA interface we use, declared here so that no ALSA header is needed to
// build. The PCM handle is opaque to us.
struct AlsaPcm;
extern "C" {
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
using PcmOpen = int (*)(AlsaPcm** pcm, const char* name, int stream, int mode);
using PcmNonblock = int (*)(AlsaPcm* pcm, int nonblock);
using PcmSetParams = int (*)(AlsaPcm* pcm, int format, int access, unsigned channels, unsigned rate,
                             int softResample, unsigned latencyMicroseconds);
using PcmWritei = long (*)(AlsaPcm* pcm, const void* buffer, unsigned long frames);
using PcmRecover = int (*)(AlsaPcm* pcm, int error, int silent);
using PcmDrain = int (*)(AlsaPcm* pcm);
using PcmClose = int (*)(AlsaPcm* pcm);
using SetErrorHandler = int (*)(AlsaErrorHandler handler);

// Without a handler of our own, libasound prints its complaints (no sound card, a bad
// configuration) on stderr, right across the game's screen.
static void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
}

constexpr int streamPlayback = 0;
constexpr int openNonblocking = 1;
constexpr int accessInterleaved = 3;
constexpr int formatU8 = 1;
constexpr int formatS16LE = 2;
// A fifth of a second of buffer: enough to ride out a busy moment, short enough that the
// game's next line follows the end of the sound closely.
constexpr unsigned latencyMicroseconds = 200000;

struct Alsa {
    PcmOpen open = nullptr;
    PcmNonblock nonblock = nullptr;
    PcmSetParams setParams = nullptr;
    PcmWritei writei = nullptr;
    PcmRecover recover = nullptr;
    PcmDrain drain = nullptr;
    PcmClose close = nullptr;
};

template <typename Function>
bool bind(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<Alsa> loadAlsa()
{
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return std::nullopt;
    Alsa alsa;
    SetErrorHandler setErrorHandler = nullptr;
    const bool complete = bind(library, "snd_lib_error_set_handler", setErrorHandler)
                          && bind(library, "snd_pcm_open", alsa.open)
                          && bind(library, "snd_pcm_nonblock", alsa.nonblock)
                          && bind(library, "snd_pcm_set_params", alsa.setParams)
                          && bind(library, "snd_pcm_writei", alsa.writei)
                          && bind(library, "snd_pcm_recover", alsa.recover)
                          && bind(library, "snd_pcm_drain", alsa.drain)
                          && bind(library, "snd_pcm_close", alsa.close);
    if (!complete) {
        dlclose(library);
        return std::nullopt;
    }
    setErrorHandler(ignoreAlsaError);
    return alsa;
}

// Loaded on the first sound and kept: a machine without the library is asked only once.
const Alsa* alsaLibrary()
{
    static const std::optional<Alsa> alsa = loadAlsa();
    return alsa ? &*alsa : nullptr;
}

void play(const Alsa& alsa, const WavSound& sound)
{
    AlsaPcm* pcm = nullptr;
    // Opened without blocking, so that a device held by another program fails at once instead
    // of stalling the game; the writes then block as playback needs.
    if (alsa.open(&pcm, "default", streamPlayback, openNonblocking) < 0) return;
    const int format = sound.bitsPerSample == 8 ? formatU8 : formatS16LE;
    if (alsa.nonblock(pcm, 0) < 0
        || alsa.setParams(pcm, format, accessInterleaved, static_cast<unsigned>(sound.channels),
                          static_cast<unsigned>(sound.sampleRate), 1, latencyMicroseconds) < 0) {
        alsa.close(pcm);
        return;
    }
    const std::uint8_t* next = sound.samples.data();
    unsigned long framesLeft = sound.frameCount();
    int failures = 0;
    while (framesLeft > 0) {
        const long written = alsa.writei(pcm, next, framesLeft);
        if (written == 0) break;
        if (written < 0) {
            // An underrun or a suspended device can be recovered; anything else, or a device
            // that keeps failing, ends the sound.
            if (++failures > 3 || alsa.recover(pcm, static_cast<int>(written), 1) < 0) break;
            continue;
        }
        failures = 0;
        next += static_cast<std::size_t>(written) * sound.bytesPerFrame();
        framesLeft -= static_cast<unsigned long>(written);
    }
    alsa.drain(pcm);
    alsa.close(pcm);
}

}  // namespace

void playGameSound(const char* gameName)
{
    const std::string path = locateSoundFile(gameName);
    if (path.empty()) return;
    const std::optional<WavSound> sound = readWavFile(path);
    if (!sound || sound->samples.empty()) return;
    if (const Alsa* alsa = alsaLibrary()) play(*alsa, *sound);
}
