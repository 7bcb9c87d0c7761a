// The sound files the build synthesizes: one for every file a cue can play, each a playable PCM
// WAV file of a length that keeps the game brisk, each a sound of its own and of its kind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "console/cues.h"
#include "console/wav.h"
#include "support/game_test.h"

namespace fs = std::filesystem;

namespace {

const fs::path soundFolder = ZORVANE_SOUND_DIR;

std::string shortName(const std::string& gameName) { return shortNames({gameName}).front(); }

std::vector<std::string> catalogueNames()
{
    std::vector<std::string> names;
    for (const std::string& file : allSoundFiles()) names.push_back(shortName(file));
    return names;
}

std::vector<std::int16_t> samplesOf(const std::string& name)
{
    const std::optional<WavSound> sound = readWavFile((soundFolder / (name + ".wav")).string());
    std::vector<std::int16_t> samples;
    if (!sound || sound->bitsPerSample != 16) return samples;
    for (std::size_t i = 0; i + 1 < sound->samples.size(); i += 2)
        samples.push_back(static_cast<std::int16_t>(sound->samples[i] | sound->samples[i + 1] << 8));
    return samples;
}

// Zero crossings per second over a stretch of the sound: a rough pitch for a tone, and a
// rough brightness for noise.
double crossingRate(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to)
{
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
    return crossings * 22050.0 / static_cast<double>(to - from) / 2.0;
}

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class CatalogueFile : public ::testing::TestWithParam<std::string> {};

TEST_P(CatalogueFile, IsALoudEnoughPcmFileOfABriskLength)
{
    const std::string name = GetParam();
    const std::optional<WavSound> sound = readWavFile((soundFolder / (name + ".wav")).string());
    ASSERT_TRUE(sound) << name << ".wav is missing from " << soundFolder << " or is not a PCM WAV file";
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->sampleRate, 22050);
    EXPECT_EQ(sound->bitsPerSample, 16);

    // Every play blocks the game, so effects stay short; the tunes and the applause may run on.
    static const std::set<std::string> longer = {"intr", "tune", "exit", "zapf", "grjo", "paho", "appl"};
    const double longest = longer.count(name) ? 4.0 : 1.5;
    EXPECT_GE(sound->seconds(), 0.2) << name;
    EXPECT_LE(sound->seconds(), longest) << name;

    int peak = 0;
    for (std::int16_t s : samplesOf(name)) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 8000) << name << " is barely audible";
    EXPECT_LT(peak, 32000) << name << " is clipped";
}

INSTANTIATE_TEST_SUITE_P(EveryCueFile, CatalogueFile, ::testing::ValuesIn(catalogueNames()),
                         [](const auto& info) { return info.param; });

TEST(SoundFolder, HoldsExactlyTheCatalogueFiles)
{
    std::set<std::string> made;
    for (const auto& entry : fs::directory_iterator(soundFolder))
        if (entry.path().extension() == ".wav") made.insert(entry.path().stem().string());
    const std::vector<std::string> names = catalogueNames();
    EXPECT_EQ(made, std::set<std::string>(names.begin(), names.end()));
    EXPECT_EQ(names.size(), 58u);
}

TEST(SoundFolder, NoTwoFilesSoundAlike)
{
    const std::vector<std::string> names = catalogueNames();
    std::vector<std::vector<std::int16_t>> sounds;
    for (const std::string& name : names) sounds.push_back(samplesOf(name));
    for (std::size_t a = 0; a < names.size(); ++a)
        for (std::size_t b = a + 1; b < names.size(); ++b)
            EXPECT_NE(sounds[a], sounds[b]) << names[a] << " and " << names[b] << " are the same sound";
}

