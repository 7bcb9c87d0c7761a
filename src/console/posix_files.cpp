// The POSIX side of the file work (Linux, and the browser's in-memory file system).
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "console/platform_files.h"

bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}

bool renameOver(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

// A file system that cannot sync a folder says EINVAL, and there is nothing more to do.
bool syncFolderOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const int folder = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    const bool synced = fsync(folder) == 0 || errno == EINVAL;
    const int savedErrno = errno;
    close(folder);
    errno = savedErrno;
    return synced;
}

long processId() { return static_cast<long>(getpid()); }

bool processMayBeRunning(long pid)
{
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
}

std::filesystem::path programFolder()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
    return std::filesystem::path(std::string(buffer, static_cast<std::size_t>(length))).parent_path();
}
