// Reading the temporary folder, with its truncation checked.
#include "temporary_folder.h"

#include <windows.h>

int ReadTemporaryFolder(char *folder, size_t cap)
{
    ZeroMemory(folder, cap);
    DWORD length = GetTempPathA((DWORD)cap, folder);
    // A path that does not fit comes back as its required size.
    if (length == 0 || length >= cap) {
        folder[0] = '\0';
        return 0;
    }
    return 1;
}
