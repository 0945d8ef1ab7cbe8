// Fuzzes the parent-folder decision of the file removal with install
// folders of any content, in a single-byte code page and in the East Asian
// ones: the parent is the text before the last backslash that is a
// character of its own, or nothing.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "code_pages.h"
#include "removal_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    unsigned codePage = PickCodePage(data[0]);
    std::string folder((const char *)data + 1, size - 1);
    folder = folder.substr(0, folder.find('\0'));
    const size_t cap = 260;
    char *parent = (char *)malloc(cap);
    strcpy(parent, "unchanged");
    int ok = ComposeParentFolder(parent, cap, folder.c_str(), codePage);
    size_t last = folder.rfind('\\');
    while (last != std::string::npos && !IsCharStart(folder.c_str(), last, codePage))
        last = last ? folder.rfind('\\', last - 1) : std::string::npos;
    if (last == std::string::npos || last >= cap) {
        if (ok || strcmp(parent, "unchanged") != 0)
            abort();
    } else {
        if (!ok || folder.substr(0, last) != parent)
            abort();
    }
    size_t mark = folder.find("\\Velkor Software");
    while (mark != std::string::npos && !IsCharStart(folder.c_str(), mark, codePage))
        mark = folder.find("\\Velkor Software", mark + 1);
    if (IsCompanyFolder(folder.c_str(), codePage) != (mark != std::string::npos))
        abort();
    free(parent);
    return 0;
}
