// Sound: the synthesizer, our WAV reader, where the game finds its files, and
// playback through a real ALSA path. ALSA reads $HOME/.asoundrc, so the playback tests write one
// into a scratch HOME: a file device over the null device, which takes the samples at once and
// records them, or a default card that this machine does not have.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "console/cues.h"
#include "console/sound_files.h"
#include "console/synthesizer.h"
#include "console/wav.h"
#include "support/game_test.h"

namespace fs = std::filesystem;

namespace {

// The lowest `bytes` bytes of v, least significant first.
std::string le(std::uint32_t v, int bytes) { return bytes == 0 ? "" : static_cast<char>(v & 0xFF) + le(v >> 8, bytes - 1); }
std::string chunk(const std::string& id, const std::string& body)
{
    return id + le(static_cast<std::uint32_t>(body.size()), 4) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}
std::string fmt(int tag, int channels, int rate, int bits, int align = 0)
{
    if (align == 0) align = channels * bits / 8;
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) + le(bits, 2));
}
std::string riff(const std::string& chunks) { return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks; }

const std::string frames = "\x01\x02\x03\x04\x05\x06\x07\x08";
// A file of these chunks, then eight bytes of samples.
std::string wav(const std::string& chunks) { return riff(chunks + chunk("data", frames)); }
const std::string mono = fmt(1, 1, 22050, 16);
const std::string good = wav(mono);

// What the reader makes of a file: "channels x bits @ rate", a space and the whole frames; empty
// when it refuses the file. It sees the bytes in a buffer of exactly their size, so that
// AddressSanitizer reports any read past the end.
std::string heard(const std::string& bytes)
{
    const std::vector<char> buffer(bytes.begin(), bytes.end());
    const auto sound = parseWav(std::string_view(buffer.data(), buffer.size()));
    if (!sound) return "";
    return std::to_string(sound->channels) + "x" + std::to_string(sound->bitsPerSample) + "@" +
           std::to_string(sound->sampleRate) + " " + std::string(sound->samples.begin(), sound->samples.end());
}

