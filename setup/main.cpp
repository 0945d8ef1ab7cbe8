// The installer's main routine: the options dialog, then the stages of the
// installation in their fixed order, then the start of the application.
#include <windows.h>
#include <ole2.h>

#include "message_box.h"
#include "paths.h"
#include "product.h"
#include "product_window.h"
#include "program_start.h"
#include "setup.h"

// The application runs with the user's own rights where it can: setup's
// are an administrator's, and a DLL beside the application would get them.
static void FinishInstallation(void)
{
    if (g_startApplication) {
        char program[MAX_PATH] = "";
        if (ComposePath(program, sizeof(program), g_installFolder, PRODUCT_EXE_NAME))
            StartProgramFile(program, NULL, g_installFolder, SW_SHOWNORMAL, 1);
        return;
    }
    ShowMessage(MSG_INSTALLED_SUCCESS, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    ChooseDefaultOptions();
    if (!AskInstallOptions())
        return 0;

    CloseRunningProduct();
    RegisterInstallation();

    char folder[MAX_PATH];
    const char *source = FindSourceFolder(folder, sizeof(folder)) ? folder : NULL;
    DeletePreCopyFiles();
    // uninstall.exe comes first, and the entry in the list of installed
    // software once it is copied: the list never names a missing
    // uninstaller, and from then on an installation ended halfway can be
    // removed.
    if (CopyUninstaller(source))
        WriteUninstallEntry();
    CopyDistribution(source);
    DeleteOldShortcuts();

    OleInitialize(NULL);
    if (g_createShortcut)
        CreateProductShortcut(SHELL_FOLDER_START_MENU, "", 0, "");
    FinishInstallation();
    OleUninitialize();
    return 1;
}
