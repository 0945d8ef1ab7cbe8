// The shipped programs' entry point, in place of the C runtime's start-up
// code, which is about a third of each program and does nothing that they
// need: no global constructors, no stdio, no atexit handlers. It calls
// WinMain as the runtime would and makes its result the exit code. Before
// anything else it takes the programs' own folder out of the DLL search.
#include <windows.h>

#include "dll_search.h"

extern "C" __attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup(void)
{
    RestrictDllSearch();

    // The command line after the program name, quoted or not, and the
    // blanks after it.
    unsigned char *line = (unsigned char *)GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line > ' ')
            ++line;
    }
    while (*line && *line <= ' ')
        ++line;

    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;

    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, (char *)line, show));
}
