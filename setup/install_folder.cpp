// Taking a folder as the install folder: the text is checked as OK checks
// what the user typed, and the folder is made to exist, its missing levels
// created from the top down. The options dialog and a run without a window
// both come here.
#include <windows.h>
#include <shlobj.h>

#include "dialog_texts.h"
#include "folder_levels.h"
#include "message_box.h"
#include "paths.h"
#include "setup.h"
#include "shell_notice.h"

// A level that exists is passed over; a created one is announced at once,
// so that an open Explorer window shows it.
static int MakeFolderLevel(const char *level)
{
    if (SetCurrentDirectoryA(level))
        return 1;
    if (!CreateDirectoryA(level, NULL))
        return 0;
    AnnounceChange(SHCNE_MKDIR, level);
    return 1;
}

static int MakeMissingLevels(const char *folder)
{
    UINT codePage = GetACP();
    size_t separator;
    if (!FindStartSeparator(folder, &separator, codePage))
        return 0;
    while (separator != NO_SEPARATOR) {
        char level[MAX_PATH];
        size_t next = FindNextSeparator(folder, separator, codePage);
        if (!CopyFolderLevel(level, sizeof(level), folder, next, codePage) ||
            !MakeFolderLevel(level))
            return 0;
        separator = next;
    }
    return 1;
}

// Levels are tested by entering them, so the current directory is put
// back afterwards, whatever happened.
static int MakeInstallFolder(const char *folder)
{
    char saved[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(sizeof(saved), saved);
    int made = SetCurrentDirectoryA(folder) || MakeMissingLevels(folder);
    if (length > 0 && length < sizeof(saved))
        SetCurrentDirectoryA(saved);
    return made;
}

int AcceptInstallFolder(const char *text)
{
    CopyText(g_installFolder, sizeof(g_installFolder), text);
    RemoveTrailingBackslash(g_installFolder);
    // AskInstallOptions removes one more trailing backslash: text made of
    // backslashes alone would leave no install folder at all.
    if (!NamesFolder(g_installFolder))
        return INSTALL_FOLDER_REFUSED;
    // A folder that depends on the current one would be another folder for
    // the uninstaller, and one Windows opens under another name would
    // be stored under a name no file is found by.
    if (!MakeFolderCanonical(g_installFolder, GetACP()) || !MakeInstallFolder(g_installFolder))
        return INSTALL_FOLDER_NOT_MADE;
    return INSTALL_FOLDER_READY;
}

int ReportFolderChoice(int choice)
{
    if (choice == INSTALL_FOLDER_REFUSED)
        ShowMessage(MSG_NO_INSTALL_FOLDER, MB_OK);
    else if (choice == INSTALL_FOLDER_NOT_MADE)
        ShowMessage(MSG_CANNOT_CREATE_FOLDER, MB_OK);
    return choice;
}
