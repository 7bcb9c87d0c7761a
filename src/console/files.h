// The few file operations the game needs, for the frozen game file in the working directory.
#pragma once

#include <cstddef>
#include <string>

// True when the file can be opened for reading, and also when something other than a plain
// file (a directory, a named pipe, a device) has its name: that is never opened, and
// readWholeFile refuses it, so the game can say the file is unusable instead of waiting on it.
bool readableFileOrOtherEntryAt(const std::string& path);

// Reads at most maxBytes + 1 bytes of a plain file into `contents`; false when it cannot be read.
bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& contents);

// Writes `contents` to a new file beside `path`, named for this process, flushes it to the
// disk, renames it over `path` and syncs the folder, so that a crash or a kill at any moment
// leaves either the old file or the new one whole, and two processes replacing the same file
// at once each write their own: the later rename wins. On failure the old file is untouched,
// the temporary file is gone, `error` says why and the result is false.
bool replaceFile(const std::string& path, const std::string& contents, std::string& error);

// Removes the temporary files of `path` that a killed process left behind (POSIX: those whose
// process is gone; a live one may be about to rename its own). They are never read as `path`;
// replaceFile clears them too before it writes its own.
void removeLeftoverTemporaries(const std::string& path);

// Deletes the file; a missing file is not an error.
void removeFile(const std::string& path);

// A test seam: makes the next replaceFile fail at the given step, as a full disk or a broken
// device would.
enum class FileFault { None, Create, Write, Flush, Close, Rename };
void injectFileFault(FileFault fault);
