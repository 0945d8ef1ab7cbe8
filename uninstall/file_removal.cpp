// Removing the installed files and folders. Only names on the installed-file
// list, the images folder and uninstall.exe are deleted; anything else the
// user put into the install folder keeps it. Nothing is reported.
#include "uninstall.h"

#include <shlobj.h>

#include "file_lists.h"
#include "paths.h"
#include "removal_paths.h"
#include "shell_notice.h"

static void EmptyFolder(char *folder, int recurse)
{
    if (!AppendBackslash(folder, MAX_PATH))
        return;
    char entryPath[MAX_PATH];
    if (!ComposePath(entryPath, sizeof(entryPath), folder, FIND_ALL_PATTERN))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(entryPath, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsDotEntry(entry.cFileName))
            continue;
        // An entry whose path does not fit is left alone.
        if (!ComposePath(entryPath, sizeof(entryPath), folder, entry.cFileName))
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction or folder link is removed as a link: what it points
            // to lies outside the install folder.
            if (recurse && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                EmptyFolder(entryPath, 1);
            RemoveDirectoryA(entryPath);
            continue;
        }
        SetFileAttributesA(entryPath, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(entryPath);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

static void RemoveFolder(char *folder, int recurse)
{
    // A folder that is itself a junction or link is removed as a link; its
    // target's files are not ours.
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        EmptyFolder(folder, recurse);
    RemoveDirectoryA(folder);
    AnnounceChange(SHCNE_RMDIR, folder);
}

// The confirmation phase may still be running from this file: retry for
// about five seconds, but not when the file is not there at all.
static void DeleteUninstaller(const char *path)
{
    for (int attempt = 1;; ++attempt) {
        if (DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND)
            return;
        if (attempt >= UNINSTALLER_DELETE_ATTEMPTS)
            return;
        Sleep(UNINSTALLER_RETRY_PAUSE_MS);
    }
}

void RemoveInstalledFiles(const char *installFolder)
{
    char filePath[MAX_PATH];
    for (size_t i = 0; i < kInstalledFileCount; ++i) {
        if (ComposePath(filePath, sizeof(filePath), installFolder, kInstalledFileList[i]))
            DeleteFileA(filePath);
    }

    char imagesPath[MAX_PATH];
    ZeroMemory(imagesPath, sizeof(imagesPath));
    if (ComposePath(imagesPath, sizeof(imagesPath), installFolder, IMAGES_FOLDER_NAME))
        RemoveFolder(imagesPath, 1);

    if (ComposePath(filePath, sizeof(filePath), installFolder, UNINSTALL_EXE_NAME))
        DeleteUninstaller(filePath);

    RemoveDirectoryA(installFolder);

    char parent[MAX_PATH];
    if (ComposeParentFolder(parent, sizeof(parent), installFolder, GetACP()) &&
        IsCompanyFolder(parent, GetACP()))
        RemoveDirectoryA(parent);

    AnnounceChange(SHCNE_RMDIR, installFolder);
}
