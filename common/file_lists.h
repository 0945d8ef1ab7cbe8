// The product data: the fixed lists of file names that the programs delete.
// Bare names, no folder part. Each list is one string of names, every name
// ended by its terminator and the list by an empty name: a table of
// pointers would take four bytes and a relocation for every name.
#pragma once

// Files of other tools of the product family that the installer deletes
// from the install folder before it copies the distribution (13 names).
extern const char kPreCopyDeletionNames[];

// Every file the uninstaller deletes from the install folder (106 names).
extern const char kInstalledFileNames[];

// The name after name in such a list; at the end, the empty name.
inline const char *NextListedName(const char *name)
{
    while (*name)
        ++name;
    return name + 1;
}
