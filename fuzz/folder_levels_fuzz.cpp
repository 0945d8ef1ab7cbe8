// Fuzzes the walk over folder levels with paths of any length and content,
// in a single-byte code page and in the East Asian ones: the walk must end,
// every level must be a prefix of the path cut at a backslash that is a
// character of its own, levels must grow, and nothing may be read or
// written out of bounds. The canonical form of a typed folder is a prefix
// of it whose last level does not end in a blank or a dot.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "code_pages.h"
#include "folder_levels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    unsigned codePage = PickCodePage(data[0]);
    std::string text((const char *)data + 1, size - 1);
    text = text.substr(0, text.find('\0'));
    char *path = (char *)malloc(text.size() + 1);
    memcpy(path, text.c_str(), text.size() + 1);

    size_t separator = 0;
    if (FindStartSeparator(path, &separator, codePage)) {
        const size_t cap = 260;
        char *level = (char *)malloc(cap);
        size_t previous = 0;
        size_t steps = 0;
        while (separator != NO_SEPARATOR) {
            if (separator >= text.size() || path[separator] != '\\' ||
                !IsCharStart(path, separator, codePage))
                abort();
            size_t next = FindNextSeparator(path, separator, codePage);
            if (next != NO_SEPARATOR && next <= separator)
                abort();
            if (CopyFolderLevel(level, cap, path, next, codePage)) {
                size_t n = strlen(level);
                if (n < previous || text.compare(0, n, level) != 0)
                    abort();
                if (next != NO_SEPARATOR && n != next)
                    abort();
                previous = n;
            } else if (text.size() < cap) {
                abort();  // a path that fits has levels that fit
            }
            separator = next;
            if (++steps > text.size() + 1)
                abort();
        }
        free(level);
    }
    if (MakeFolderCanonical(path, codePage)) {
        size_t n = strlen(path);
        size_t levelStart = FindNameStart(path, codePage);
        bool loose = n > levelStart && (path[n - 1] == ' ' || path[n - 1] == '.') &&
                     IsCharStart(path, n - 1, codePage);
        if (text.compare(0, n, path) != 0 || loose)
            abort();
    } else if (text != path) {
        abort();
    }
    free(path);
    return 0;
}