// Every sound a cue plays is one the synthesizer makes (the browser makes them by these names),
// and each is fit for a speaker: it rises from silence, and a loud mix is scaled down to 95% of
// full scale rather than clipped. A name of no sound makes nothing.
TEST(Synthesizer, MakesEverySoundTheCuesPlayWithinFullScale)
{
    for (const std::string& file : allSoundFiles()) {
        const std::vector<std::int16_t> samples = synth::synthesize(soundName(file.c_str()));
        ASSERT_FALSE(samples.empty()) << file;
        int peak = 0;
        for (std::int16_t sample : samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
        EXPECT_EQ(samples.front(), 0) << file;
        EXPECT_GT(peak, 32767 / 4) << file;
        EXPECT_LE(peak, 31129) << file;  // 95% of 32767, rounded
    }
    EXPECT_TRUE(synth::synthesize("nothing").empty());
}

// Any chunk order, 8-bit stereo, the lowest and highest rates, half a frame at the end dropped,
// a last chunk without its pad byte, an empty one at the very end.
TEST(Wav, WellFormedFilesGiveTheirFormatAndWholeFrames)
{
    EXPECT_EQ(heard(riff(mono + chunk("data", ""))), "1x16@22050 ");
    EXPECT_EQ(heard(riff(chunk("LIST", "INFOabc") + chunk("data", frames) + fmt(1, 2, 1000, 8))), "2x8@1000 " + frames);
    EXPECT_EQ(heard(riff(fmt(1, 1, 384000, 16) + "data" + le(5, 4) + "\x01\x02\x03\x04\x05")), "1x16@384000 \x01\x02\x03\x04");
}

// One file for each check of the reader: too short for a header, not WAVE, a RIFF size or a
// chunk running past the end, a short fmt chunk, a compressed format, no channels, 24 bits, a
// frame size that does not fit, rates just outside those the players take, no data, two.
TEST(Wav, DamagedOrUnusualFilesAreRefused)
{
    for (const std::string& bytes :
         {good.substr(0, 11), good.substr(0, 8) + "AVI " + good.substr(12), "RIFF" + le(40, 4) + good.substr(8),
          good.substr(0, good.size() - 1), wav(chunk("fmt ", mono.substr(8, 14))), wav(fmt(3, 1, 22050, 16)),
          wav(fmt(1, 0, 22050, 16)), wav(fmt(1, 1, 22050, 24)), wav(fmt(1, 2, 8000, 16, 2)), wav(fmt(1, 1, 999, 16)),
          wav(fmt(1, 1, 384001, 16)), riff(mono), wav(mono + chunk("data", frames))})
        EXPECT_EQ(heard(bytes), "") << testing::PrintToString(bytes);
}

// configure() points HOME, where ALSA reads its .asoundrc, at the scratch directory.
class Sound : public GameTest {
protected:
    void TearDown() override
    {
        setenv("HOME", oldHome.c_str(), 1);
        GameTest::TearDown();
    }
    // ALSA reads its configuration once per process: the cached one is dropped.
    bool configure(const std::string& asoundrc)
    {
        setenv("HOME", scratch.c_str(), 1);
        writeFile(".asoundrc", asoundrc);
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return false;
        if (auto drop = reinterpret_cast<int (*)()>(dlsym(library, "snd_config_update_free_global"))) drop();
        dlclose(library);
        return true;
    }
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "/";
};

// The working directory first, then beside the program, then the install; only a plain file
// of a plain "data\NAME.wav" name. The browser makes its sounds by the same names, so they are
// refused alike.
TEST_F(Sound, FilesAreLookedUpInTurnByTheirGameNames)
{
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
    const fs::path install = program.parent_path() / "share" / "games" / "zorvane";
    const std::string name = "lookup" + std::to_string(::getpid()) + ".wav", gameName = "data\\" + name;
    for (const fs::path& place : {install / name, program / "data" / name, fs::path("data") / name}) {
        fs::create_directories(place.parent_path());
        std::ofstream(place) << "planted";
        EXPECT_EQ(locateSoundFile(gameName.c_str()), place.string());
    }
    std::error_code ignored;  // the folders go only when empty
    for (const fs::path& left : {install / name, install, install.parent_path(), install.parent_path().parent_path(),
                                 program / "data" / name, program / "data", fs::path("data") / name})
        fs::remove(left, ignored);
    fs::create_directories(fs::path("data") / name);  // a folder of that name
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");

    for (const char* unsafe :
         {"data\\..\\secret.wav", "data/x.wav", "data\\X.WAV", "data\\x.wav ", "x.wav", static_cast<const char*>(nullptr)})
        EXPECT_EQ(soundName(unsafe), "") << unsafe;
    EXPECT_EQ(soundName("data\\x.wav"), "x");
}

// Every sample reaches the device (ALSA's file device over its null device) in the file's own
// format; missing or damaged files reach it not at all. Then, on a machine without the sound
// card, ALSA's complaints never reach the screen.
TEST_F(Sound, PlaybackSendsEverySampleAndNoCardIsQuiet)
{
    const std::string device = "pcm.!default {\n type file\n slave.pcm null\n file \"" + (scratch / "played.raw").string();
    if (!configure(device + "\"\n format raw\n}\n")) GTEST_SKIP() << "libasound.so.2 is not installed";
    std::string stereo8;
    for (int i = 0; i < 4000; ++i) stereo8.push_back(static_cast<char>(i * 7));
    fs::create_directory("data");
    writeFile("data/stereo8.wav", riff(fmt(1, 2, 11025, 8) + chunk("data", stereo8)));
    writeFile("data/bad.wav", std::string("RIFF\x10\0\0\0WAVEfmt \x40\0\0\0 this is no sound", 36));
    for (const char* name : {"data\\missing.wav", "data\\bad.wav", "data\\stereo8.wav"}) playGameSound(name);
    EXPECT_EQ(readFile("played.raw"), stereo8);

    configure("defaults.pcm.card 7\ndefaults.ctl.card 7\n");
    testing::internal::CaptureStderr();
    playGameSound("data\\stereo8.wav");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
