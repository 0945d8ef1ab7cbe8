// Starting a program by its file, with the desktop shell's rights where it
// can. Both programs run elevated; what they leave running (the installed
// application, the uninstaller's cleanup script) runs from folders that
// the user's other programs can write to, and so gets no more than the
// user's own rights: the shell's token, duplicated, when the shell belongs
// to the same user (not when an administrator of another account approved
// the elevation), through CreateProcessWithTokenW, which Windows has from
// Vista on. Every handle is closed before the routine returns.
#include "program_start.h"

// A quoted program path, a blank and the arguments: the longest command
// line the programs start (the command interpreter with a script path).
#define COMMAND_LINE_CAPACITY (2 * MAX_PATH + 32)

union TokenUserBuffer {
    TOKEN_USER user;
    BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
};

static int ReadTokenUser(HANDLE token, TokenUserBuffer *buffer)
{
    DWORD size = 0;
    return GetTokenInformation(token, TokenUser, buffer, sizeof(*buffer), &size);
}

static int IsOwnUser(HANDLE token)
{
    HANDLE own = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own))
        return 0;
    TokenUserBuffer ownUser, otherUser;
    int same = ReadTokenUser(own, &ownUser) && ReadTokenUser(token, &otherUser) &&
               EqualSid(ownUser.user.User.Sid, otherUser.user.User.Sid);
    CloseHandle(own);
    return same;
}

// A primary token made from the desktop shell's, or NULL when there is no
// shell or it runs as another user.
static HANDLE OpenShellUserToken(void)
{
    HWND shell = GetShellWindow();
    DWORD processId = 0;
    if (!shell || !GetWindowThreadProcessId(shell, &processId) || !processId)
        return NULL;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process)
        return NULL;
    HANDLE shellToken = NULL;
    HANDLE primary = NULL;
    if (OpenProcessToken(process, TOKEN_QUERY | TOKEN_DUPLICATE, &shellToken)) {
        if (IsOwnUser(shellToken) &&
            !DuplicateTokenEx(shellToken,
                              TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY |
                                  TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID,
                              NULL, SecurityImpersonation, TokenPrimary, &primary))
            primary = NULL;
        CloseHandle(shellToken);
    }
    CloseHandle(process);
    return primary;
}

typedef BOOL(WINAPI *CreateProcessWithTokenProc)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID,
                                                 LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);

int StartProgramFile(const char *program, const char *arguments, const char *folder, WORD show,
                     int asShellUser, const HANDLE *standard)
{
    // The quoted full path leaves the system nothing to look for.
    char text[COMMAND_LINE_CAPACITY];
    if (!arguments)
        arguments = "";
    if (lstrlenA(program) >= MAX_PATH || lstrlenA(arguments) >= COMMAND_LINE_CAPACITY - MAX_PATH - 4)
        return 0;
    wsprintfA(text, arguments[0] ? "\"%s\" %s" : "\"%s\"", program, arguments);
    // The token's start has no ANSI form; one set of wide strings serves
    // both starts.
    WCHAR commandLine[COMMAND_LINE_CAPACITY];
    WCHAR wideFolder[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, commandLine, COMMAND_LINE_CAPACITY) ||
        !MultiByteToWideChar(CP_ACP, 0, folder, -1, wideFolder, MAX_PATH))
        return 0;

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION started;
    // As the shell starts programs: a console program (the command
    // interpreter) gets a console of its own, hidden with the window, and
    // nothing inherits this program's standard handles.
    const DWORD flags = CREATE_NEW_CONSOLE;
    CreateProcessWithTokenProc createWithToken = (CreateProcessWithTokenProc)(void *)GetProcAddress(
        GetModuleHandleA("advapi32.dll"), "CreateProcessWithTokenW");
    HANDLE token = asShellUser && !standard && createWithToken ? OpenShellUserToken() : NULL;
    BOOL ok = token && createWithToken(token, 0, NULL, commandLine, flags, NULL, wideFolder,
                                       &startup, &started);
    if (token)
        CloseHandle(token);
    // With standard handles, every inheritable handle of this program is
    // handed on: the caller makes only those it means to hand on so.
    if (standard) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = standard[0];
        startup.hStdOutput = standard[1];
    }
    if (!ok && !CreateProcessW(NULL, commandLine, NULL, NULL, standard != NULL, flags, NULL,
                               wideFolder, &startup, &started))
        return 0;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 1;
}
