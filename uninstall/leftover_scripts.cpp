// Cleanup scripts of earlier removals that never ran to their end (the
// machine went down, or the command interpreter was ended before the script
// deleted itself). Such a script holds exactly the bytes this removal would
// write under its name; any other file of such a name, and any link, is not
// ours and stays.
#include "uninstall.h"

#include "cleanup_script_text.h"
#include "paths.h"

// 1 when the open file is a plain file with one name that holds exactly
// content.
static int HoldsExactly(HANDLE file, const char *content, DWORD length)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
        info.nNumberOfLinks != 1 || info.nFileSizeHigh != 0 || info.nFileSizeLow != length)
        return 0;
    char bytes[CLEANUP_SCRIPT_CAPACITY];
    DWORD read = 0;
    if (!ReadFile(file, bytes, sizeof(bytes), &read, NULL) || read != length)
        return 0;
    for (DWORD i = 0; i < length; ++i)
        if (bytes[i] != content[i])
            return 0;
    return 1;
}

void DeleteLeftoverScripts(const char *tempFolder)
{
    for (int number = 1; number <= CLEANUP_SCRIPT_MAX_NUMBER; ++number) {
        char path[MAX_PATH];
        char content[CLEANUP_SCRIPT_CAPACITY];
        if (!ComposeCleanupScriptPath(path, sizeof(path), tempFolder, number) ||
            !ComposeScriptFor(content, tempFolder, path))
            continue;
        // The link itself, not what it leads to; and nobody may write the
        // file while it is compared and deleted.
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, NULL);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        if (HoldsExactly(file, content, (DWORD)lstrlenA(content)))
            DeleteFileA(path);
        CloseHandle(file);
    }
}
