// A program built like the shipped ones, with their lean entry point: it
// writes what WinMain received into a file beside itself and returns 42.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    char path[MAX_PATH + 8] = "";
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    lstrcatA(path, ".txt");
    char text[1200];
    if (lstrlenA(commandLine) > 1000)
        return 2;
    wsprintfA(text, "instance %d\r\nprevious %d\r\nshow %d\r\nline [%s]",
              instance == GetModuleHandleA(NULL) ? 1 : 0, previous == NULL ? 0 : 1, showCommand,
              commandLine);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(file, text, (DWORD)lstrlenA(text), &written, NULL);
    CloseHandle(file);
    return 42;
}
