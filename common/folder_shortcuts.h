// Deleting the product's shortcuts from the user's special shell folders.
#pragma once

#include <stddef.h>

// Deletes "Velkor Chronex.lnk" and "Velkor Chronex 98.lnk" in the special
// folder csidl and announces the first name's deletion to the shell.
void DeleteFolderShortcuts(int csidl);

// Deletes one file in the special folder csidl and announces it.
void DeleteFolderFile(int csidl, const char *fileName);

// Resolves a special folder into a buffer of cap characters (at least 260,
// as the shell writes), with a trailing backslash; 0 when the folder cannot
// be resolved.
int GetSpecialFolderPath(int csidl, char *path, size_t cap);
