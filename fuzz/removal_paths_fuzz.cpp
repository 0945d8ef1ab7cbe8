// Fuzzes the parent-folder decision of the file removal with install
// folders of any content: the parent is the text before the last
// backslash, or nothing.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "removal_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string folder((const char *)data, size);
    folder = folder.substr(0, folder.find('\0'));
    const size_t cap = 260;
    char *parent = (char *)malloc(cap);
    strcpy(parent, "unchanged");
    int ok = ComposeParentFolder(parent, cap, folder.c_str());
    size_t last = folder.rfind('\\');
    if (last == std::string::npos || last >= cap) {
        if (ok || strcmp(parent, "unchanged") != 0)
            abort();
    } else {
        if (!ok || folder.substr(0, last) != parent)
            abort();
    }
    if (IsCompanyFolder(folder.c_str()) != (folder.find("\\Velkor Software") != std::string::npos))
        abort();
    free(parent);
    return 0;
}
