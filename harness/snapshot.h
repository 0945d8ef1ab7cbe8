// Snapshots of the machine, taken before and after a run and compared: the
// registry keys and folders an installation touches, and whole folder trees
// (long paths included) with sizes and write times.
//
// Handles: every key and search handle is closed before the routine returns.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Every value and subkey below root\path, one line each; "<missing>" when
// the key does not exist.
std::string DescribeKey(HKEY root, const std::string &path);

// Registry keys (with every value and subkey) and folder listings that an
// installation touches, by name. installRoot is listed recursively.
std::map<std::string, std::string> MachineSnapshot(const std::string &installRoot);

struct TreeEntry {
    std::string path;
    DWORD attributes;
    DWORD size;       // the low part
    DWORD writeTime;  // the low part of the last write time
};
// Every file and folder below root, a folder before what it holds (long
// paths included); links are listed, not followed.
std::vector<TreeEntry> WalkTree(const std::string &root);

// Every file and folder below root (long paths included) with attributes,
// size and write time; links are listed, not followed.
typedef std::map<std::string, std::string> TreeSnapshot;
TreeSnapshot SnapshotTree(const std::string &root);
// Entries that differ between two snapshots, ignoring paths under skip.
std::vector<std::string> TreeChanges(const TreeSnapshot &before, const TreeSnapshot &after,
                                     const std::string &skip);
