// Sound: our WAV reader, where the game finds its files, and
// playback through a real ALSA path. ALSA reads $HOME/.asoundrc, so the playback tests write one
// into a scratch HOME: a file device over the null device, which takes the samples at once and
// records them, or a default card that this machine does not have.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "console/sound_files.h"
#include "console/wav.h"
#include "support/game_test.h"

namespace fs = std::filesystem;

namespace {

const fs::path soundFolder = ZORVANE_SOUND_DIR;

std::string le(std::uint32_t v, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}
std::string chunk(const std::string& id, const std::string& body, std::size_t size = std::string::npos)
{
    return id + le(static_cast<std::uint32_t>(size == std::string::npos ? body.size() : size), 4) + body +
           (body.size() % 2 ? std::string(1, '\0') : "");
}
std::string fmt(int tag, int channels, int rate, int bits, int align = 0)
{
    if (align == 0) align = channels * bits / 8;
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) + le(bits, 2));
}
std::string riff(const std::string& chunks) { return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks; }

const std::string frames = "\x01\x02\x03\x04\x05\x06\x07\x08";
const std::string mono = fmt(1, 1, 22050, 16);
const std::string good = riff(mono + chunk("data", frames));

// The reader sees the bytes in a buffer of exactly their size, so that AddressSanitizer
// reports any read past the end.
std::optional<WavSound> parseExact(const std::string& bytes)
{
    const std::vector<char> buffer(bytes.begin(), bytes.end());
    return parseWav(std::string_view(buffer.data(), buffer.size()));
}

// Any chunk order, 8-bit stereo, half a frame at the end dropped, a last chunk without its pad
// byte: the format and the whole frames.
TEST(Wav, WellFormedFilesGiveTheirFormatAndWholeFrames)
{
    const std::vector<std::tuple<std::string, int, int, std::string>> files = {
        {riff(chunk("LIST", "INFOabc") + chunk("data", frames) + fmt(1, 2, 1000, 8)), 2, 8, frames},
        {riff(fmt(1, 1, 384000, 16) + chunk("data", "\x01\x02\x03\x04\x05", 5) + "\x05"), 1, 16, "\x01\x02\x03\x04"},
    };
    for (const auto& [bytes, channels, bits, samples] : files) {
        const auto sound = parseExact(bytes);
        ASSERT_TRUE(sound);
        EXPECT_EQ(std::tuple(sound->channels, sound->bitsPerSample), std::tuple(channels, bits));
        EXPECT_EQ(std::string(sound->samples.begin(), sound->samples.end()), samples);
    }
}

TEST(Wav, DamagedOrUnusualFilesAreRefused)
{
    for (const std::string& bytes :
         {std::string(), good.substr(0, 11), good.substr(0, good.size() - 1), good.substr(0, 8) + "AVI " + good.substr(12),
          "RIFF" + le(40, 4) + good.substr(8), riff(mono + chunk("data", frames, 9)),
          riff(mono + chunk("data", frames, 0xFFFFFFFFu)), riff(chunk("fmt ", mono.substr(8, 14)) + chunk("data", frames)),
          riff(fmt(3, 1, 22050, 16) + chunk("data", frames)), riff(fmt(1, 0, 22050, 16) + chunk("data", frames)),
          riff(fmt(1, 3, 22050, 16) + chunk("data", frames)), riff(fmt(1, 1, 22050, 24) + chunk("data", frames)),
          riff(fmt(1, 2, 8000, 16, 2) + chunk("data", frames)), riff(fmt(1, 1, 999, 16) + chunk("data", frames)),
          riff(fmt(1, 1, 384001, 16) + chunk("data", frames)),
          riff(mono), riff(mono + chunk("data", frames) + chunk("data", frames))})
        EXPECT_FALSE(parseExact(bytes)) << testing::PrintToString(bytes);
    EXPECT_FALSE(readWavFile("/nonexistent/zorvane/expl.wav"));
    EXPECT_FALSE(readWavFile(soundFolder.string()));  // a folder
}

// HOME is a scratch one for the test, where ALSA reads its .asoundrc.
class Sound : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        setenv("HOME", scratch.c_str(), 1);
        fs::create_directories(scratch / "data");
    }
    void TearDown() override
    {
        setenv("HOME", oldHome.c_str(), 1);
        GameTest::TearDown();
    }
    // ALSA reads its configuration once per process: the cached one is dropped.
    bool configure(const std::string& asoundrc)
    {
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
// of a plain "data\NAME.wav" name. The browser asks its server for the same names, so they are
// refused alike.
TEST_F(Sound, FilesAreLookedUpInTurnByTheirGameNames)
{
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
    const std::string name = "lookup" + std::to_string(::getpid()) + ".wav", gameName = "data\\" + name;
    const fs::path install = program.parent_path() / "share" / "games" / "zorvane";
    for (const fs::path& place : {install / name, program / "data" / name, scratch / "data" / name}) {
        fs::create_directories(place.parent_path());
        std::ofstream(place) << "planted";
        std::error_code error;
        EXPECT_TRUE(fs::equivalent(locateSoundFile(gameName.c_str()), place, error)) << place;
    }
    for (const fs::path& folder : {install, program / "data"}) fs::remove(folder / name);
    std::error_code ignored;  // the folders go only when empty
    for (const fs::path& folder : {install, install.parent_path(), install.parent_path().parent_path(), program / "data"})
        fs::remove(folder, ignored);
    fs::remove(scratch / "data" / name);
    fs::create_directories(scratch / "data" / name);  // a folder of that name
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");

    writeFile("secret.wav", "x");
    writeFile("data/x.wav", "x");
    writeFile("data/x", "x");
    for (const char* unsafe : {"data\\..\\secret.wav", "data/x.wav", "data\\x", "data\\X.WAV", "x.wav", "data\\x.wav ", "data\\.wav", ""}) {
        EXPECT_EQ(locateSoundFile(unsafe), "") << unsafe;
        EXPECT_EQ(soundFileInData(unsafe), "") << unsafe;
    }
    EXPECT_EQ(locateSoundFile(((scratch / "data").string() + "/x.wav").c_str()), "");
    EXPECT_EQ(locateSoundFile(nullptr), "");
    EXPECT_EQ(soundFileInData("data\\x.wav"), "data/x.wav");
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
    writeFile("data/stereo8.wav", riff(fmt(1, 2, 11025, 8) + chunk("data", stereo8)));
    writeFile("data/bad.wav", std::string("RIFF\x10\0\0\0WAVEfmt \x40\0\0\0 this is no sound", 36));
    for (const char* name : {"data\\missing.wav", "data\\bad.wav", "data\\stereo8.wav"}) playGameSound(name);
    EXPECT_EQ(readFile("played.raw"), stereo8);

    configure("defaults.pcm.card 7\ndefaults.ctl.card 7\n");
    testing::internal::CaptureStderr();
    playGameSound("data\\stereo8.wav");
    playGameSound("data\\stereo8.wav");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
