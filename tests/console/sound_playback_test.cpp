// Finding the sound files, and playing them through a real ALSA path. ALSA reads its
// configuration from $HOME/.asoundrc, so each playback test writes one into a scratch HOME:
// a null device that takes the samples at once, a file device that records them, or a default
// that points at a sound card this machine does not have.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "console/cues.h"
#include "console/sound_files.h"
#include "console/wav.h"
#include "support/game_test.h"

namespace fs = std::filesystem;

namespace {

const fs::path soundFolder = ZORVANE_SOUND_DIR;

fs::path testProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// A file planted in one of the places the game looks, removed again at the end of the test.
class PlantedFile {
public:
    explicit PlantedFile(fs::path file) : path(std::move(file))
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << "planted";
    }
    ~PlantedFile()
    {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    PlantedFile(const PlantedFile&) = delete;
    PlantedFile& operator=(const PlantedFile&) = delete;

    const fs::path path;
};

bool samePlace(const std::string& found, const fs::path& expected)
{
    std::error_code error;
    return !found.empty() && fs::equivalent(found, expected, error);
}

class SoundLookup : public GameTest {
protected:
    // A name no other test process uses, since the build tree is shared.
    const std::string name = "lookup" + std::to_string(::getpid());
    const std::string gameName = "data\\" + name + ".wav";
};

TEST_F(SoundLookup, WorkingDirectoryFirstThenBesideTheProgramThenTheInstall)
{
    const fs::path program = testProgramFolder();
    const fs::path file = fs::path("data") / (name + ".wav");
    auto install = std::make_unique<PlantedFile>(program.parent_path() / "share" / "games" / "zorvane" / file.filename());
    EXPECT_TRUE(samePlace(locateSoundFile(gameName.c_str()), install->path));

    auto beside = std::make_unique<PlantedFile>(program / file);
    EXPECT_TRUE(samePlace(locateSoundFile(gameName.c_str()), beside->path));

    auto here = std::make_unique<PlantedFile>(scratch / file);
    EXPECT_TRUE(samePlace(locateSoundFile(gameName.c_str()), here->path));

    here.reset();
    beside.reset();
    install.reset();
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");
    std::error_code ignored;
    fs::remove(program / "data", ignored);  // only when empty
    fs::remove(program.parent_path() / "share" / "games" / "zorvane", ignored);
    fs::remove(program.parent_path() / "share" / "games", ignored);
    fs::remove(program.parent_path() / "share", ignored);
}

TEST_F(SoundLookup, AFolderOfTheSameNameIsNotASoundFile)
{
    fs::create_directories(scratch / "data" / (name + ".wav"));
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");
}

class UnsafeSoundName : public GameTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnsafeSoundName, FindsNothingEvenWhereAFileWouldBe)
{
    // Every name below leads to a real file if taken as a path.
    writeFile("secret.wav", "x");
    fs::create_directories(scratch / "data" / "sub");
    writeFile("data/sub/x.wav", "x");
    writeFile("data/x.wav", "x");
    writeFile("data/x", "x");
    writeFile("data/x.WAV", "x");
    ASSERT_TRUE(samePlace(locateSoundFile("data\\x.wav"), scratch / "data" / "x.wav"));

    std::string gameName = GetParam();
    const std::string absolute = "%ABS%";
    if (gameName.rfind(absolute, 0) == 0) gameName = (scratch / "data").string() + gameName.substr(absolute.size());
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "") << gameName;
}

INSTANTIATE_TEST_SUITE_P(Names, UnsafeSoundName,
                         ::testing::Values("data\\..\\secret.wav", "data\\sub\\x.wav", "data/x.wav", "data\\x",
                                           "data\\x.WAV", "x.wav", "data\\.wav", "data\\\\x.wav", "DATA\\x.wav",
                                           "%ABS%/x.wav", "%ABS%\\x.wav", "data\\x.wav ", ""));

TEST(SoundLookupNull, NoNameFindsNothing) { EXPECT_EQ(locateSoundFile(nullptr), ""); }

