// Reading the temporary folder, with its truncation checked.
#include "temporary_folder.h"

#include <windows.h>

int ReadTemporaryFolder(char *folder)
{
    ZeroMemory(folder, MAX_PATH);
    DWORD length = GetTempPathA(MAX_PATH, folder);
    // A path that does not fit comes back as its required size.
    if (length == 0 || length >= MAX_PATH) {
        folder[0] = '\0';
        return 0;
    }
    return 1;
}
