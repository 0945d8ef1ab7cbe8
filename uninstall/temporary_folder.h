// The temporary folder, which both phases of the uninstaller work in: the
// confirmation phase starts its copy there, the removal phase writes the
// cleanup script beside that copy.
#pragma once

#include <stddef.h>

// The temporary folder as GetTempPathA gives it when the ANSI code page can
// hold its name, else its short form, in a buffer of cap characters; 0
// (buffer emptied) when there is none or it does not fit.
int ReadTemporaryFolder(char *folder, size_t cap);
