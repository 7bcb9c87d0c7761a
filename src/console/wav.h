// Our own reader of RIFF/WAVE files: plain PCM, 8 or 16 bits, mono or stereo, any rate. It is
// all the sound players need of a file, and it trusts nothing the file says about its sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct WavSound {
    int channels = 0;       // 1 or 2
    int sampleRate = 0;     // frames per second
    int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
    // Whole frames only, interleaved, exactly as stored in the file.
    std::vector<std::uint8_t> samples;

    std::size_t bytesPerFrame() const { return static_cast<std::size_t>(channels * bitsPerSample / 8); }
    std::size_t frameCount() const { return samples.size() / bytesPerFrame(); }
};

// The sound held in the bytes of a whole file, or nothing when they are not a PCM WAV file we
// can play: missing or misplaced headers, a chunk running past the end, a compressed or
// unusual format, no fmt or no data chunk.
std::optional<WavSound> parseWav(std::string_view bytes);

// Reads and parses the file; nothing when it cannot be read, is unreasonably large or is not a
// PCM WAV file.
std::optional<WavSound> readWavFile(const std::string& path);
