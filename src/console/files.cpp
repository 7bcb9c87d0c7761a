#include "console/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "console/platform_files.h"

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

// Each game writes its own temporary file, "mars.dat.<process id>.tmp", so that two games
// freezing in one folder at the same moment never write into the same file.
const char temporarySuffix[] = ".tmp";

std::string temporaryFor(const std::string& path, long pid)
{
    return path + "." + std::to_string(pid) + temporarySuffix;
}

// The process id in the name of a temporary file of `base`, or -1 when the name is not one.
long temporaryOwner(const std::string& name, const std::string& base)
{
    const std::size_t suffixLength = sizeof temporarySuffix - 1;
    if (name.size() <= base.size() + 1 + suffixLength || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.' || name.compare(name.size() - suffixLength, suffixLength, temporarySuffix) != 0)
        return -1;
    const std::string digits = name.substr(base.size() + 1, name.size() - base.size() - 1 - suffixLength);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stol(digits);
}

// Whether the process that named a temporary file may still be writing it.
bool mayBeWriting(long pid)
{
    if (pid == processId()) return false;
    return processMayBeRunning(pid);
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
    removeLeftoverTemporaries(path);
    const std::string temporary = temporaryFor(path, processId());
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
    if (!ok) {
        std::remove(temporary.c_str());
        return false;
    }
    if (!syncFolderOf(path)) {
        error = reason();
        return false;
    }
    return keepFileChanges(error);
}

void removeLeftoverTemporaries(const std::string& path)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string base = target.filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const long owner = temporaryOwner(entry->path().filename().string(), base);
        std::error_code ignored;
        if (owner >= 0 && !mayBeWriting(owner) && entry->is_regular_file(ignored)) fs::remove(entry->path(), ignored);
    }
}

void removeFile(const std::string& path)
{
    std::remove(path.c_str());
    std::string ignored;
    keepFileChanges(ignored);
}

void injectFileFault(FileFault fault) { pendingFault = fault; }
