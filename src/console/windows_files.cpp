// The Windows side of the file work.
#include <io.h>
#include <process.h>
#include <windows.h>

#include "console/platform_files.h"

bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
    return _commit(_fileno(file)) == 0;
}

bool renameOver(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// MOVEFILE_WRITE_THROUGH has already put the folder's entry on the disk.
bool syncFolderOf(const std::string&) { return true; }

long processId() { return _getpid(); }

// Left alone: a temporary file is never read as the game, and only its own game renames it.
bool processMayBeRunning(long) { return true; }

std::filesystem::path programFolder()
{
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return {};
    return std::filesystem::path(std::string(buffer, length)).parent_path();
}
