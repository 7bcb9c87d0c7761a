// Sound on Windows: the multimedia library plays the file and returns when it has finished.
#include <windows.h>
#include <mmsystem.h>

#include <string>

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