TEST(SoundFolder, SynthesizingAgainGivesTheSameBytes)
{
    const fs::path again = fs::temp_directory_path() / ("zorvane-synth-" + std::to_string(::getpid()));
    const std::string command = std::string("\"") + ZORVANE_SYNTH + "\" \"" + again.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const std::string& name : catalogueNames())
        EXPECT_EQ(bytesOf(again / (name + ".wav")), bytesOf(soundFolder / (name + ".wav"))) << name;
    fs::remove_all(again);
}

// The character of the sweeps, by numbers: the pitch (or brightness) of the first quarter
// against the last.
struct Sweep {
    const char* name;
    bool rises;
};

void PrintTo(const Sweep& sweep, std::ostream* out) { *out << sweep.name; }

class SweepDirection : public ::testing::TestWithParam<Sweep> {};

TEST_P(SweepDirection, MovesTheWayTheSituationCallsFor)
{
    const Sweep sweep = GetParam();
    const std::vector<std::int16_t> samples = samplesOf(sweep.name);
    ASSERT_GT(samples.size(), 1000u);
    const std::size_t quarter = samples.size() / 4;
    const double first = crossingRate(samples, 0, quarter);
    const double last = crossingRate(samples, samples.size() - quarter, samples.size());
    if (sweep.rises)
        EXPECT_GT(last, 2 * first) << sweep.name << " should rise";
    else
        EXPECT_GT(first, 2 * last) << sweep.name << " should fall";
}

INSTANTIATE_TEST_SUITE_P(Sweeps, SweepDirection,
                         ::testing::Values(Sweep{"expl", false}, Sweep{"phas", false}, Sweep{"quit", false},
                                           Sweep{"star", false}, Sweep{"whee", true}, Sweep{"tiwa", true},
                                           Sweep{"phal", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SoundCharacter, ExplosionDiesAwaySlowly)
{
    // Loud at once, still rumbling half-way, silent only at the very end.
    const std::vector<std::int16_t> samples = samplesOf("expl");
    ASSERT_FALSE(samples.empty());
    auto loudness = [&](double from, double to) {
        const auto a = static_cast<std::size_t>(from * samples.size());
        const auto b = static_cast<std::size_t>(to * samples.size());
        double sum = 0;
        for (std::size_t i = a; i < b; ++i) sum += static_cast<double>(samples[i]) * samples[i];
        return std::sqrt(sum / static_cast<double>(b - a));
    };
    const double start = loudness(0.0, 0.1);
    const double middle = loudness(0.45, 0.55);
    const double end = loudness(0.9, 1.0);
    EXPECT_GT(start, 2 * middle);
    EXPECT_GT(middle, 0.1 * start);
    EXPECT_GT(middle, 4 * end);
}

TEST(SoundCharacter, AlarmAlternatesBetweenTwoPitches)
{
    // Two tones, a fifth of a second each: successive stretches go up, down, up, down.
    const std::vector<std::int16_t> samples = samplesOf("aler");
    const std::size_t step = 22050 / 5;
    ASSERT_GE(samples.size(), 5 * step);
    std::vector<double> pitch;
    for (std::size_t i = 0; i < 5; ++i) pitch.push_back(crossingRate(samples, i * step, (i + 1) * step));
    for (std::size_t i = 1; i < pitch.size(); ++i) {
        const double ratio = pitch[i] / pitch[i - 1];
        if (i % 2 == 1)
            EXPECT_NEAR(ratio, 1.33, 0.1) << "stretch " << i;
        else
            EXPECT_NEAR(ratio, 0.75, 0.06) << "stretch " << i;
    }
}

TEST(SoundCharacter, RepeatedPlaysStayShort)
{
    // These play several times back to back (the meteor four times, the station and the
    // arrest three times, the ratchet five times), so each one must be brief.
    for (const char* name : {"mete", "stat", "arre", "repa", "dril"}) {
        const std::optional<WavSound> sound = readWavFile((soundFolder / (std::string(name) + ".wav")).string());
        ASSERT_TRUE(sound) << name;
        EXPECT_LE(sound->seconds(), 0.7) << name;
    }
}

}  // namespace
