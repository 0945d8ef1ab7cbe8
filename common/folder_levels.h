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
int FindStartSeparator(const char *path, size_t *start);

// Index of the first backslash after the one at index separator, or
// NO_SEPARATOR. Never reads past the terminator.
size_t FindNextSeparator(const char *path, size_t separator);

// Copies the level that ends before the separator at index end (the whole
// path when end is NO_SEPARATOR) into level. 0 when it does not fit.
int CopyFolderLevel(char *level, size_t cap, const char *path, size_t end);
