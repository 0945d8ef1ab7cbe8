// Finding the levels of a folder path (see folder_levels.h).
#include "folder_levels.h"

#include "paths.h"

// The first backslash character at or after index from; from may lie past
// the end. The text is walked from its start, as only there is it known
// where a character begins.
static size_t FindBackslashFrom(const char *path, size_t from, unsigned codePage)
{
    for (const char *c = path; *c; c = NextChar(codePage, c))
        if ((size_t)(c - path) >= from && *c == '\\')
            return (size_t)(c - path);
    return NO_SEPARATOR;
}

int FindStartSeparator(const char *path, size_t *start, unsigned codePage)
{
    if (path[0] != '\\' || path[1] != '\\') {
        *start = FindBackslashFrom(path, 0, codePage);
        return 1;
    }
    // The server name takes at least one character, so its end is searched
    // from the fourth byte on; the share name likewise.
    size_t serverEnd = FindBackslashFrom(path, 3, codePage);
    if (serverEnd == NO_SEPARATOR || !path[serverEnd + 1]) {
        *start = NO_SEPARATOR;
        return 0;
    }
    *start = FindBackslashFrom(path, serverEnd + 2, codePage);
    return 1;
}

size_t FindNextSeparator(const char *path, size_t separator, unsigned codePage)
{
    if (separator == NO_SEPARATOR)
        return NO_SEPARATOR;
    return FindBackslashFrom(path, separator + 1, codePage);
}

int CopyFolderLevel(char *level, size_t cap, const char *path, size_t end,
                    unsigned codePage)
{
    if (!CopyText(level, cap, path))
        return 0;
    // Only a separator that is really in the text cuts it.
    if (end != NO_SEPARATOR && FindBackslashFrom(level, end, codePage) == end)
        level[end] = '\0';
    return 1;
}

static int IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A drive and its root ("C:\..."), a drive alone, or a network path: what
// these name is the same whatever folder the process is in.
static int IsAbsoluteFolder(const char *folder)
{
    if (folder[0] == '\\')
        return folder[1] == '\\';
    return IsDriveLetter(folder[0]) && folder[1] == ':' && (folder[2] == '\\' || !folder[2]);
}

int MakeFolderCanonical(char *folder, unsigned codePage)
{
    if (!IsAbsoluteFolder(folder))
        return 0;
    size_t levelStart = FindNameStart(folder, codePage);
    // Blanks and dots are single bytes in every code page, never the second
    // byte of a character, but the end of the name is found by walking.
    size_t end = levelStart;
    int cut = 0;
    for (const char *c = folder + levelStart; *c; c = NextChar(codePage, c))
        if (*c != ' ' && *c != '.') {
            end = (size_t)(NextChar(codePage, c) - folder);
            cut = !c[1] && IsLeadByte(codePage, (unsigned char)*c);
        }
    // Nothing but dots and blanks, or a character cut in two at the end.
    if ((end == levelStart && folder[levelStart]) || cut)
        return 0;
    folder[end] = '\0';
    return 1;
}
