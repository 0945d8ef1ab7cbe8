// Path decisions of the uninstaller's file removal.
#include "removal_paths.h"

#include "paths.h"

int ComposeParentFolder(char *parent, size_t cap, const char *folder)
{
    size_t last = 0;
    int found = 0;
    for (size_t i = 0; folder[i]; ++i)
        if (folder[i] == '\\') {
            last = i;
            found = 1;
        }
    if (!found || last >= cap)
        return 0;
    for (size_t i = 0; i < last; ++i)
        parent[i] = folder[i];
    parent[last] = '\0';
    return 1;
}

int IsCompanyFolder(const char *path)
{
    return FindText(path, COMPANY_FOLDER_MARK) != 0;
}
