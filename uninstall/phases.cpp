// The confirmation phase, the start of the temporary copy, and the order of
// the removal phase's stages.
#include "uninstall.h"

#include <shellapi.h>

#include "message_box.h"
#include "paths.h"
#include "product_window.h"
#include "settings.h"

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

void RunConfirmationPhase(void)
{
    char text[CONFIRM_TEXT_CAPACITY] = "";
    CopyText(text, sizeof(text), MSG_CONFIRM_PREFIX);
    AppendText(text, sizeof(text), PRODUCT_DISPLAY_NAME);
    AppendText(text, sizeof(text), MSG_CONFIRM_SUFFIX);
    if (ShowMessage(text, MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
        return;
    CloseRunningProduct();
    // Until the copy runs, the software list must still be able to start
    // the uninstallation again.
    if (StartTemporaryCopy())
        DeleteSubkey(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, UNINSTALL_ENTRY_NAME);
}

int StartTemporaryCopy(void)
{
    char ownPath[MAX_PATH];
    char copyPath[MAX_PATH];
    char startFolder[MAX_PATH];
    ZeroMemory(copyPath, sizeof(copyPath));
    ZeroMemory(startFolder, sizeof(startFolder));

    DWORD ownLength = GetModuleFileNameA(NULL, ownPath, sizeof(ownPath));
    int copied = ownLength > 0 && ownLength < sizeof(ownPath) && ReadTemporaryFolder(copyPath);
    if (copied) {
        CreateDirectoryA(copyPath, NULL);
        copied = AppendPathName(copyPath, sizeof(copyPath), UNINSTALL_EXE_NAME) &&
                 CopyFileA(ownPath, copyPath, FALSE);
    }
    if (!copied) {
        ShowMessage(MSG_CANNOT_COPY_TO_TEMP, MB_ICONERROR);
        return 0;
    }

    if (ReadTemporaryFolder(startFolder) &&
        (INT_PTR)ShellExecuteA(NULL, NULL, copyPath, REMOVAL_PHASE_SWITCH, startFolder,
                               SW_MINIMIZE) > 32)
        return 1;
    ShowMessage(MSG_CANNOT_START_IN_TEMP, MB_ICONERROR);
    return 0;
}

void RunRemovalPhase(void)
{
    char installFolder[MAX_PATH];
    ZeroMemory(installFolder, sizeof(installFolder));
    // The registry cleanup deletes InstallPath, so it is read first.
    if (!QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, installFolder)) {
        installFolder[0] = '\0';
        ShowMessage(MSG_NO_INSTALL_PATH, MB_OK);
    }
    RemoveShortcuts();
    if (lstrlenA(installFolder) > 1)
        RemoveInstalledFiles(installFolder);
    // InstallPath goes after the files: a removal ended halfway is finished
    // by running any uninstall.exe again.
    RemoveRegistryEntries();
    StartCleanupScript();
}
