// Sound: every cue as the game plays it, our WAV reader, where the game finds its files, and
// playback through a real ALSA path. ALSA reads $HOME/.asoundrc, so the playback test writes one
// into a scratch HOME: a file device over the null device, which takes the samples at once and
// records them, or a default card that this machine does not have.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "console/sound_files.h"
#include "console/synthesizer.h"
#include "console/wav.h"
#include "core/sound.h"
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

// Well formed: any chunk order, 8-bit stereo, the lowest and highest rates, half a frame at the
// end dropped, a last chunk without its pad byte, an empty one at the very end. Refused, one file
// for each check of the reader: too short for a header, not RIFF, not WAVE, a RIFF size or a chunk running
// past the end, a short fmt chunk, a compressed format, no channels, 24 bits, a frame size that
// does not fit, rates just outside those the players take, no data, two.
TEST(Wav, FilesGiveTheirFormatAndWholeFramesOrAreRefused)
{
    EXPECT_EQ(heard(riff(mono + chunk("data", ""))), "1x16@22050 ");
    EXPECT_EQ(heard(riff(chunk("LIST", "INFOabc") + chunk("data", frames) + fmt(1, 2, 1000, 8))), "2x8@1000 " + frames);
    EXPECT_EQ(heard(riff(fmt(1, 1, 384000, 16) + "data" + le(5, 4) + "\x01\x02\x03\x04\x05")), "1x16@384000 \x01\x02\x03\x04");
    for (const std::string& bytes :
         {good.substr(0, 11), "RIFX" + good.substr(4), good.substr(0, 8) + "AVI " + good.substr(12), "RIFF" + le(40, 4) + good.substr(8),
          good.substr(0, good.size() - 1), wav(chunk("fmt ", mono.substr(8, 14))), wav(fmt(3, 1, 22050, 16)),
          wav(fmt(1, 0, 22050, 16)), wav(fmt(1, 1, 22050, 24)), wav(fmt(1, 2, 8000, 16, 2)), wav(fmt(1, 1, 999, 16)),
          wav(fmt(1, 1, 384001, 16)), riff(mono), wav(mono + chunk("data", frames))})
        EXPECT_EQ(heard(bytes), "") << testing::PrintToString(bytes);
}

// The scenario fixture: a scratch working directory, the scripted console, forced chance.
using Sound = GameTest;

