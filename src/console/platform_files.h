// The platform's side of the file work of files.cpp and sound_files.cpp, seen by them and by the
// files that define it: posix_files.cpp (Linux and the browser) or windows_files.cpp, and the
// keeping of changes in posix_kept_files.cpp, windows_kept_files.cpp or web_kept_files.cpp.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// Flushes the file's buffers and then the file itself to the disk.
bool flushToDisk(std::FILE* file);

// Renames `from` over `to`, replacing it.
bool renameOver(const std::string& from, const std::string& to);

// The folder's own entry for the renamed file reaches the disk only when the folder is synced;
// until then a power cut can bring the old file back. (Windows: the rename writes through.)
bool syncFolderOf(const std::string& path);

long processId();

// Whether another process with this id may still be running (and so writing its file).
bool processMayBeRunning(long pid);

// The folder holding the running program, or an empty path when the system will not say.
std::filesystem::path programFolder();

// The last step of every change to a file: in the browser the files live in memory and are
// copied here to the browser's lasting storage; elsewhere the file system has already done
// it. False, with `error` saying why, when the change could not be kept.
bool keepFileChanges(std::string& error);
