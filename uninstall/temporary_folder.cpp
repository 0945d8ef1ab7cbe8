// Reading the temporary folder, with its truncation checked.
#include "temporary_folder.h"

#include "path_code_pages.h"

// GetTempPathA would give a user name outside the ANSI code page as a
// look-alike or "?", a folder that does not exist: the folder is read as
// it is and named by its short form where the code page cannot hold it.
int ReadTemporaryFolder(char *folder, size_t cap)
{
    ZeroMemory(folder, cap);
    WCHAR wide[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, wide);
    // A path that does not fit comes back as its required size.
    if (length == 0 || length >= MAX_PATH || !PathInCodePage(CP_ACP, wide, folder, cap)) {
        folder[0] = '\0';
        return 0;
    }
    return 1;
}
