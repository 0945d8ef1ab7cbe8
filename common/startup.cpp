// The shipped programs' entry point, in place of the C runtime's start-up
// code, which is about a third of each program and does nothing that they
// need: no global constructors, no stdio, no atexit handlers. It calls
// WinMain as the runtime would and makes its result the exit code. Before
// anything that loads a DLL it takes the programs' own folder out of the
// DLL search.
#include <windows.h>

#include "command_line.h"
#include "dll_search.h"

// Longer command lines are taken as GetCommandLineA gives them.
#define COMMAND_LINE_CAPACITY 8192

// The command line in the ANSI code page without best fit: a letter that
// the code page lacks becomes "?", which no file name holds, and not the
// look-alike of GetCommandLineA's form (an L for a Polish barred L), which
// names another folder.
static char g_commandLine[COMMAND_LINE_CAPACITY];

CommandLine g_switches;

extern "C" __attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup(void)
{
    // The command line after the program name, quoted or not, and the
    // blanks after it.
    unsigned char *line = (unsigned char *)GetCommandLineA();
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, GetCommandLineW(), -1, g_commandLine,
                            sizeof(g_commandLine), NULL, NULL))
        line = (unsigned char *)g_commandLine;
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

    // Unattended runs show no box and no dialog: where the DLL search
    // keeps to the system folder, the libraries of windows are not loaded
    // in advance then.
    ReadCommandLine((const char *)line, &g_switches);
    RestrictDllSearch(!g_switches.silent);

    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;

    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, (char *)line, show));
}
