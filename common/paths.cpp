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

int IsLeadByte(unsigned codePage, unsigned char byte)
{
    // 936, 949 and 950 lead with 81 to FE; 932 with 81 to 9F and E0 to FC.
    if (byte < 0x81 || byte == 0xFF)
        return 0;
    if (codePage == 932)
        return byte <= 0x9F || (byte >= 0xE0 && byte <= 0xFC);
    return codePage == 936 || codePage == 949 || codePage == 950;
}

const char *NextChar(unsigned codePage, const char *text)
{
    if (IsLeadByte(codePage, (unsigned char)text[0]) && text[1])
        return text + 2;
    return text + 1;
}

// The last character of text, or NULL when it is empty.
static const char *LastChar(const char *text, unsigned codePage)
{
    const char *last = 0;
    for (; *text; text = NextChar(codePage, text))
        last = text;
    return last;
}

int EndsWithBackslash(const char *text, unsigned codePage)
{
    const char *last = LastChar(text, codePage);
    return last && *last == '\\';
}

int AppendBackslash(char *dst, size_t cap, unsigned codePage)
{
    return ComposePath(dst, cap, dst, "", codePage);
}

int AppendPathName(char *dst, size_t cap, const char *name, unsigned codePage)
{
    return ComposePath(dst, cap, dst, name, codePage);
}

int ComposePath(char *dst, size_t cap, const char *folder, const char *name,
                unsigned codePage)
{
    // A lead byte before the terminator is what is left of a character cut
    // in two: a backslash or a name put behind it would become its second
    // byte.
    const char *last = LastChar(folder, codePage);
    if (last && !last[1] && IsLeadByte(codePage, (unsigned char)*last))
        return 0;
    size_t used = TextLength(folder);
    size_t sep = last && *last == '\\' ? 0 : 1;
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

void RemoveTrailingBackslash(char *text, unsigned codePage)
{
    char *last = (char *)LastChar(text, codePage);
    if (last && *last == '\\')
        *last = '\0';
}

size_t FindNameStart(const char *path, unsigned codePage)
{
    size_t start = 0;
    for (const char *c = path; *c; c = NextChar(codePage, c))
        if (*c == '\\')
            start = (size_t)(c - path) + 1;
    return start;
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

const char *FindText(const char *text, const char *part, unsigned codePage)
{
    if (!*part)
        return text;
    for (; *text; text = NextChar(codePage, text)) {
        size_t i = 0;
        while (part[i] && text[i] == part[i])
            ++i;
        if (!part[i])
            return text;
    }
    return 0;
}
