// The install options dialog: the install folder, the two options, the
// folder browser and the way to the hotkey dialog. OK makes sure that the
// chosen folder exists, creating its missing levels from the top down.
#include <windows.h>
#include <shlobj.h>

#include "dialog_texts.h"
#include "folder_levels.h"
#include "message_box.h"
#include "paths.h"
#include "product.h"
#include "resource.h"
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
    size_t separator;
    if (!FindStartSeparator(folder, &separator))
        return 0;
    while (separator != NO_SEPARATOR) {
        char level[MAX_PATH];
        size_t next = FindNextSeparator(folder, separator);
        if (!CopyFolderLevel(level, sizeof(level), folder, next) || !MakeFolderLevel(level))
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

static void InitOptionsDialog(HWND dialog)
{
    SetWindowTextA(dialog, PRODUCT_DISPLAY_NAME);
    SetFocus(GetDlgItem(dialog, IDOK));
    // One less than the buffer, so that OK reads every character shown.
    SendDlgItemMessageA(dialog, IDC_INSTALL_PATH, EM_LIMITTEXT, MAX_PATH - 1, 0);
    SetDlgItemTextA(dialog, IDC_INSTALL_PATH, g_installFolder);
    SetDlgItemTextA(dialog, IDC_START_APP, OPTIONS_START_TEXT);
    CheckDlgButton(dialog, IDC_CREATE_SHORTCUT, BST_CHECKED);
    CheckDlgButton(dialog, IDC_START_APP, BST_CHECKED);
    SetClassLongPtrA(dialog, GCLP_HICON,
                     (LONG_PTR)LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_PRODUCT)));
}

// The options are taken before the folder is looked at and keep their
// values even when the folder is refused.
static void AcceptOptions(HWND dialog)
{
    g_createShortcut = IsDlgButtonChecked(dialog, IDC_CREATE_SHORTCUT) == BST_CHECKED;
    g_startApplication = IsDlgButtonChecked(dialog, IDC_START_APP) == BST_CHECKED;
    GetDlgItemTextA(dialog, IDC_INSTALL_PATH, g_installFolder, sizeof(g_installFolder));
    RemoveTrailingBackslash(g_installFolder);
    // AskInstallOptions removes one more trailing backslash: text made of
    // backslashes alone would leave no install folder at all.
    if (!NamesFolder(g_installFolder)) {
        ShowMessage(MSG_NO_INSTALL_FOLDER, MB_OK);
        return;
    }
    if (!MakeInstallFolder(g_installFolder)) {
        ShowMessage(MSG_CANNOT_CREATE_FOLDER, MB_OK);
        return;
    }
    EndDialog(dialog, IDOK);
}

static void ConfirmCancel(HWND dialog)
{
    if (ShowMessage(MSG_SETUP_WILL_STOP, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        EndDialog(dialog, IDCANCEL);
}

// Opens the browser on the folder that the path names.
static int CALLBACK BrowseCallbackProc(HWND browser, UINT message, LPARAM, LPARAM path)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, path);
    return 0;
}

// path: 260 characters, the starting folder, replaced by the chosen one.
static void BrowseForInstallFolder(HWND owner, char *path)
{
    IMalloc *allocator = NULL;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator)
        return;
    char displayName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = BROWSE_TITLE;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallbackProc;
    info.lParam = (LPARAM)path;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    char chosen[MAX_PATH] = "";
    if (item && SHGetPathFromIDListA(item, chosen))
        CopyText(path, MAX_PATH, chosen);
    allocator->Free(item);
    allocator->Release();
}

// The install folder itself changes only on OK.
static void BrowseFromEditControl(HWND dialog)
{
    char path[MAX_PATH] = "";
    GetDlgItemTextA(dialog, IDC_INSTALL_PATH, path, sizeof(path));
    BrowseForInstallFolder(dialog, path);
    SetDlgItemTextA(dialog, IDC_INSTALL_PATH, path);
}

// Only one hotkey dialog at a time: a second press brings it to the front.
static INT_PTR OpenHotkeyDialog(void)
{
    if (g_hotkeyDialog && IsWindow(g_hotkeyDialog)) {
        SetForegroundWindow(g_hotkeyDialog);
        return FALSE;
    }
    HWND dialog = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_HOTKEY), NULL,
                                     HotkeyDlgProc, 0);
    if (!dialog)
        return TRUE;
    if (!g_hotkeyDialog)
        g_hotkeyDialog = dialog;
    ShowWindow(dialog, SW_SHOWNORMAL);
    return TRUE;
}

INT_PTR CALLBACK InstallOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitOptionsDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptOptions(dialog);
            return TRUE;
        case IDCANCEL:
            ConfirmCancel(dialog);
            return TRUE;
        case IDC_BROWSE:
            BrowseFromEditControl(dialog);
            return TRUE;
        case IDC_SET_HOTKEY:
            return OpenHotkeyDialog();
        }
        break;
    }
    return FALSE;
}
