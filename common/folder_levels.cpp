// Finding the levels of a folder path (see folder_levels.h).
#include "folder_levels.h"

#include "paths.h"

// The first backslash at or after index from; from may lie past the end.
static size_t FindBackslashFrom(const char *path, size_t from)
{
    size_t i = 0;
    while (i < from && path[i])
        ++i;
    if (i < from)
        return NO_SEPARATOR;
    for (; path[i]; ++i)
        if (path[i] == '\\')
            return i;
    return NO_SEPARATOR;
}

int FindStartSeparator(const char *path, size_t *start)
{
    if (path[0] != '\\' || path[1] != '\\') {
        *start = FindBackslashFrom(path, 0);
        return 1;
    }
    // The server name takes at least one character, so its end is searched
    // from the fourth character on; the share name likewise.
    size_t serverEnd = FindBackslashFrom(path, 3);
    if (serverEnd == NO_SEPARATOR || !path[serverEnd + 1]) {
        *start = NO_SEPARATOR;
        return 0;
    }
    *start = FindBackslashFrom(path, serverEnd + 2);
    return 1;
}

size_t FindNextSeparator(const char *path, size_t separator)
{
    if (separator == NO_SEPARATOR)
        return NO_SEPARATOR;
    return FindBackslashFrom(path, separator + 1);
}

int CopyFolderLevel(char *level, size_t cap, const char *path, size_t end)
{
    if (!CopyText(level, cap, path))
        return 0;
    // Only a separator that is really in the text cuts it.
    if (end != NO_SEPARATOR && FindBackslashFrom(level, end) == end)
        level[end] = '\0';
    return 1;
}
