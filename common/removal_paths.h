// Path decisions of the uninstaller's file removal. No Win32 calls.
#pragma once

#include <stddef.h>

#include "product.h"

// The marker a parent folder's path must hold, exact letter case, before the
// uninstaller tries to remove it.
#define COMPANY_FOLDER_MARK "\\" COMPANY_KEY_NAME

// parent = folder up to (not including) its last backslash. 0 when folder
// holds no backslash or the result does not fit; parent is then unchanged.
int ComposeParentFolder(char *parent, size_t cap, const char *folder, unsigned codePage);

// 1 when path contains COMPANY_FOLDER_MARK, compared case-sensitively, from
// a character of its own (not from the second byte of one).
int IsCompanyFolder(const char *path, unsigned codePage);
