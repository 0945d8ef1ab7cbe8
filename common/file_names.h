// Writing a file at a name in a folder that other programs of the user can
// write to, without writing into whatever the name leads to: a link at the
// name, a file hard-linked to another, a folder on the way that is a link.
#pragma once

#include <windows.h>

// Removes whatever file stands at path by its name alone: a link goes, not
// what it points to; a name hard-linked to another file goes, the other
// stays. A read-only or hidden plain file has its attributes cleared first.
// A link that cannot be removed without touching its target stays. 1 when
// the name is free afterwards.
int FreeFileName(const char *path);

// 1 when the name is a link or a junction, or leads to a file other than
// its folder's entry of that name (a link that the system follows without
// showing it as one).
int NameIsLink(const char *path);

// 1 when the folder, or a folder on the way to it, is a link or junction
// (a reparse point), or when that cannot be told.
int PathCrossesLink(const char *folder);

// Opens a file for reading, and nobody can write, delete or rename it while
// the handle is open; INVALID_HANDLE_VALUE when it cannot be had so.
HANDLE OpenFileLocked(const char *path);

// 1 when the two open files hold the same bytes, read from their start.
int SameFileBytes(HANDLE first, HANDLE second);
