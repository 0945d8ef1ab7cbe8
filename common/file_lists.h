// The product data: the fixed lists of file names that the programs delete.
// Bare names, no folder part.
#pragma once

#include <stddef.h>

// Files of other tools of the product family that the installer deletes
// from the install folder before it copies the distribution.
extern const char *const kPreCopyDeletionList[];
extern const size_t kPreCopyDeletionCount;  // 13

// Every file the uninstaller deletes from the install folder.
extern const char *const kInstalledFileList[];
extern const size_t kInstalledFileCount;  // 106
