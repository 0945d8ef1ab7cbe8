// Paths in the system folder (System32, or SysWOW64 for a 32-bit program on
// 64-bit Windows).
#pragma once

#include <windows.h>

// path = the system folder + "\" + name, in a buffer of cap characters;
// 0 when the folder cannot be had or the result does not fit.
int ComposeSystemPath(char *path, size_t cap, const char *name);
