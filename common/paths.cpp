// Bounded string composition for path buffers.
#include "paths.h"

static size_t TextLength(const char *text)
{
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

int CopyText(char *dst, size_t cap, const char *src)
{
    size_t n = TextLength(src);
    if (n >= cap)
        return 0;
    for (size_t i = 0; i <= n; ++i)
        dst[i] = src[i];
    return 1;
}

int AppendText(char *dst, size_t cap, const char *src)
{
    size_t used = TextLength(dst);
    size_t n = TextLength(src);
    if (used >= cap || n >= cap - used)
        return 0;
    for (size_t i = 0; i <= n; ++i)
        dst[used + i] = src[i];
    return 1;
}

int EndsWithBackslash(const char *text)
{
    size_t n = TextLength(text);
    return n > 0 && text[n - 1] == '\\';
}

int AppendBackslash(char *dst, size_t cap)
{
    if (EndsWithBackslash(dst))
        return 1;
    return AppendText(dst, cap, "\\");
}

int AppendPathName(char *dst, size_t cap, const char *name)
{
    return ComposePath(dst, cap, dst, name);
}

int ComposePath(char *dst, size_t cap, const char *folder, const char *name)
{
    size_t used = TextLength(folder);
    size_t sep = EndsWithBackslash(folder) ? 0 : 1;
    size_t n = TextLength(name);
    if (used >= cap || sep + n >= cap - used)
        return 0;
    // Composed in place, the folder is already there.
    if (folder != dst)
        for (size_t i = 0; i < used; ++i)
            dst[i] = folder[i];
    if (sep)
        dst[used++] = '\\';
    for (size_t i = 0; i <= n; ++i)
        dst[used + i] = name[i];
    return 1;
}

void RemoveTrailingBackslash(char *text)
{
    size_t n = TextLength(text);
    if (n > 0 && text[n - 1] == '\\')
        text[n - 1] = '\0';
}

int NamesFolder(const char *text)
{
    for (; *text; ++text)
        if (*text != '\\')
            return 1;
    return 0;
}

int IsDotEntry(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

const char *FindText(const char *text, const char *part)
{
    if (!*part)
        return text;
    for (; *text; ++text) {
        size_t i = 0;
        while (part[i] && text[i] == part[i])
            ++i;
        if (!part[i])
            return text;
    }
    return 0;
}
