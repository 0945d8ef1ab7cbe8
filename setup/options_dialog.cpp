// The install options dialog: the install folder, the two options, the
// folder browser and the way to the hotkey dialog. It shows the installer's
// state and hands back what the user chose; OK takes the folder as a run
// without a window takes it.
#include <windows.h>
#include <shlobj.h>

#include "dialog_texts.h"
#include "message_box.h"
#include "path_code_pages.h"
#include "paths.h"
#include "product.h"
#include "resource.h"
#include "setup.h"

static void InitOptionsDialog(HWND dialog)
{
    SetWindowTextA(dialog, PRODUCT_DISPLAY_NAME);
    SetFocus(GetDlgItem(dialog, IDOK));
    // One less than the buffer, so that OK reads every character shown.
    SendDlgItemMessageA(dialog, IDC_INSTALL_PATH, EM_LIMITTEXT, MAX_PATH - 1, 0);
    SetDlgItemTextA(dialog, IDC_INSTALL_PATH, g_installFolder);
    SetDlgItemTextA(dialog, IDC_START_APP, OPTIONS_START_TEXT);
    CheckDlgButton(dialog, IDC_CREATE_SHORTCUT, g_createShortcut ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_START_APP, g_startApplication ? BST_CHECKED : BST_UNCHECKED);
    SetClassLongPtrA(dialog, GCLP_HICON,
                     (LONG_PTR)LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_PRODUCT)));
}

// The options are taken before the folder is looked at and keep their
// values even when the folder is refused.
static void AcceptOptions(HWND dialog)
{
    g_createShortcut = IsDlgButtonChecked(dialog, IDC_CREATE_SHORTCUT) == BST_CHECKED;
    g_startApplication = IsDlgButtonChecked(dialog, IDC_START_APP) == BST_CHECKED;
    // Read as typed: the ANSI text would hold a look-alike or "?" for a
    // letter the code page lacks, another folder than the one meant.
    WCHAR typed[MAX_PATH] = L"";
    char text[MAX_PATH] = "";
    GetDlgItemTextW(dialog, IDC_INSTALL_PATH, typed, MAX_PATH);
    int accepted = WideToCodePage(CP_ACP, typed, text, sizeof(text)) ? AcceptInstallFolder(text)
                                                                     : INSTALL_FOLDER_NOT_MADE;
    if (ReportFolderChoice(accepted) == INSTALL_FOLDER_READY)
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
    // The dialog stores its own handle while it initialises.
    if (!dialog)
        return TRUE;
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
