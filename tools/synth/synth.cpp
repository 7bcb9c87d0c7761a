// The sound files of the native builds. Run at build time as `zorvane_synth <output dir>`, it
// writes every sound of the synthesizer into that folder as <name>.wav: mono 16-bit PCM WAV at
// 22050 Hz, the same bytes on every run.
//
// Standard C++17 and the game's synthesizer (src/console/synthesizer.cpp), no other project
// code: a cross build compiles the two with the build machine's own compiler.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "console/synthesizer.h"

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out;
    out += "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);                    // size of the fmt chunk
    putLittleEndian(out, 1, 2);                     // PCM
    putLittleEndian(out, 1, 2);                     // mono
    putLittleEndian(out, synth::sampleRate, 4);
    putLittleEndian(out, synth::sampleRate * 2, 4); // bytes per second
    putLittleEndian(out, 2, 2);                     // bytes per frame
    putLittleEndian(out, 16, 2);                    // bits per sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (std::int16_t s : samples) putLittleEndian(out, static_cast<std::uint16_t>(s), 2);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "zorvane_synth: cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    for (const std::string& name : synth::soundNames()) {
        const std::filesystem::path path = folder / (name + ".wav");
        if (!writeWav(path, synth::synthesize(name))) {
            std::fprintf(stderr, "zorvane_synth: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
