// The walk over the levels of a folder path, top down, for creating the
// missing ones. No Win32 calls, so the walk can also be fuzzed natively.
// A level is the path cut before a separator; the last level is the whole
// path. What stands before the starting separator (a drive such as C:, or
// \\server\share) is never a level of its own.
#pragma once

#include <stddef.h>

// Index meaning "there is no such separator".
#define NO_SEPARATOR ((size_t)-1)

// Finds the separator after which the levels begin: for a network path
// (two leading backslashes) the backslash that ends the share name, else
// the first backslash. Sets *start to its index, or to NO_SEPARATOR when
// nothing lies below the root (a bare name, a drive, \\server\share).
// Returns 0 for a network path without a backslash after the server name
// or with nothing after that backslash: it names no share, so no folder.
int FindStartSeparator(const char *path, size_t *start, unsigned codePage);

// Index of the first backslash after the one at index separator, or
// NO_SEPARATOR. Never reads past the terminator.
size_t FindNextSeparator(const char *path, size_t separator, unsigned codePage);

// Copies the level that ends before the separator at index end (the whole
// path when end is NO_SEPARATOR) into level. 0 when it does not fit.
int CopyFolderLevel(char *level, size_t cap, const char *path, size_t end,
                    unsigned codePage);

// Makes a typed folder (one trailing backslash already removed) name the
// folder Windows would open for it: the blanks and dots that end its last
// level are removed, as Windows ignores them. 0, folder unchanged, when the
// text depends on the process's current folder or drive ("foo", "C:foo",
// "\foo" on the current drive) or its last level is nothing but dots and
// blanks ("." and ".." lead elsewhere), or it ends in a lone lead byte. A
// drive alone ("C:", what "C:\"
// becomes) names that drive's root, as the path routines compose it.
int MakeFolderCanonical(char *folder, unsigned codePage);
