#include "console/wav.h"

#include "console/files.h"

namespace {

// Far more than any sound of the game; a bigger file is not worth reading into memory.
constexpr std::size_t largestFile = 32u * 1024u * 1024u;

std::uint32_t little16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t little32(std::string_view bytes, std::size_t at)
{
    return little16(bytes, at) | little16(bytes, at + 2) << 16;
}

// Reads the fmt chunk's body; false for anything but plain PCM in a shape the players take.
bool readFormat(std::string_view body, WavSound& sound)
{
    if (body.size() < 16) return false;
    const std::uint32_t tag = little16(body, 0);
    const std::uint32_t channels = little16(body, 2);
    const std::uint32_t rate = little32(body, 4);
    const std::uint32_t blockAlign = little16(body, 12);
    const std::uint32_t bits = little16(body, 14);
    if (tag != 1) return false;
    if (channels != 1 && channels != 2) return false;
    if (bits != 8 && bits != 16) return false;
    if (rate < 1000 || rate > 384000) return false;
    if (blockAlign != channels * bits / 8) return false;
    sound.channels = static_cast<int>(channels);
    sound.sampleRate = static_cast<int>(rate);
    sound.bitsPerSample = static_cast<int>(bits);
    return true;
}

}  // namespace

std::optional<WavSound> parseWav(std::string_view bytes)
{
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    // The RIFF size may promise less than the file holds (trailing junk is ignored) but a
    // chunk that runs past what is really there is refused below.
    const std::size_t promised = little32(bytes, 4);
    const std::size_t present = bytes.size() - 8;
    const std::string_view riff = bytes.substr(0, 8 + (promised < present ? promised : present));
    if (riff.size() < 12) return std::nullopt;

    WavSound sound;
    bool haveFormat = false;
    std::string_view data;
    bool haveData = false;
    std::size_t at = 12;
    while (riff.size() - at >= 8) {
        const std::string_view id = riff.substr(at, 4);
        const std::size_t size = little32(riff, at + 4);
        at += 8;
        if (size > riff.size() - at) return std::nullopt;
        const std::string_view body = riff.substr(at, size);
        if (id == "fmt ") {
            if (haveFormat || !readFormat(body, sound)) return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (haveData) return std::nullopt;
            data = body;
            haveData = true;
        }
        // Chunks are padded to an even size; the pad byte of the last one may be missing.
        at += size + (size & 1);
        if (at > riff.size()) break;
    }
    if (!haveFormat || !haveData) return std::nullopt;

    const std::size_t frameBytes = sound.bytesPerFrame();
    const std::size_t whole = data.size() - data.size() % frameBytes;
    sound.samples.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(whole));
    return sound;
}

std::optional<WavSound> readWavFile(const std::string& path)
{
    std::string contents;
    if (!readWholeFile(path, largestFile, contents) || contents.size() > largestFile) return std::nullopt;
    return parseWav(contents);
}
