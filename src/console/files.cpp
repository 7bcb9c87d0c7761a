#include "console/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

FileFault pendingFault = FileFault::None;

bool faultAt(FileFault step)
{
    if (pendingFault != step) return false;
    pendingFault = FileFault::None;
    errno = step == FileFault::Create ? EACCES : ENOSPC;
    return true;
}

std::string reason() { return std::strerror(errno); }

// What stands at the path. Only a plain file is ever opened: a named pipe or a device in its
// place would block the open, or the read, for as long as nobody writes to it.
enum class Entry { Missing, PlainFile, SomethingElse };

Entry entryAt(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) return Entry::Missing;
    return std::filesystem::is_regular_file(status) ? Entry::PlainFile : Entry::SomethingElse;
}

bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool renameOver(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

bool readableFileOrOtherEntryAt(const std::string& path)
{
    const Entry entry = entryAt(path);
    if (entry != Entry::PlainFile) return entry == Entry::SomethingElse;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    std::fclose(file);
    return true;
}

bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& contents)
{
    contents.clear();
    if (entryAt(path) != Entry::PlainFile) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        contents.append(buffer, got);
        if (contents.size() > maxBytes) break;
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool replaceFile(const std::string& path, const std::string& contents, std::string& error)
{
    const std::string temporary = path + ".new";
    std::FILE* file = faultAt(FileFault::Create) ? nullptr : std::fopen(temporary.c_str(), "w");
    if (!file) {
        error = reason();
        return false;
    }
    bool ok = true;
    if (faultAt(FileFault::Write) || std::fwrite(contents.data(), 1, contents.size(), file) != contents.size()) {
        error = reason();
        ok = false;
    } else if (faultAt(FileFault::Flush) || !flushToDisk(file)) {
        error = reason();
        ok = false;
    }
    const int savedErrno = errno;
    if (std::fclose(file) != 0 && ok) {
        error = reason();
        ok = false;
    } else if (ok && faultAt(FileFault::Close)) {
        error = reason();
        ok = false;
    } else {
        errno = savedErrno;
    }
    if (ok && (faultAt(FileFault::Rename) || !renameOver(temporary, path))) {
        error = reason();
        ok = false;
    }
    if (ok && !keepFileChanges(error)) ok = false;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

void removeFile(const std::string& path)
{
    std::remove(path.c_str());
    std::string ignored;
    keepFileChanges(ignored);
}

#ifndef __EMSCRIPTEN__
bool keepFileChanges(std::string&) { return true; }  // the browser backend has its own
#endif

void injectFileFault(FileFault fault) { pendingFault = fault; }
