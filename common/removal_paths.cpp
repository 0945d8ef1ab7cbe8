// Path decisions of the uninstaller's file removal.
#include "removal_paths.h"

#include "paths.h"

int ComposeParentFolder(char *parent, size_t cap, const char *folder, unsigned codePage)
{
    size_t nameStart = FindNameStart(folder, codePage);
    size_t last = nameStart - 1;
    if (!nameStart || last >= cap)
        return 0;
    for (size_t i = 0; i < last; ++i)
        parent[i] = folder[i];
    parent[last] = '\0';
    return 1;
}

int IsCompanyFolder(const char *path, unsigned codePage)
{
    return FindText(path, COMPANY_FOLDER_MARK, codePage) != 0;
}
