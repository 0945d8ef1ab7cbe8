// Starting programs, waiting for their windows and their exit codes.
#include "process.h"

#include <tlhelp32.h>

#include "files.h"

// Keeps the process of a start that succeeded; its thread is not needed.
static bool TakeStarted(BOOL started, const PROCESS_INFORMATION &info, Program *program)
{
    if (!started)
        return false;
    CloseHandle(info.hThread);
    program->process = info.hProcess;
    program->id = info.dwProcessId;
    return true;
}

bool StartProgram(const std::string &commandLine, const std::string &folder, Program *program)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    return TakeStarted(CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL,
                                      folder.empty() ? NULL : folder.c_str(), &startup, &info),
                       info, program);
}

bool StartProgram(const std::wstring &commandLine, const std::string &folder, Program *program)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::wstring line = commandLine;
    std::wstring wideFolder(folder.begin(), folder.end());
    return TakeStarted(CreateProcessW(NULL, &line[0], NULL, NULL, FALSE, 0, NULL,
                                      folder.empty() ? NULL : wideFolder.c_str(), &startup, &info),
                       info, program);
}

namespace {
struct WindowSearch {
    DWORD processId;
    const char *windowClass;
    const char *title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    WindowSearch *search = (WindowSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->processId && pid != search->processId)
        return TRUE;
    if (!IsWindowVisible(window))
        return TRUE;
    char text[512] = "";
    if (search->windowClass) {
        GetClassNameA(window, text, sizeof(text));
        if (lstrcmpA(text, search->windowClass) != 0)
            return TRUE;
    }
    if (search->title) {
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_ABORTIFHUNG,
                            1000, NULL);
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}
}  // namespace

HWND WaitForWindow(DWORD processId, const char *windowClass, const char *title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        WindowSearch search = {processId, windowClass, title, NULL};
        EnumWindows(MatchWindow, (LPARAM)&search);
        if (search.found)
            return search.found;
        if (GetTickCount() - start > timeoutMs)
            return NULL;
        Sleep(20);
    }
}

DWORD WaitForExit(const Program &program, DWORD timeoutMs)
{
    if (WaitForSingleObject(program.process, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program.process, &code);
    return code;
}

void EndProgram(Program *program)
{
    if (!program->process)
        return;
    if (WaitForSingleObject(program->process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program->process, 255);
        WaitForSingleObject(program->process, 5000);
    }
    CloseHandle(program->process);
    program->process = NULL;
}

int CountRunning(const std::vector<std::string> &names)
{
    HANDLE snapshot = names.empty() ? INVALID_HANDLE_VALUE : CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        for (const std::string &name : names)
            count += lstrcmpiA(entry.szExeFile, name.c_str()) == 0;
    CloseHandle(snapshot);
    return count;
}

bool RunHostProgram(const std::string &commandLine, const std::string &until, DWORD timeoutMs,
                    std::string *output)
{
    char folder[MAX_PATH] = "", path[MAX_PATH] = "";
    GetTempPathA(sizeof(folder), folder);
    GetTempFileNameA(folder, "out", 0, path);
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), NULL, TRUE};
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              CREATE_ALWAYS, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = file;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    std::string line = "Z:" + commandLine;  // Wine's drive Z: is the host's root
    bool started = file != INVALID_HANDLE_VALUE &&
                   CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &info);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    DWORD start = GetTickCount();
    bool found = false;
    while (started && !found && GetTickCount() - start < timeoutMs) {
        Sleep(10);
        *output = ReadFileText(path);
        found = output->find(until) != std::string::npos;
    }
    DeleteFileA(path);
    return found;
}

std::string TestProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    return path;
}

std::string TestProgramFolder()
{
    std::string folder = TestProgramPath();
    return folder.substr(0, folder.rfind('\\') + 1);
}

bool RunningUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}
