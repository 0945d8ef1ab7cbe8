// The installer's main routine: the options dialog (or, unattended, the
// command line's choices), then the stages of the installation in their
// fixed order, then the start of the application.
#include <windows.h>
#include <ole2.h>

#include "command_line.h"
#include "message_box.h"
#include "paths.h"
#include "product.h"
#include "product_window.h"
#include "program_start.h"
#include "run_log.h"
#include "setup.h"
#include "single_run.h"

// The log's names of the stages.
#define STAGE_CLOSE         "Closing the running application"
#define STAGE_REGISTER      "Registering the installation"
#define STAGE_UNINSTALLER   "Copying " UNINSTALL_EXE_NAME
#define STAGE_ENTRY         "Writing the uninstall entry"
#define STAGE_COPY          "Copying the distribution"
#define STAGE_SHORTCUT      "Creating the Start-menu shortcut"
#define MSG_UNKNOWN_SWITCH  "Unknown argument on the command line."
#define MSG_ALREADY_RUNNING "Another setup or uninstaller of " PRODUCT_DISPLAY_NAME " is running."

// A copy over an application that is still ending fails: it has this long
// to close its window.
#define CLOSE_WAIT_STEPS    50
#define CLOSE_WAIT_STEP_MS  100

static int g_stageFailed;

static void Stage(const char *name, int ok)
{
    if (!LogStage(name, ok))
        g_stageFailed = 1;
}

// 1 when no product window is left.
static int WaitForProductToClose(void)
{
    for (int step = 0;; ++step) {
        if (!FindWindowA(PRODUCT_WINDOW_CLASS, NULL))
            return 1;
        if (step == CLOSE_WAIT_STEPS)
            return 0;
        Sleep(CLOSE_WAIT_STEP_MS);
    }
}

// allUsers: the shortcuts of every user's folders, for a run that no user
// of its own sees.
static void Install(int allUsers)
{
    CloseRunningProduct();
    // An application that stays is no failure of setup's: the copy says
    // which files it could not replace.
    LogStage(STAGE_CLOSE, WaitForProductToClose());
    Stage(STAGE_REGISTER, RegisterInstallation());

    char folder[MAX_PATH];
    const char *source = FindSourceFolder(folder, sizeof(folder)) ? folder : NULL;
    DeletePreCopyFiles();
    // uninstall.exe comes first, and the entry in the list of installed
    // software once it is copied: the list never names a missing
    // uninstaller, and from then on an installation ended halfway can be
    // removed.
    int uninstaller = CopyUninstaller(source);
    Stage(STAGE_UNINSTALLER, uninstaller);
    Stage(STAGE_ENTRY, uninstaller && WriteUninstallEntry(source));
    Stage(STAGE_COPY, CopyDistribution(source));
    DeleteOldShortcuts(allUsers);
}

// The application runs with the user's own rights where it can: setup's
// are an administrator's, and a DLL beside the application would get them.
static void FinishInstallation(void)
{
    if (g_startApplication) {
        char program[MAX_PATH] = "";
        if (ComposePath(program, sizeof(program), g_installFolder, PRODUCT_EXE_NAME))
            StartProgramFile(program, NULL, g_installFolder, SW_SHOWNORMAL, 1, NULL);
        return;
    }
    ShowMessage(MSG_INSTALLED_SUCCESS, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

// Nobody watches: no window of any kind, the application is not started,
// and the exit code says what happened.
static int InstallUnattended(const CommandLine *switches, int onlyRun)
{
    ShowNoMessages();
    if (switches->unknown) {
        LogText(MSG_UNKNOWN_SWITCH);
        return EXIT_BAD_ARGUMENT;
    }
    if (!onlyRun) {
        LogText(MSG_ALREADY_RUNNING);
        return EXIT_ALREADY_RUNNING;
    }
    g_createShortcut = !switches->noShortcut;
    g_startApplication = 0;
    switch (TakeInstallFolder(switches->folder)) {
    case INSTALL_FOLDER_REFUSED:
        return EXIT_BAD_ARGUMENT;
    case INSTALL_FOLDER_NOT_MADE:
        return EXIT_FAILED;
    }
    Install(1);
    OleInitialize(NULL);
    if (g_createShortcut)
        Stage(STAGE_SHORTCUT, CreateCommonShortcut());
    OleUninitialize();
    return g_stageFailed || MessageWithheld() ? EXIT_FAILED : EXIT_DONE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    const CommandLine &switches = g_switches;
    OpenRunLog(switches.log, SETUP_EXE_NAME);
    int onlyRun = MarkProductRun();
    ChooseDefaultOptions();
    if (switches.silent)
        return InstallUnattended(&switches, onlyRun);

    if (!AskInstallOptions(switches.folder))
        return EXIT_CANCELLED;
    Install(0);
    OleInitialize(NULL);
    if (g_createShortcut)
        Stage(STAGE_SHORTCUT, CreateProductShortcut(SHELL_FOLDER_START_MENU, "", 0, ""));
    FinishInstallation();
    OleUninitialize();
    return EXIT_INTERACTIVE;
}
