// What another program of the user plants beside setup.exe and the
// uninstaller: a DLL under a system DLL's name, or a program in place of
// the uninstaller's temporary copy. Loaded or run, it appends the path of
// the program it runs in to C:\tests\planted.txt.
#include <windows.h>

static void Mark(void)
{
    char line[MAX_PATH + 2];
    DWORD length = GetModuleFileNameA(NULL, line, MAX_PATH);
    line[length++] = '\r';
    line[length++] = '\n';
    HANDLE file = CreateFileA("C:\\tests\\planted.txt", FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(file, line, length, &written, NULL);
    CloseHandle(file);
}

#ifdef PLANTED_DLL
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        Mark();
    return TRUE;
}
#else
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Mark();
    return 0;
}
#endif
