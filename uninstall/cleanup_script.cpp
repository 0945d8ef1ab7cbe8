// The batch script that deletes the temporary copy once it has exited, and
// then itself. It is written beside the copy in the temporary folder.
#include "uninstall.h"

#include "cleanup_script_text.h"
#include "path_code_pages.h"
#include "paths.h"
#include "program_start.h"
#include "system_folder.h"
#include "temporary_folder.h"

// Creates the first free "delme<N>.bat"; the handle, or INVALID_HANDLE_VALUE
// when every name is taken or does not fit.
static HANDLE CreateScriptFile(const char *tempFolder, char *scriptPath)
{
    for (int number = 1; number <= CLEANUP_SCRIPT_MAX_NUMBER; ++number) {
        if (!ComposeCleanupScriptPath(scriptPath, MAX_PATH, tempFolder, number))
            continue;
        HANDLE file = CreateFileA(scriptPath, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                  FILE_FLAG_SEQUENTIAL_SCAN, NULL);
        if (file != INVALID_HANDLE_VALUE)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

int ComposeScriptFor(char *content, const char *tempFolder, const char *scriptPath)
{
    char folder[MAX_PATH];
    char script[MAX_PATH];
    return AnsiPathInCodePage(CP_OEMCP, tempFolder, folder, sizeof(folder)) &&
           AnsiPathInCodePage(CP_OEMCP, scriptPath, script, sizeof(script)) &&
           ComposeCleanupScript(content, CLEANUP_SCRIPT_CAPACITY, folder, script);
}

// The command interpreter of the system folder runs the script, not whatever
// the user's registry names for batch files; /d keeps the user's AutoRun
// commands out. Any program of the user can rewrite the script while it
// runs, so it gets the user's rights, not the uninstaller's, where it can.
static void StartScript(const char *scriptPath, const char *startFolder)
{
    // The interpreter expands %...% in its command line as well, where no
    // quoting or doubling keeps a % as it is: such a script is named from
    // the start folder, the folder it lies in.
    char relative[MAX_PATH];
    if (FindText(scriptPath, "%") &&
        ComposePath(relative, sizeof(relative), ".", scriptPath + FindNameStart(scriptPath, GetACP())))
        scriptPath = relative;
    char interpreter[MAX_PATH];
    char arguments[MAX_PATH + 16];
    if (!ComposeSystemPath(interpreter, sizeof(interpreter), COMMAND_INTERPRETER_NAME) ||
        !CopyText(arguments, sizeof(arguments), COMMAND_INTERPRETER_SWITCHES "\"\"") ||
        !AppendText(arguments, sizeof(arguments), scriptPath) ||
        !AppendText(arguments, sizeof(arguments), "\"\""))
        return;
    StartProgramFile(interpreter, arguments, startFolder, SW_HIDE, 1, NULL);
}

void StartCleanupScript(void)
{
    char tempFolder[MAX_PATH];
    if (!ReadTemporaryFolder(tempFolder, sizeof(tempFolder)) || !AppendBackslash(tempFolder, sizeof(tempFolder)))
        return;

    // del cannot remove a read-only copy, and the script would loop forever.
    char copyPath[MAX_PATH];
    if (ComposePath(copyPath, sizeof(copyPath), tempFolder, UNINSTALL_EXE_NAME))
        SetFileAttributesA(copyPath, FILE_ATTRIBUTE_NORMAL);

    DeleteLeftoverScripts(tempFolder);
    char scriptPath[MAX_PATH];
    HANDLE file = CreateScriptFile(tempFolder, scriptPath);
    if (file == INVALID_HANDLE_VALUE)
        return;

    char content[CLEANUP_SCRIPT_CAPACITY];
    int composed = ComposeScriptFor(content, tempFolder, scriptPath);
    DWORD written = 0;
    if (composed)
        WriteFile(file, content, (DWORD)lstrlenA(content), &written, NULL);
    CloseHandle(file);
    if (!composed) {
        DeleteFileA(scriptPath);
        return;
    }

    char startFolder[MAX_PATH];
    if (!ReadTemporaryFolder(startFolder, sizeof(startFolder)))
        return;
    StartScript(scriptPath, startFolder);
}
