// Replacing the product's shortcuts: the old ones are deleted by name from
// the user's special folders, the new one is made through the shell's link
// object (which needs OLE, initialised by the caller).
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "file_names.h"
#include "folder_shortcuts.h"
#include "paths.h"
#include "product.h"
#include "settings.h"
#include "setup.h"
#include "shell_notice.h"
#include "system_folder.h"

static const CLSID kShellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const IID kShellLinkInterface = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const IID kPersistFileInterface = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Targets whose path mentions ".url" get the shell's internet icon.
#define INTERNET_ICON_MARK   ".url"
#define INTERNET_ICON_FILE   "SHELL32.dll"
#define INTERNET_ICON_INDEX  30

// The user's folders and, in the same order, the ones of all users.
static const int kOldShortcutFolders[][4] = {
    {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTUP},
    {CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY,
     CSIDL_COMMON_STARTUP},
};

void DeleteOldShortcuts(int allUsers)
{
    for (int set = 0; set <= allUsers; ++set) {
        const int *folders = kOldShortcutFolders[set];
        DeleteFolderShortcuts(folders[0]);
        DeleteFolderShortcuts(folders[1]);
        DeleteFolderShortcuts(folders[2]);
        // Startup may hold a shortcut the user made on purpose; only the
        // old " 98" name is ours to remove there.
        DeleteFolderFile(folders[3], PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX);
    }
}

static int TargetWantsInternetIcon(const char *targetPath)
{
    char lower[MAX_PATH];
    // A target longer than a path buffer cannot be stored in a link anyway.
    if (!CopyText(lower, sizeof(lower), targetPath))
        return 0;
    CharLowerA(lower);
    return FindText(lower, INTERNET_ICON_MARK) != NULL;
}

static void SetInternetIcon(IShellLinkA *link)
{
    char icon[MAX_PATH];
    if (!ComposeSystemPath(icon, sizeof(icon), INTERNET_ICON_FILE))
        return;
    link->SetIconLocation(icon, INTERNET_ICON_INDEX);
}

static HRESULT SaveLink(IPersistFile *file, const char *shortcutPath)
{
    WCHAR widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, shortcutPath, -1, widePath, MAX_PATH))
        return HRESULT_FROM_WIN32(GetLastError());
    return file->Save(widePath, TRUE);
}

HRESULT CreateShellLink(const char *shortcutPath, const char *targetPath, const char *arguments,
                        const char *workingDirectory, WORD hotkey)
{
    IShellLinkA *link = NULL;
    HRESULT result = CoCreateInstance(kShellLinkClass, NULL, CLSCTX_INPROC_SERVER,
                                      kShellLinkInterface, (void **)&link);
    if (FAILED(result))
        return result;

    link->SetPath(targetPath);
    link->SetArguments(arguments);
    link->SetWorkingDirectory(workingDirectory);
    link->SetShowCmd(SW_SHOWNORMAL);
    link->SetHotkey(hotkey);
    if (TargetWantsInternetIcon(targetPath))
        SetInternetIcon(link);

    IPersistFile *file = NULL;
    result = link->QueryInterface(kPersistFileInterface, (void **)&file);
    if (SUCCEEDED(result)) {
        result = SaveLink(file, shortcutPath);
        file->Release();
    }
    link->Release();
    return result;
}

// The folder that a value of the user's "Shell Folders" key names; 0 when
// the value is missing or unusable, so no shortcut lands in the current
// directory.
static int ReadShellFolder(const char *valueName, char *folder)
{
    return ReadRegistryString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, 0, valueName, folder,
                              MAX_PATH, NULL) &&
           folder[0];
}

// shortcut: the folder to create it in, in a path buffer.
static int CreateShortcutIn(char *shortcut, const char *arguments, int hotkey,
                            const char *shortcutName)
{
    // The registry's InstallPath, not the run's folder: the shortcut must
    // agree with what the uninstaller will read.
    char installFolder[MAX_PATH];
    if (!QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, installFolder,
                            sizeof(installFolder)))
        return 0;
    char target[MAX_PATH];
    if (!ComposePath(target, sizeof(target), installFolder, PRODUCT_EXE_NAME) ||
        !AppendPathName(shortcut, MAX_PATH, shortcutName[0] ? shortcutName : PRODUCT_DISPLAY_NAME) ||
        !AppendText(shortcut, MAX_PATH, SHORTCUT_EXTENSION))
        return 0;

    // The link is saved as a new file, never into one that a link or a hard
    // link at its name leads to.
    if (!FreeFileName(shortcut))
        return 0;
    HRESULT result = CreateShellLink(shortcut, target, arguments, installFolder, (WORD)hotkey);
    AnnounceChange(SHCNE_CREATE, shortcut);
    return SUCCEEDED(result);
}

int CreateProductShortcut(const char *shellFolderValue, const char *arguments, int hotkey,
                          const char *shortcutName)
{
    char shortcut[MAX_PATH];
    return ReadShellFolder(shellFolderValue, shortcut) &&
           CreateShortcutIn(shortcut, arguments, hotkey, shortcutName);
}

int CreateCommonShortcut(void)
{
    char shortcut[MAX_PATH];
    return GetSpecialFolderPath(CSIDL_COMMON_STARTMENU, shortcut, sizeof(shortcut)) &&
           CreateShortcutIn(shortcut, "", 0, "");
}
