// Our WAV reader against well-formed files of every shape the players take, a table of damaged
// ones, and thousands of random mutations of a real file.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "console/wav.h"

namespace {

std::string le16(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

std::string chunk(const std::string& id, const std::string& body)
{
    std::string out = id + le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2 == 1) out.push_back('\0');
    return out;
}

// A chunk header promising `size` bytes, followed by whatever is there.
std::string chunkHeader(const std::string& id, std::uint32_t size) { return id + le32(size); }

std::string fmtBody(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits)
{
    const std::uint32_t align = channels * bits / 8;
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

std::string fmtChunk(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits)
{
    return chunk("fmt ", fmtBody(tag, channels, rate, bits));
}

std::string riff(const std::string& chunks)
{
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string riffSized(std::uint32_t size, const std::string& chunks) { return "RIFF" + le32(size) + "WAVE" + chunks; }

const std::string fourFrames = "\x01\x02\x03\x04\x05\x06\x07\x08";
const std::string monoPcm = fmtChunk(1, 1, 22050, 16);

// The parser sees the bytes in a buffer of exactly their size, so that AddressSanitizer
// reports any read past the end.
std::optional<WavSound> parseExact(const std::string& bytes)
{
    std::unique_ptr<char[]> buffer(new char[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    return parseWav(std::string_view(buffer.get(), bytes.size()));
}

struct Good {
    const char* label;
    std::string bytes;
    int channels, rate, bits;
    std::string samples;
};

void PrintTo(const Good& good, std::ostream* out) { *out << good.label; }

class WellFormedWav : public ::testing::TestWithParam<Good> {};

TEST_P(WellFormedWav, GivesItsFormatAndWholeFrames)
{
    const Good& good = GetParam();
    const std::optional<WavSound> sound = parseExact(good.bytes);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, good.channels);
    EXPECT_EQ(sound->sampleRate, good.rate);
    EXPECT_EQ(sound->bitsPerSample, good.bits);
    EXPECT_EQ(std::string(sound->samples.begin(), sound->samples.end()), good.samples);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, WellFormedWav,
    ::testing::Values(
        Good{"Mono16", riff(monoPcm + chunk("data", fourFrames)), 1, 22050, 16, fourFrames},
        Good{"Stereo8", riff(fmtChunk(1, 2, 11025, 8) + chunk("data", fourFrames)), 2, 11025, 8, fourFrames},
        Good{"Stereo16At48k", riff(fmtChunk(1, 2, 48000, 16) + chunk("data", fourFrames)), 2, 48000, 16, fourFrames},
        Good{"OtherChunksSkipped",
             riff(chunk("LIST", "INFOISFT\x03\0\0\0abc") + monoPcm + chunk("junk", "odd") + chunk("data", fourFrames)),
             1, 22050, 16, fourFrames},
        Good{"DataBeforeFormat", riff(chunk("data", fourFrames) + monoPcm), 1, 22050, 16, fourFrames},
        Good{"LongerFormatChunk", riff(chunk("fmt ", fmtBody(1, 1, 22050, 16) + le16(0)) + chunk("data", fourFrames)),
             1, 22050, 16, fourFrames},
        Good{"PartialFrameDropped", riff(monoPcm + chunk("data", "\x01\x02\x03\x04\x05")), 1, 22050, 16,
             "\x01\x02\x03\x04"},
        Good{"LastPadByteMissing", riff(fmtChunk(1, 1, 8000, 8) + chunkHeader("data", 3) + "abc"), 1, 8000, 8, "abc"},
        Good{"JunkAfterTheRiffIgnored",
             riff(monoPcm + chunk("data", fourFrames)) + "garbage past the end of the RIFF", 1, 22050, 16, fourFrames},
        Good{"EmptyData", riff(monoPcm + chunk("data", "")), 1, 22050, 16, ""}),
    [](const auto& info) { return std::string(info.param.label); });

struct Bad {
    const char* label;
    std::string bytes;
};

void PrintTo(const Bad& bad, std::ostream* out) { *out << bad.label; }

class DamagedWav : public ::testing::TestWithParam<Bad> {};

TEST_P(DamagedWav, IsRefused) { EXPECT_FALSE(parseExact(GetParam().bytes)); }

std::string garbage()
{
    std::mt19937 random(7);
    std::string bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

const std::string good = riff(monoPcm + chunk("data", fourFrames));

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedWav,
    ::testing::Values(
        Bad{"Empty", ""},
        Bad{"RiffOnly", "RIFF"},
        Bad{"HeaderCutShort", good.substr(0, 11)},
        Bad{"CutInsideTheFormat", good.substr(0, 30)},
        Bad{"CutInsideTheData", good.substr(0, good.size() - 1)},
        Bad{"BigEndianRiff", "RIFX" + good.substr(4)},
        Bad{"NotWave", good.substr(0, 8) + "AVI " + good.substr(12)},
        Bad{"RiffSizeZero", riffSized(0, monoPcm + chunk("data", fourFrames))},
        Bad{"RiffSizeEndsInsideTheData", riffSized(4 + 24 + 8 + 4, monoPcm + chunk("data", fourFrames))},
        Bad{"DataChunkOversized", riff(monoPcm + chunkHeader("data", 9) + fourFrames)},
        Bad{"DataChunkSizeHuge", riff(monoPcm + chunkHeader("data", 0xFFFFFFFFu) + fourFrames)},
        Bad{"FormatChunkOversized", riff(chunkHeader("fmt ", 17) + fmtBody(1, 1, 22050, 16))},
        Bad{"FormatChunkTooShort", riff(chunk("fmt ", fmtBody(1, 1, 22050, 16).substr(0, 14)) + chunk("data", fourFrames))},
        Bad{"FloatSamples", riff(fmtChunk(3, 1, 22050, 16) + chunk("data", fourFrames))},
        Bad{"Compressed", riff(fmtChunk(0x55, 1, 22050, 16) + chunk("data", fourFrames))},
        Bad{"Extensible", riff(fmtChunk(0xFFFE, 1, 22050, 16) + chunk("data", fourFrames))},
        Bad{"NoChannels", riff(fmtChunk(1, 0, 22050, 16) + chunk("data", fourFrames))},
        Bad{"ThreeChannels", riff(fmtChunk(1, 3, 22050, 16) + chunk("data", fourFrames))},
        Bad{"TwentyFourBits", riff(fmtChunk(1, 1, 22050, 24) + chunk("data", fourFrames))},
        Bad{"TwelveBits", riff(chunk("fmt ", le16(1) + le16(1) + le32(8000) + le32(16000) + le16(2) + le16(12)) +
                               chunk("data", fourFrames))},
        Bad{"ZeroBits", riff(chunk("fmt ", le16(1) + le16(1) + le32(8000) + le32(0) + le16(0) + le16(0)) +
                             chunk("data", fourFrames))},
        Bad{"BlockAlignWrong", riff(chunk("fmt ", le16(1) + le16(2) + le32(8000) + le32(32000) + le16(2) + le16(16)) +
                                    chunk("data", fourFrames))},
        Bad{"RateZero", riff(fmtChunk(1, 1, 0, 16) + chunk("data", fourFrames))},
        Bad{"NoDataChunk", riff(monoPcm)},
        Bad{"NoFormatChunk", riff(chunk("data", fourFrames))},
        Bad{"TwoFormatChunks", riff(monoPcm + fmtChunk(1, 2, 8000, 8) + chunk("data", fourFrames))},
        Bad{"TwoDataChunks", riff(monoPcm + chunk("data", fourFrames) + chunk("data", fourFrames))},
        Bad{"Garbage", garbage()}),
    [](const auto& info) { return std::string(info.param.label); });

// A real file of the game, with a LIST chunk spliced in so that the chunk walk has work to do.
std::string realFile()
{
    const std::optional<WavSound> sound = readWavFile(std::string(ZORVANE_SOUND_DIR) + "/rock.wav");
    if (!sound) return {};
    const std::string samples(sound->samples.begin(), sound->samples.end());
    return riff(monoPcm + chunk("LIST", "INFOICMT\x05\0\0\0rock!") + chunk("data", samples));
}

TEST(WavMutations, NeverReadOutOfBoundsAndAlwaysGiveConsistentSounds)
{
    const std::string original = realFile();
    ASSERT_FALSE(original.empty()) << "rock.wav was not synthesized";
    ASSERT_TRUE(parseExact(original));

    static const std::uint32_t awkward[] = {0, 1, 2, 3, 4, 15, 16, 17, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
    std::mt19937 random(20240601);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = original;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            // Most damage goes to the headers, where the sizes and the format live.
            const std::size_t header = std::min<std::size_t>(bytes.size(), 80);
            switch (random() % 5) {
            case 0:
                if (header > 0) bytes[random() % header] = static_cast<char>(random());
                break;
            case 1:
                if (!bytes.empty()) bytes[random() % bytes.size()] ^= static_cast<char>(1u << (random() % 8));
                break;
            case 2:
                bytes.resize(random() % (bytes.size() + 1));
                break;
            case 3:
                if (header >= 4) {
                    const std::size_t at = random() % (header - 3);
                    bytes.replace(at, 4, le32(awkward[random() % (sizeof awkward / sizeof awkward[0])]));
                }
                break;
            default:
                bytes.insert(random() % (bytes.size() + 1), std::string(1 + random() % 9, static_cast<char>(random())));
                break;
            }
        }
        const std::optional<WavSound> sound = parseExact(bytes);
        if (!sound) continue;
        ++accepted;
        ASSERT_TRUE(sound->channels == 1 || sound->channels == 2);
        ASSERT_TRUE(sound->bitsPerSample == 8 || sound->bitsPerSample == 16);
        ASSERT_GT(sound->sampleRate, 0);
        ASSERT_EQ(sound->samples.size() % sound->bytesPerFrame(), 0u);
        ASSERT_LE(sound->samples.size(), bytes.size());
    }
    // Plenty of the damage falls in the samples or the LIST chunk and leaves a playable file.
    EXPECT_GT(accepted, 100);
}

TEST(WavFile, UnreadableOrMissingFilesGiveNothing)
{
    EXPECT_FALSE(readWavFile("/nonexistent/zorvane/expl.wav"));
    EXPECT_FALSE(readWavFile(ZORVANE_SOUND_DIR));  // a folder, not a file
}

}  // namespace
