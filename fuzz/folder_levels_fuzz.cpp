// Fuzzes the walk over folder levels with paths of any length and content:
// the walk must end, every level must be a prefix of the path cut at a
// backslash, levels must grow, and nothing may be read or written out of
// bounds.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "folder_levels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text((const char *)data, size);
    text = text.substr(0, text.find('\0'));
    char *path = (char *)malloc(text.size() + 1);
    memcpy(path, text.c_str(), text.size() + 1);

    size_t separator = 0;
    if (FindStartSeparator(path, &separator)) {
        const size_t cap = 260;
        char *level = (char *)malloc(cap);
        size_t previous = 0;
        size_t steps = 0;
        while (separator != NO_SEPARATOR) {
            if (separator >= text.size() || path[separator] != '\\')
                abort();
            size_t next = FindNextSeparator(path, separator);
            if (next != NO_SEPARATOR && next <= separator)
                abort();
            if (CopyFolderLevel(level, cap, path, next)) {
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
    free(path);
    return 0;
}
