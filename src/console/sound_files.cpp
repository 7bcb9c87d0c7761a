#include "console/sound_files.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "console/platform_files.h"

namespace fs = std::filesystem;

namespace {

// "data\\expl.wav" -> "expl"; empty for anything else. Only letters, digits, '_' and '-' may
// make up the name, so no name can climb out of the data folder or into a subfolder.
std::string plainName(const char* gameName)
{
    static const char prefix[] = "data\\";
    static const char suffix[] = ".wav";
    if (gameName == nullptr) return {};
    const std::size_t length = std::strlen(gameName);
    const std::size_t prefixLength = sizeof prefix - 1;
    const std::size_t suffixLength = sizeof suffix - 1;
    if (length <= prefixLength + suffixLength) return {};
    if (std::strncmp(gameName, prefix, prefixLength) != 0) return {};
    if (std::strcmp(gameName + length - suffixLength, suffix) != 0) return {};
    std::string name(gameName + prefixLength, length - prefixLength - suffixLength);
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                           || c == '_' || c == '-';
        if (!plain) return {};
    }
    return name;
}

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

std::string soundName(const char* gameName) { return plainName(gameName); }

std::string locateSoundFile(const char* gameName)
{
    const std::string name = plainName(gameName);
    if (name.empty()) return {};
    const fs::path file = fs::path("data") / (name + ".wav");

    if (isFile(file)) return file.string();
    const fs::path program = programFolder();
    if (program.empty()) return {};
    // Beside the program in a build tree; in share/games/zorvane beside its games folder once
    // installed (/usr/games/zorvane plays /usr/share/games/zorvane/expl.wav).
    const fs::path installed = program.parent_path() / "share" / "games" / "zorvane" / file.filename();
    for (const fs::path& candidate : {program / file, installed})
        if (isFile(candidate)) return candidate.string();
    return {};
}
