// Sound on Windows: the multimedia library plays the file and returns when it has finished.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <string>

#include "console/files.h"
#include "console/sound_files.h"

namespace {
// SND_ALIAS | SND_APPLICATION, synchronous: the game waits for the sound to end.
constexpr DWORD playFlags = 65664;
}  // namespace

void playGameSound(const char* gameName)
{
    const std::string path = locateSoundFile(gameName);
    if (path.empty()) return;
    PlaySoundA(path.c_str(), nullptr, playFlags);
}

// Interim lookup until the portable one in sound_files.cpp lands beside this file: the working
// directory first, then the folder of the program (a build tree).
#if !__has_include("sound_files.cpp")
namespace {
std::string programFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    std::string folder(path, length);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}
}  // namespace

std::string locateSoundFile(const char* gameName)
{
    for (const std::string& path : {std::string(gameName), programFolder() + gameName}) {
        if (fileCanBeOpened(path)) return path;
    }
    return {};
}
#endif
