// The path routines as the programs call them: on text in the process's
// ANSI code page, which is what every ...A call of Win32 gives and takes.
#include <windows.h>

#include "paths.h"

int EndsWithBackslash(const char *text)
{
    return EndsWithBackslash(text, GetACP());
}

int AppendBackslash(char *dst, size_t cap)
{
    return AppendBackslash(dst, cap, GetACP());
}

int AppendPathName(char *dst, size_t cap, const char *name)
{
    return ComposePath(dst, cap, dst, name, GetACP());
}

int ComposePath(char *dst, size_t cap, const char *folder, const char *name)
{
    return ComposePath(dst, cap, folder, name, GetACP());
}

void RemoveTrailingBackslash(char *text)
{
    RemoveTrailingBackslash(text, GetACP());
}

const char *FindText(const char *text, const char *part)
{
    return FindText(text, part, GetACP());
}
