// The text of the uninstaller's cleanup script and the name it is written
// under. No Win32 calls: the bytes are composed here and written elsewhere.
// Both routines return 1 on success and 0 when the result would not fit.
#pragma once

#include <stddef.h>

// Script names are "delme" + N + ".bat" for N from 1 to this.
#define CLEANUP_SCRIPT_MAX_NUMBER 200

// The script content is composed in a buffer of this many characters.
#define CLEANUP_SCRIPT_CAPACITY 1040

// path = tempFolder + "delme" + number (decimal, no leading zeros) + ".bat".
// tempFolder is used as given; the caller makes it end in a backslash.
int ComposeCleanupScriptPath(char *path, size_t cap, const char *tempFolder, int number);

// The script that keeps deleting tempFolder + "uninstall.exe" until it is
// gone and then deletes scriptPath: six CRLF lines, the first one empty.
// Both paths are given in the code page the command interpreter reads the
// script in (the OEM one); each % in them is written as %%.
int ComposeCleanupScript(char *content, size_t cap, const char *tempFolder,
                         const char *scriptPath);
