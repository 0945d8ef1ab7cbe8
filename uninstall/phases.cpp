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

// The removal phase's arguments for a run without a window: the switch,
// /S, and the log in quotes.
#define REMOVAL_ARGUMENTS_CAPACITY (SWITCH_VALUE_CAPACITY + 32)

static int ComposeUnattendedArguments(char *arguments, size_t cap, const char *log)
{
    if (!CopyText(arguments, cap, REMOVAL_PHASE_SWITCH " " SWITCH_SILENT))
        return 0;
    return !log[0] || (AppendText(arguments, cap, " \"" SWITCH_LOG) &&
                       AppendText(arguments, cap, log) && AppendText(arguments, cap, "\""));
}

// The removal phase's exit code, which it writes to its standard output
// once everything but its own uninstall.exe is gone; a copy that ended
// without writing it failed.
static int WaitForRemoval(HANDLE report)
{
    DWORD code = 0;
    DWORD read = 0;
    int have = ReadFile(report, &code, sizeof(code), &read, NULL) && read == sizeof(code);
    CloseHandle(report);
    return have ? (int)code : EXIT_FAILED;
}

// A pipe for the copy's standard input that holds an inheritable handle of
// this process: the copy waits for this process to end before it deletes
// the uninstall.exe this process runs from. Without the handle (the pipe
// is then empty) or the pipe (NULL), the copy's retries are the only wait.
static HANDLE OfferOwnProcess(SECURITY_ATTRIBUTES *inherited)
{
    HANDLE read, write;
    if (!CreatePipe(&read, &write, inherited, 0))
        return NULL;
    HANDLE self = GetCurrentProcess();
    HANDLE own;
    DWORD written;
    if (DuplicateHandle(self, self, self, &own, SYNCHRONIZE, TRUE, 0))
        WriteFile(write, &own, sizeof(own), &written, NULL);
    CloseHandle(write);
    return read;
}

// Unattended, the copy is started with a pipe for its result as its
// standard output, and this process returns only with that result.
static int StartRemoval(const CommandLine *switches, HANDLE *report)
{
    *report = NULL;
    if (!switches->silent)
        return StartTemporaryCopy();
    char arguments[REMOVAL_ARGUMENTS_CAPACITY];
    // Set field by field: an initialiser list would be a template in .data.
    SECURITY_ATTRIBUTES inherited;
    inherited.nLength = sizeof(inherited);
    inherited.lpSecurityDescriptor = NULL;
    inherited.bInheritHandle = TRUE;
    HANDLE standard[2];
    if (!ComposeUnattendedArguments(arguments, sizeof(arguments), switches->log) ||
        !CreatePipe(report, &standard[1], &inherited, 0)) {
        ShowMessage(MSG_CANNOT_START_IN_TEMP, MB_ICONERROR);
        return 0;
    }
    SetHandleInformation(*report, HANDLE_FLAG_INHERIT, 0);
    standard[0] = OfferOwnProcess(&inherited);
    int started = StartTemporaryCopy(arguments, standard);
    // From now on only the copy holds the writing end: its end ends the read.
    CloseHandle(standard[1]);
    CloseHandle(standard[0]);
    if (!started)
        CloseHandle(*report);
    return started;
}

int RunConfirmationPhase(const CommandLine *switches)
{
    if (!switches->silent) {
        char text[CONFIRM_TEXT_CAPACITY] = "";
        CopyText(text, sizeof(text), MSG_CONFIRM_PREFIX);
        AppendText(text, sizeof(text), PRODUCT_DISPLAY_NAME);
        AppendText(text, sizeof(text), MSG_CONFIRM_SUFFIX);
        if (ShowMessage(text, MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
            return EXIT_INTERACTIVE;
    }
    CloseRunningProduct();
    // Until the copy runs, the software list must still be able to start
    // the uninstallation again.
    HANDLE report;
    if (!StartRemoval(switches, &report))
        return switches->silent ? EXIT_FAILED : EXIT_INTERACTIVE;
    DeleteSubkey(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, UNINSTALL_ENTRY_NAME);
    return switches->silent ? WaitForRemoval(report) : EXIT_INTERACTIVE;
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

int StartTemporaryCopy(const char *arguments, const HANDLE *standard)
{
    char ownPath[MAX_PATH];
    char copyPath[MAX_PATH];
    char startFolder[MAX_PATH];

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

    // Standard handles that a caller gave this program (a deployment
    // tool's pipe) would stay open in the copy: the caller would then wait
    // for the copy as well. Only the ones given are handed on.
    for (DWORD which = STD_INPUT_HANDLE; which >= STD_ERROR_HANDLE; --which)
        if (!standard || GetStdHandle(which) != standard[1])
            SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    // The copy needs this program's rights: it removes what an
    // administrator installed.
    int started = ReadTemporaryFolder(startFolder, sizeof(startFolder)) &&
                  StartProgramFile(copyPath, arguments, startFolder, SW_MINIMIZE, 0, standard);
    CloseHandle(copy);
    if (started)
        return 1;
    ShowMessage(MSG_CANNOT_START_IN_TEMP, MB_ICONERROR);
    return 0;
}

// Tells the process that started this one how the removal went, through
// the pipe it gave as standard output, and waits for it to end: the pipe
// it gave as standard input holds a handle of it.
static void ReportRemoval(int code)
{
    HANDLE report = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!report || GetFileType(report) != FILE_TYPE_PIPE)
        return;
    DWORD written = 0;
    WriteFile(report, &code, sizeof(code), &written, NULL);
    CloseHandle(report);
    SetStdHandle(STD_OUTPUT_HANDLE, NULL);
    // Only what the pipe already holds is read: nothing else may keep this
    // process waiting.
    HANDLE given = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE starter;
    DWORD held;
    if (PeekNamedPipe(given, NULL, 0, NULL, &held, NULL) && held >= sizeof(starter) &&
        ReadFile(given, &starter, sizeof(starter), &written, NULL) && written == sizeof(starter))
        WaitForSingleObject(starter, STARTER_END_WAIT_MS);
}

int RunRemovalPhase(const CommandLine *switches)
{
    char installFolder[MAX_PATH];
    int result = EXIT_DONE;
    // The registry cleanup deletes InstallPath, so it is read first.
    if (!QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, installFolder,
                            sizeof(installFolder))) {
        installFolder[0] = '\0';
        ShowMessage(MSG_NO_INSTALL_PATH, MB_OK);
        result = EXIT_NOT_INSTALLED;
    }
    RemoveShortcuts();
    int haveFolder = lstrlenA(installFolder) > 1;
    int deferred = haveFolder && RemoveProductFiles(installFolder);
    if (deferred)
        result = EXIT_RESTART_NEEDED;
    // Unattended, the caller waits: it gets its answer once everything but
    // the uninstall.exe it runs from is gone, and that goes once it ends.
    // Otherwise InstallPath goes after the files, so that a removal ended
    // halfway is finished by running any uninstall.exe again.
    if (switches->silent) {
        RemoveRegistryEntries();
        ReportRemoval(result);
    }
    if (haveFolder)
        RemoveInstallFolder(installFolder, deferred);
    if (!switches->silent)
        RemoveRegistryEntries();
    StartCleanupScript();
    return switches->silent ? result : EXIT_INTERACTIVE;
}
