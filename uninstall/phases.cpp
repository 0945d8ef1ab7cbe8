// The confirmation phase, the start of the temporary copy, and the order of
// the removal phase's stages.
#include "uninstall.h"

#include "file_names.h"
#include "message_box.h"
#include "paths.h"
#include "product_window.h"
#include "program_start.h"
#include "settings.h"
#include "temporary_folder.h"

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

// The file at copyPath, opened so that nobody can change or replace it while
// the handle is open; INVALID_HANDLE_VALUE unless it holds exactly the
// program's own bytes.
static HANDLE OpenCopyOfOwn(const char *ownPath, const char *copyPath)
{
    HANDLE copy = OpenFileLocked(copyPath);
    HANDLE own = OpenFileLocked(ownPath);
    int same = copy != INVALID_HANDLE_VALUE && own != INVALID_HANDLE_VALUE &&
               SameFileBytes(own, copy);
    if (own != INVALID_HANDLE_VALUE)
        CloseHandle(own);
    if (!same && copy != INVALID_HANDLE_VALUE) {
        CloseHandle(copy);
        copy = INVALID_HANDLE_VALUE;
    }
    return copy;
}

// Clears the copy's name. In a temporary folder reached through a link, a
// file there that is not an earlier copy of this program may be another
// program's, and stays: the copy then fails.
static int MakeRoomForCopy(const char *ownPath, const char *copyPath, const char *tempFolder)
{
    if (PathCrossesLink(tempFolder)) {
        HANDLE earlier = OpenCopyOfOwn(ownPath, copyPath);
        if (earlier == INVALID_HANDLE_VALUE)
            return 1;
        CloseHandle(earlier);
    }
    return FreeFileName(copyPath);
}

// Writes the copy as a new file and opens it so that nobody can change or
// replace it until it has started.
static HANDLE WriteLockedCopy(const char *ownPath, const char *copyPath, const char *tempFolder)
{
    if (!MakeRoomForCopy(ownPath, copyPath, tempFolder) || !CopyFileA(ownPath, copyPath, TRUE))
        return INVALID_HANDLE_VALUE;
    return OpenCopyOfOwn(ownPath, copyPath);
}

int StartTemporaryCopy(void)
{
    char ownPath[MAX_PATH];
    char copyPath[MAX_PATH];
    char startFolder[MAX_PATH];
    ZeroMemory(copyPath, sizeof(copyPath));
    ZeroMemory(startFolder, sizeof(startFolder));

    DWORD ownLength = GetModuleFileNameA(NULL, ownPath, sizeof(ownPath));
    HANDLE copy = INVALID_HANDLE_VALUE;
    char tempFolder[MAX_PATH];
    if (ownLength > 0 && ownLength < sizeof(ownPath) && ReadTemporaryFolder(tempFolder, sizeof(tempFolder))) {
        CreateDirectoryA(tempFolder, NULL);
        if (ComposePath(copyPath, sizeof(copyPath), tempFolder, UNINSTALL_EXE_NAME))
            copy = WriteLockedCopy(ownPath, copyPath, tempFolder);
    }
    if (copy == INVALID_HANDLE_VALUE) {
        ShowMessage(MSG_CANNOT_COPY_TO_TEMP, MB_ICONERROR);
        return 0;
    }

    // The copy needs this program's rights: it removes what an
    // administrator installed.
    int started = ReadTemporaryFolder(startFolder, sizeof(startFolder)) &&
                  StartProgramFile(copyPath, REMOVAL_PHASE_SWITCH, startFolder, SW_MINIMIZE, 0);
    CloseHandle(copy);
    if (started)
        return 1;
    ShowMessage(MSG_CANNOT_START_IN_TEMP, MB_ICONERROR);
    return 0;
}

void RunRemovalPhase(void)
{
    char installFolder[MAX_PATH];
    ZeroMemory(installFolder, sizeof(installFolder));
    // The registry cleanup deletes InstallPath, so it is read first.
    if (!QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, installFolder,
                            sizeof(installFolder))) {
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
