// Keeps the programs' own folder and the current folder out of the DLL
// search. The programs import only DLLs that Windows loads from the system
// folder whatever the search order (kernel32, user32, gdi32, advapi32,
// shell32, ole32, msvcrt); everything else comes later, by name, from
// inside those: the theme engine for a message box, the common controls
// for a dialog. Where Windows has SetDefaultDllDirectories, the search for
// those is cut to the system folder; where it has not, loading them first
// by full path makes every later load by name find the loaded module.
#include "dll_search.h"

#include "system_folder.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

typedef BOOL(WINAPI *SetDefaultDllDirectoriesProc)(DWORD);
typedef BOOL(WINAPI *SetDllDirectoryProc)(LPCSTR);

// Loaded by name from inside system DLLs, and not among the DLLs that
// Windows always takes from the system folder: first the ones that only
// the first window loads (the theme engine alone costs a run without
// windows a sixth of its time under Wine), then the others.
#define WINDOW_LIBRARY_COUNT 3
static const char *const kPreloadedLibraries[] = {
    "uxtheme.dll", "msimg32.dll", "dwmapi.dll", "version.dll", "userenv.dll", "cryptbase.dll",
};

// A DLL of the system folder, by its full path; its own imports are then
// looked for in the system folder first as well.
static HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH];
    if (!ComposeSystemPath(path, sizeof(path), name))
        return NULL;
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictDllSearch(int windows)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    SetDefaultDllDirectoriesProc setDefault =
        (SetDefaultDllDirectoriesProc)(void *)GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // At least the current folder goes out of the search; the program's
        // own folder stays in it, and every library is loaded in advance.
        SetDllDirectoryProc setDirectory =
            (SetDllDirectoryProc)(void *)GetProcAddress(kernel, "SetDllDirectoryA");
        if (setDirectory)
            setDirectory("");
        windows = 1;
    }
    for (size_t i = windows ? 0 : WINDOW_LIBRARY_COUNT;
         i < sizeof(kPreloadedLibraries) / sizeof(kPreloadedLibraries[0]); ++i)
        LoadSystemLibrary(kPreloadedLibraries[i]);
}
