// File helpers for tests: scratch folders, small files, existence checks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Creates a fresh, empty folder C:\tests\<name> (any old one is removed) and
// returns its path without a trailing backslash.
std::string MakeScratchFolder(const std::string &name);
void WriteFileText(const std::string &path, const std::string &text);
std::string ReadFileText(const std::string &path);
bool FileExists(const std::string &path);
bool FolderExists(const std::string &path);
// Creates every missing level of a folder path.
void MakeFolders(const std::string &path);
// Removes a folder with everything inside it (read-only files too).
void RemoveTree(const std::string &path);
// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> ListFolder(const std::string &path);

// Holds a file open with share mode 0 while it lives.
class FileLock {
public:
    explicit FileLock(const std::string &path);
    ~FileLock();
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