// Plays with HOME pointing at the scratch folder, where each test writes its .asoundrc.
class SoundPlayback : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) GTEST_SKIP() << "libasound.so.2 is not installed";
        dlclose(library);
        if (const char* home = std::getenv("HOME")) oldHome = home;
        setenv("HOME", scratch.c_str(), 1);
        fs::create_directories(scratch / "data");
    }
    void TearDown() override
    {
        if (oldHome) setenv("HOME", oldHome->c_str(), 1);
        else unsetenv("HOME");
        GameTest::TearDown();
    }

    // ALSA reads its configuration once per process. Under ctest every case has a process of
    // its own; run as one binary, the cached configuration is dropped so that ours is read.
    void configure(const std::string& asoundrc)
    {
        writeFile(".asoundrc", asoundrc);
        if (void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD)) {
            using FreeGlobal = int (*)();
            if (auto drop = reinterpret_cast<FreeGlobal>(dlsym(library, "snd_config_update_free_global"))) drop();
            dlclose(library);
        }
    }

    void recordTo(const std::string& file)
    {
        configure("pcm.!default {\n  type file\n  slave.pcm null\n  file \"" + (scratch / file).string()
                  + "\"\n  format raw\n}\n");
    }

    void copyGameSound(const std::string& name)
    {
        fs::copy_file(soundFolder / (name + ".wav"), scratch / "data" / (name + ".wav"));
    }

    std::optional<std::string> oldHome;
};

TEST_F(SoundPlayback, NullDeviceTakesEveryGameSound)
{
    configure("pcm.!default { type null }\n");
    for (const std::string& file : allSoundFiles()) {
        copyGameSound(shortNames({file}).front());
        playGameSound(file.c_str());
    }
}

TEST_F(SoundPlayback, EverySampleReachesTheDevice)
{
    recordTo("played.raw");
    copyGameSound("expl");
    playGameSound("data\\expl.wav");
    const std::optional<WavSound> sound = readWavFile((soundFolder / "expl.wav").string());
    ASSERT_TRUE(sound);
    EXPECT_EQ(readFile("played.raw"), std::string(sound->samples.begin(), sound->samples.end()));
}

TEST_F(SoundPlayback, EightBitStereoIsPlayedInItsOwnFormat)
{
    // Four frames of unsigned 8-bit stereo: a player that took them for 16-bit, or for mono,
    // would send other bytes or another number of them.
    std::string frames;
    for (int i = 0; i < 4000; ++i) frames.push_back(static_cast<char>(i * 7));
    std::string file = "RIFF";
    auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(4 + 24 + 8 + static_cast<std::uint32_t>(frames.size()), 4);
    file += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(11025, 4);
    put(22050, 4);
    put(2, 2);
    put(8, 2);
    file += "data";
    put(static_cast<std::uint32_t>(frames.size()), 4);
    file += frames;
    writeFile("data/stereo8.wav", file);

    recordTo("played.raw");
    playGameSound("data\\stereo8.wav");
    EXPECT_EQ(readFile("played.raw"), frames);
}

TEST_F(SoundPlayback, MissingAndDamagedFilesReachNoDevice)
{
    recordTo("played.raw");
    writeFile("data/bad.wav", "RIFF\x10\0\0\0WAVEfmt \x40\0\0\0 this is no sound");
    playGameSound("data\\missing.wav");
    playGameSound("data\\bad.wav");
    playGameSound("data\\..\\bad.wav");
    EXPECT_EQ(readFile("played.raw"), "");
}

// Runs `step` with stderr going to a file, and returns what was written there.
std::string stderrOf(const std::function<void()>& step, const fs::path& capture)
{
    std::fflush(stderr);
    const int saved = dup(2);
    const int file = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
    step();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::ifstream in(capture, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(SoundPlayback, NoSoundCardIsQuickAndQuiet)
{
    // The default device on a card that is not there: what a machine without sound hardware
    // looks like to ALSA, which then complains at length ("cannot find card '7'", "Unknown
    // PCM default", ...).
    configure("defaults.pcm.card 7\ndefaults.ctl.card 7\n");
    copyGameSound("expl");
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        const std::string complaints = stderrOf([] { playGameSound("data\\expl.wav"); }, scratch / "stderr.txt");
        const auto spent = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(complaints, "") << "attempt " << attempt;
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(spent).count(), 250) << "attempt " << attempt;
    }
}

}  // namespace
