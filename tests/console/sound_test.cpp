// Sound: our WAV reader, the files the build synthesizes, where the game finds them, and
// playback through a real ALSA path. ALSA reads $HOME/.asoundrc, so the playback tests write one
// into a scratch HOME: a file device over the null device, which takes the samples at once and
// records them, or a default card that this machine does not have.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>

#include "console/cues.h"
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
    std::unique_ptr<char[]> buffer(new char[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    return parseWav(std::string_view(buffer.get(), bytes.size()));
}

TEST(Wav, WellFormedFilesGiveTheirFormatAndWholeFrames)
{
    const std::vector<std::tuple<std::string, int, int, std::string>> files = {
        {riff(fmt(1, 2, 11025, 8) + chunk("data", frames)), 2, 8, frames},
        {riff(chunk("LIST", "INFOabc") + chunk("data", frames) + mono), 1, 16, frames},  // any chunk order
        {riff(mono + chunk("data", "\x01\x02\x03\x04\x05")), 1, 16, "\x01\x02\x03\x04"},  // half a frame dropped
        {riff(fmt(1, 1, 8000, 8) + chunk("data", "", 3) + "abc"), 1, 8, "abc"},          // no pad byte
    };
    for (const auto& [bytes, channels, bits, samples] : files) {
        const auto sound = parseExact(bytes);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->channels, channels);
        EXPECT_EQ(sound->bitsPerSample, bits);
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
          riff(fmt(1, 2, 8000, 16, 2) + chunk("data", frames)), riff(fmt(1, 1, 0, 16) + chunk("data", frames)),
          riff(mono), riff(mono + chunk("data", frames) + chunk("data", frames))})
        EXPECT_FALSE(parseExact(bytes)) << testing::PrintToString(bytes);
    EXPECT_FALSE(readWavFile("/nonexistent/zorvane/expl.wav"));
    EXPECT_FALSE(readWavFile(soundFolder.string()));  // a folder
}

// Random damage to a real file: never a read out of bounds, and what is accepted is playable.
TEST(Wav, DamagedCopiesNeverGiveAnUnplayableSound)
{
    const auto rock = readWavFile((soundFolder / "rock.wav").string());
    ASSERT_TRUE(rock) << "rock.wav was not synthesized";
    const std::string original =
        riff(mono + chunk("LIST", "INFOrock!") + chunk("data", std::string(rock->samples.begin(), rock->samples.end())));
    std::mt19937 random(20240601);
    int accepted = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = original;
        for (int c = 1 + random() % 4; c > 0; --c) {
            const std::size_t header = std::min<std::size_t>(bytes.size(), 80);
            const std::uint32_t awkward = random() % 2 ? random() % 20 : 0xFFFFFFFFu - random() % 3;
            switch (random() % 4) {
            case 0: if (header > 0) bytes[random() % header] = static_cast<char>(random()); break;
            case 1: bytes.resize(random() % (bytes.size() + 1)); break;
            case 2: if (header >= 4) bytes.replace(random() % (header - 3), 4, le(awkward, 4)); break;
            default: bytes.insert(random() % (bytes.size() + 1), std::string(1 + random() % 9, static_cast<char>(random())));
            }
        }
        const auto sound = parseExact(bytes);
        if (!sound) continue;
        ++accepted;
        ASSERT_TRUE(sound->channels == 1 || sound->channels == 2);
        ASSERT_TRUE(sound->bitsPerSample == 8 || sound->bitsPerSample == 16);
        ASSERT_GT(sound->sampleRate, 0);
        ASSERT_EQ(sound->samples.size() % sound->bytesPerFrame(), 0u);
        ASSERT_LE(sound->samples.size(), bytes.size());
    }
    EXPECT_GT(accepted, 30);
}

// The synthesized files: one for each file of the catalogue and nothing else, each a playable,
// audible and brief sound of its own, the same every build.
TEST(SoundFiles, OneDistinctPlayableFilePerCatalogueName)
{
    std::set<std::string> made, names;
    for (const auto& entry : fs::directory_iterator(soundFolder))
        if (entry.path().extension() == ".wav") made.insert(entry.path().filename().string());
    std::set<std::vector<std::uint8_t>> distinct;
    for (const std::string& file : allSoundFiles()) {
        const std::string name = file.substr(5);  // after "data\"
        names.insert(name);
        const auto sound = readWavFile((soundFolder / name).string());
        ASSERT_TRUE(sound) << name;
        EXPECT_EQ(sound->channels * 100 + sound->bitsPerSample, 116) << name;
        EXPECT_GE(sound->seconds(), 0.2) << name;
        EXPECT_LE(sound->seconds(), 4.0) << name;
        int peak = 0;
        for (std::size_t i = 0; i + 1 < sound->samples.size(); i += 2)
            peak = std::max(peak, std::abs(static_cast<std::int16_t>(sound->samples[i] | sound->samples[i + 1] << 8)));
        EXPECT_GT(peak, 8000) << name << " is barely audible";
        EXPECT_LT(peak, 32000) << name << " is clipped";
        distinct.insert(sound->samples);
    }
    EXPECT_EQ(made, names);
    EXPECT_EQ(distinct.size(), names.size());
    const fs::path again = fs::temp_directory_path() / ("zorvane-synth-" + std::to_string(::getpid()));
    ASSERT_EQ(std::system((std::string("\"") + ZORVANE_SYNTH + "\" \"" + again.string() + "\"").c_str()), 0);
    for (const std::string& name : names)
        EXPECT_EQ(readWavFile((again / name).string())->samples, readWavFile((soundFolder / name).string())->samples) << name;
    fs::remove_all(again);
}

