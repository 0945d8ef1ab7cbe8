// File helpers: scratch folders, small files, existence checks, links,
// listings.
//
// Handles: every routine closes what it opens before it returns, except a
// FileLock, which owns its open file until it is destroyed.
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
// A file or a folder.
bool PathExists(const std::string &path);
// The folder part of a path, without the last backslash; empty when none.
std::string FolderOf(const std::string &path);
// Creates every missing level of a folder path.
void MakeFolders(const std::string &path);
// Removes a folder with everything inside it (read-only files too).
void RemoveTree(const std::string &path);
// Makes link a Unix symbolic link to the folder target; Wine shows it as a
// folder that is a reparse point, as Windows shows a junction. False when
// the link cannot be made (not under Wine).
bool MakeFolderLink(const std::string &link, const std::string &target);
// Makes link a Unix symbolic link to the file target. Wine does not mark it
// as a reparse point (Windows does). False when it cannot be made.
bool MakeFileLink(const std::string &link, const std::string &target);
// Removes a tree that may hold such links. Wine's own removal follows a
// link, so the Unix rm does it; falls back to RemoveTree.
void RemoveTreeWithLinks(const std::string &root);

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