// Every cue as the game plays it, in both modes and with each repair tool drawn (42 draws, so that
// each of the six tools comes equally often), sound by sound as the synthesizer makes it (the
// samples the build writes into the game's files and the page makes in the browser), against the
// fingerprints in console/sound_fingerprints.txt: a changed pitch, length, note or noise is a
// changed sound, and a sound heard more or less often a changed cue. Each rises from silence and
// peaks between a quarter and 95% of full scale (a loud mix is scaled down, not clipped). After
// changing a sound on purpose, record them again:
//   ZORVANE_RECORD_SOUNDS=1 build/tests/zorvane_tests --gtest_filter=Sound.EveryCuePlaysItsRecordedSounds
TEST_F(Sound, EveryCuePlaysItsRecordedSounds)
{
    mission.soundOn = 'y';
    std::map<std::string, int> tools;
    for (int i = 0; i < 2 * cueCount; ++i) {
        const Cue which = static_cast<Cue>(i % cueCount);
        mission.zapfestMode = i / cueCount;
        for (int raw = 0; raw < (which == Cue::RepairTool ? 42 : 1); ++raw) {
            const std::size_t before = sounds().size();
            if (which == Cue::RepairTool) chance->push(raw);
            cue(which);
            if (which == Cue::RepairTool) ++tools[sounds().at(before)];
        }
    }
    EXPECT_EQ(tools.size(), 6u);
    for (const auto& [tool, times] : tools) EXPECT_EQ(times, 14) << tool;
    std::string prints;
    const std::vector<std::string> names = shortNames(sounds());
    std::map<std::string, int> plays;  // how often each sound is heard over every cue
    for (const std::string& name : names) ++plays[name];
    const std::vector<std::string> made = synth::soundNames();  // every sound made is heard, and no other
    EXPECT_EQ(std::set<std::string>(made.begin(), made.end()), std::set<std::string>(names.begin(), names.end()));
    for (const auto& [name, times] : plays) {
        const std::vector<std::int16_t> samples = synth::synthesize(name);  // as the build writes them
        ASSERT_FALSE(samples.empty()) << name;
        std::uint64_t hash = 14695981039346656037u;  // FNV-1a over the little-endian bytes
        int peak = 0;
        for (const std::int16_t sample : samples) {
            for (const int byte : {sample & 0xFF, (sample >> 8) & 0xFF}) hash = (hash ^ static_cast<std::uint64_t>(byte)) * 1099511628211u;
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_TRUE(samples[0] == 0 && peak > 32767 / 4 && peak <= 31129) << name << " " << peak;
        char line[80];
        std::snprintf(line, sizeof line, "\n%s %d %zu %016llx %d", name.c_str(), synth::sampleRate, samples.size(),
                      static_cast<unsigned long long>(hash), times);
        prints += line;
    }
    std::ifstream in(ZORVANE_SOUND_FINGERPRINTS);
    std::string header, recorded;
    for (std::string line; std::getline(in, line);) line[0] == '#' ? header += line + "\n" : recorded += "\n" + line;
    if (std::getenv("ZORVANE_RECORD_SOUNDS")) std::ofstream(ZORVANE_SOUND_FINGERPRINTS) << header << prints.substr(1) << "\n";
    else EXPECT_EQ(recorded, prints);
}

// The working directory first, then beside the program, then the install; only a plain file
// of a plain "data\NAME.wav" name. The browser makes its sounds by the same names, so they are
// refused alike.
TEST_F(Sound, FilesAreLookedUpInTurnByTheirGameNames)
{
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
    const std::string name = "lookup" + std::to_string(::getpid()) + ".wav", gameName = "data\\" + name;
    const fs::path places[] = {program.parent_path() / "share" / "games" / "zorvane" / name, program / "data" / name, fs::path("data") / name};
    for (const fs::path& place : places) {
        fs::create_directories(place.parent_path());
        std::ofstream(place) << "planted";
        EXPECT_EQ(locateSoundFile(gameName.c_str()), place.string());
    }
    std::error_code ignored;  // each file, then its folders as long as they are empty
    for (fs::path left : places)
        while (fs::remove(left, ignored)) left = left.parent_path();
    fs::create_directories(fs::path("data") / name);  // a folder of that name
    EXPECT_EQ(locateSoundFile(gameName.c_str()), "");

    for (const char* unsafe :
         {"data\\..\\secret.wav", "data\\.wav", "data/x.wav", "data\\X.WAV", "data\\x.wav ", "x.wav", static_cast<const char*>(nullptr)})
        EXPECT_EQ(soundName(unsafe), "") << unsafe;
    for (int c = 1; c < 256; ++c) {  // a name of one byte: letters, digits, '_' and '-' alone make one
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(soundName(("data\\" + one + ".wav").c_str()), std::isalnum(c) || c == '_' || c == '-' ? one : "") << c;
    }
}

// ALSA reads $HOME/.asoundrc once per process: HOME points at `home` and the cached configuration
// is dropped. False without the library.
bool configureAlsa(const fs::path& home, const std::string& asoundrc)
{
    setenv("HOME", home.c_str(), 1);
    std::ofstream(home / ".asoundrc") << asoundrc;
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return false;
    if (auto drop = reinterpret_cast<int (*)()>(dlsym(library, "snd_config_update_free_global"))) drop();
    dlclose(library);
    return true;
}

// Every sample reaches the device (ALSA's file device over its null device, which writes what it
// is given as a WAV file) in the file's own format, 8 or 16 bits; missing or damaged files reach
// it not at all. Then, on a machine without the sound card, ALSA's complaints never reach the
// screen.
TEST_F(Sound, PlaybackSendsEverySampleAndNoCardIsQuiet)
{
    struct HomeBack {
        const std::string home;
        ~HomeBack() { setenv("HOME", home.c_str(), 1); }
    } back{std::getenv("HOME") ? std::getenv("HOME") : "/"};
    const std::string device = "pcm.!default {\n type file\n slave.pcm null\n file \"" + (scratch / "played.wav").string();
    if (!configureAlsa(scratch, device + "\"\n format wav\n}\n")) GTEST_SKIP() << "libasound.so.2 is not installed";
    std::string samples;
    for (int i = 0; i < 4000; ++i) samples.push_back(static_cast<char>(i * 7));
    fs::create_directory("data");
    writeFile("data/stereo8.wav", riff(fmt(1, 2, 11025, 8) + chunk("data", samples)));
    writeFile("data/mono16.wav", riff(fmt(1, 1, 22050, 16) + chunk("data", samples)));
    writeFile("data/bad.wav", std::string("RIFF\x10\0\0\0WAVEfmt \x40\0\0\0 this is no sound", 36));
    for (const char* name : {"data\\missing.wav", "data\\bad.wav", "data\\stereo8.wav"}) playGameSound(name);
    EXPECT_EQ(heard(readFile("played.wav")), "2x8@11025 " + samples);
    playGameSound("data\\mono16.wav");
    EXPECT_EQ(heard(readFile("played.wav")), "1x16@22050 " + samples);
    configureAlsa(scratch, "defaults.pcm.card 7\ndefaults.ctl.card 7\n");
    testing::internal::CaptureStderr();
    playGameSound("data\\stereo8.wav");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
