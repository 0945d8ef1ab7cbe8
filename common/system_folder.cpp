// Paths in the system folder, the one place the programs take system
// programs and DLLs from.
#include "system_folder.h"

#include "paths.h"

int ComposeSystemPath(char *path, size_t cap, const char *name)
{
    UINT length = GetSystemDirectoryA(path, (UINT)cap);
    // A folder that does not fit comes back as its required size.
    if (length == 0 || length >= cap)
        return 0;
    return AppendPathName(path, cap, name);
}