class Sound : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        if (const char* home = std::getenv("HOME")) oldHome = home;
        setenv("HOME", scratch.c_str(), 1);
        fs::create_directories(scratch / "data");
    }
    void TearDown() override
    {
        if (oldHome) setenv("HOME", oldHome->c_str(), 1);
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
    bool recordTo(const std::string& file)
    {
        return configure("pcm.!default {\n type file\n slave.pcm null\n file \"" + (scratch / file).string() +
                         "\"\n format raw\n}\n");
    }
    std::optional<std::string> oldHome;
};

// The working directory first, then beside the program, then the install; only a plain file
// of a plain "data\NAME.wav" name.
TEST_F(Sound, FilesAreLookedUpInTurnByTheirGameNames)
{
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
    const std::string name = "lookup" + std::to_string(::getpid()) + ".wav", gameName = "data\\" + name;
    const std::vector<fs::path> places = {program.parent_path() / "share" / "games" / "zorvane" / name,
                                          program / "data" / name, scratch / "data" / name};
    for (const fs::path& place : places) {
        fs::create_directories(place.parent_path());
        std::ofstream(place) << "planted";
        std::error_code error;
        EXPECT_TRUE(fs::equivalent(locateSoundFile(gameName.c_str()), place, error)) << place;
    }
    for (const fs::path& place : places) fs::remove(place);
    for (const fs::path& folder : {program / "data", program.parent_path() / "share" / "games" / "zorvane",
                                   program.parent_path() / "share" / "games", program.parent_path() / "share"}) {
        std::error_code ignored;
        fs::remove(folder, ignored);  // only when empty
    }
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");
    fs::create_directories(scratch / "data" / name);
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");

    writeFile("secret.wav", "x");
    writeFile("data/x.wav", "x");
    writeFile("data/x", "x");
    // The browser asks its server for the same names, so they are refused alike.
    for (const char* unsafe : {"data\\..\\secret.wav", "data/x.wav", "data\\x", "data\\X.WAV", "x.wav", "data\\x.wav ", ""}) {
        EXPECT_EQ(locateSoundFile(unsafe), "") << unsafe;
        EXPECT_EQ(soundFileInData(unsafe), "") << unsafe;
    }
    EXPECT_EQ(locateSoundFile(((scratch / "data").string() + "/x.wav").c_str()), "");
    EXPECT_EQ(locateSoundFile(nullptr), "");
    EXPECT_NE(locateSoundFile("data\\x.wav"), "");
    EXPECT_EQ(soundFileInData("data\\x.wav"), "data/x.wav");
}

// Every sample reaches the device in the file's own format; missing or damaged files reach it
// not at all.
TEST_F(Sound, PlaybackSendsEverySampleAndNothingElse)
{
    if (!recordTo("played.raw")) GTEST_SKIP() << "libasound.so.2 is not installed";
    std::string stereo8;
    for (int i = 0; i < 4000; ++i) stereo8.push_back(static_cast<char>(i * 7));
    writeFile("data/stereo8.wav", riff(fmt(1, 2, 11025, 8) + chunk("data", stereo8)));
    fs::copy_file(soundFolder / "expl.wav", scratch / "data" / "expl.wav");
    writeFile("data/bad.wav", std::string("RIFF\x10\0\0\0WAVEfmt \x40\0\0\0 this is no sound", 36));
    for (const char* name : {"data\\missing.wav", "data\\bad.wav", "data\\stereo8.wav"}) playGameSound(name);
    EXPECT_EQ(readFile("played.raw"), stereo8);
    recordTo("expl.raw");
    playGameSound("data\\expl.wav");
    const auto expl = readWavFile((soundFolder / "expl.wav").string());
    EXPECT_EQ(readFile("expl.raw"), std::string(expl->samples.begin(), expl->samples.end()));
}

// A machine without the sound card: ALSA's complaints never reach the screen.
TEST_F(Sound, NoSoundCardIsQuiet)
{
    if (!configure("defaults.pcm.card 7\ndefaults.ctl.card 7\n")) GTEST_SKIP() << "libasound.so.2 is not installed";
    fs::copy_file(soundFolder / "expl.wav", scratch / "data" / "expl.wav");
    const int saved = dup(2);
    const int file = open((scratch / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
    playGameSound("data\\expl.wav");
    playGameSound("data\\expl.wav");
    dup2(saved, 2);
    close(saved);
    EXPECT_EQ(readFile("stderr.txt"), "");
}

}  // namespace
