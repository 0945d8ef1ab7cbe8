// The batch script that deletes the temporary copy once it has exited, and
// then itself. It is written beside the copy in the temporary folder.
#include "uninstall.h"

#include <shellapi.h>

#include "cleanup_script_text.h"
#include "paths.h"

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

void StartCleanupScript(void)
{
    char tempFolder[MAX_PATH];
    if (!ReadTemporaryFolder(tempFolder) || !AppendBackslash(tempFolder, sizeof(tempFolder)))
        return;

    // del cannot remove a read-only copy, and the script would loop forever.
    char copyPath[MAX_PATH];
    if (CopyText(copyPath, sizeof(copyPath), tempFolder) &&
        AppendText(copyPath, sizeof(copyPath), UNINSTALL_EXE_NAME))
        SetFileAttributesA(copyPath, FILE_ATTRIBUTE_NORMAL);

    DeleteLeftoverScripts(tempFolder);
    char scriptPath[MAX_PATH];
    ZeroMemory(scriptPath, sizeof(scriptPath));
    HANDLE file = CreateScriptFile(tempFolder, scriptPath);
    if (file == INVALID_HANDLE_VALUE)
        return;

    char content[CLEANUP_SCRIPT_CAPACITY];
    ZeroMemory(content, sizeof(content));
    int composed = ComposeCleanupScript(content, sizeof(content), tempFolder, scriptPath);
    DWORD written = 0;
    if (composed)
        WriteFile(file, content, (DWORD)lstrlenA(content), &written, NULL);
    CloseHandle(file);
    if (!composed) {
        DeleteFileA(scriptPath);
        return;
    }

    char startFolder[MAX_PATH];
    if (!ReadTemporaryFolder(startFolder))
        return;
    ShellExecuteA(NULL, NULL, scriptPath, NULL, startFolder, SW_HIDE);
}
