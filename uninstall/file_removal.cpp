// Removing the installed files and folders. Only names on the installed-file
// list, the images folder and uninstall.exe are deleted; anything else the
// user put into the install folder keeps it. A name is deleted by itself,
// never through a link, read-only or not; one that is in use goes at the
// next restart. Nothing is reported.
#include "uninstall.h"

#include <shlobj.h>

#include "file_lists.h"
#include "file_names.h"
#include "paths.h"
#include "removal_paths.h"
#include "shell_notice.h"

// Deletion at the next restart is for names reached without a link on the
// way: the install folder's path is looked at once.
static int g_mayDefer;

// 1 when the name stays until the next restart.
static int DeferDeletion(const char *path)
{
    return g_mayDefer && !NameIsLink(path) &&
           MoveFileExA(path, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// 1 when the file stays until the next restart. A folder at a listed
// file's name is the user's, and stays as it is.
static int DeleteInstalledFile(const char *path)
{
    return !FreeFileName(path) && !(GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY) &&
           DeferDeletion(path);
}

// A folder that cannot go now goes at the next restart only after files of
// its own that go then: it is not empty for anything else.
static int RemoveInstalledFolder(const char *folder, int deferred)
{
    if (RemoveDirectoryA(folder) || !deferred)
        return 0;
    return MoveFileExA(folder, NULL, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

static int EmptyFolder(char *folder, int recurse)
{
    int deferred = 0;
    if (!AppendBackslash(folder, MAX_PATH))
        return 0;
    char entryPath[MAX_PATH];
    if (!ComposePath(entryPath, sizeof(entryPath), folder, FIND_ALL_PATTERN))
        return 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(entryPath, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (IsDotEntry(entry.cFileName))
            continue;
        // An entry whose path does not fit is left alone.
        if (!ComposePath(entryPath, sizeof(entryPath), folder, entry.cFileName))
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction or folder link is removed as a link: what it points
            // to lies outside the install folder.
            int inner = 0;
            if (recurse && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                inner = EmptyFolder(entryPath, 1);
            deferred |= RemoveInstalledFolder(entryPath, inner);
            continue;
        }
        deferred |= DeleteInstalledFile(entryPath);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return deferred;
}

static int RemoveFolder(char *folder, int recurse)
{
    // A folder that is itself a junction or link is removed as a link; its
    // target's files are not ours.
    int deferred = 0;
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        deferred = EmptyFolder(folder, recurse);
    deferred = RemoveInstalledFolder(folder, deferred);
    AnnounceChange(SHCNE_RMDIR, folder);
    return deferred;
}

// The confirmation phase may still be running from this file: retry for
// about five seconds, but not when the file is not there at all.
static int DeleteUninstaller(const char *path)
{
    for (int attempt = 1;; ++attempt) {
        if (FreeFileName(path))
            return 0;
        if (attempt >= UNINSTALLER_DELETE_ATTEMPTS)
            return DeferDeletion(path);
        Sleep(UNINSTALLER_RETRY_PAUSE_MS);
    }
}

int RemoveProductFiles(const char *installFolder)
{
    g_mayDefer = !PathCrossesLink(installFolder);
    int deferred = 0;
    char filePath[MAX_PATH];
    for (const char *name = kInstalledFileNames; *name; name = NextListedName(name)) {
        if (ComposePath(filePath, sizeof(filePath), installFolder, name))
            deferred |= DeleteInstalledFile(filePath);
    }

    char imagesPath[MAX_PATH];
    if (ComposePath(imagesPath, sizeof(imagesPath), installFolder, IMAGES_FOLDER_NAME))
        deferred |= RemoveFolder(imagesPath, 1);
    return deferred;
}

int RemoveInstallFolder(const char *installFolder, int deferred)
{
    g_mayDefer = !PathCrossesLink(installFolder);
    char filePath[MAX_PATH];
    if (ComposePath(filePath, sizeof(filePath), installFolder, UNINSTALL_EXE_NAME))
        deferred |= DeleteUninstaller(filePath);

    deferred = RemoveInstalledFolder(installFolder, deferred);
    char parent[MAX_PATH];
    if (ComposeParentFolder(parent, sizeof(parent), installFolder, GetACP()) &&
        IsCompanyFolder(parent, GetACP()))
        RemoveInstalledFolder(parent, deferred);

    AnnounceChange(SHCNE_RMDIR, installFolder);
    return deferred;
}

int RemoveInstalledFiles(const char *installFolder)
{
    return RemoveInstallFolder(installFolder, RemoveProductFiles(installFolder));
}
