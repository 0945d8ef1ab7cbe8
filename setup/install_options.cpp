// The installer's shared state, with the options' defaults, and the choice
// of the default install folder.
#include <windows.h>

#include "paths.h"
#include "product.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

HINSTANCE g_instance;
char g_installFolder[MAX_PATH];
int g_createShortcut;
int g_startApplication;
HWND g_hotkeyDialog;
HWND g_hotkeyControl;
HFONT g_hotkeyFont;

// The Program Files folder + the display name.
static void ComposeProgramFilesFolder(void)
{
    char value[MAX_PATH];
    const char *programFiles = DEFAULT_PROGRAM_FILES;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, 0,
                           VALUE_PROGRAM_FILES_DIR, value, sizeof(value), NULL) &&
        value[0])
        programFiles = value;
    // The fixed folder when the registry's is too long to take the name.
    if (!ComposePath(g_installFolder, sizeof(g_installFolder), programFiles, PRODUCT_DISPLAY_NAME))
        ComposePath(g_installFolder, sizeof(g_installFolder), DEFAULT_PROGRAM_FILES,
                    PRODUCT_DISPLAY_NAME);
}

// Both options start switched on in every run, whatever an earlier
// installation chose.
void ChooseDefaultOptions(void)
{
    g_createShortcut = 1;
    g_startApplication = 1;
}

void ComposeDefaultInstallFolder(void)
{
    if (!QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, g_installFolder,
                            sizeof(g_installFolder)))
        ComposeProgramFilesFolder();
}

int AskInstallOptions(const char *proposed)
{
    ComposeDefaultInstallFolder();
    if (proposed[0])
        CopyText(g_installFolder, sizeof(g_installFolder), proposed);
    INT_PTR result = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_INSTALL_OPTIONS), NULL,
                                     InstallOptionsDlgProc, 0);
    if (result == IDCANCEL)
        return 0;
    RemoveTrailingBackslash(g_installFolder);
    // OK never leaves the folder empty, but a dialog that could not be shown
    // leaves the stored value as it was, and that may name no folder.
    if (!NamesFolder(g_installFolder))
        ComposeProgramFilesFolder();
    return 1;
}

int TakeInstallFolder(const char *given)
{
    if (given[0]) {
        CopyText(g_installFolder, sizeof(g_installFolder), given);
    } else {
        // A stored value that names no folder is one nobody could have
        // typed: the default takes its place, as when the dialog is missing.
        ComposeDefaultInstallFolder();
        if (!NamesFolder(g_installFolder))
            ComposeProgramFilesFolder();
    }
    // The folder is taken from a copy: taking it rewrites g_installFolder.
    char text[MAX_PATH];
    CopyText(text, sizeof(text), g_installFolder);
    int choice = ReportFolderChoice(AcceptInstallFolder(text));
    RemoveTrailingBackslash(g_installFolder);
    return choice;
}
