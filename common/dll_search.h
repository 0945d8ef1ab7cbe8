// Where the programs take their DLLs from. Both run with administrator
// rights from folders that other programs of the user can write to (a
// download folder, the temporary folder), so a DLL beside them must never
// be loaded in place of the system's.
#pragma once

#include <windows.h>

// Limits the DLL search to the system folder and loads, by full path, the
// system DLLs that the shell and the window manager load by name later on;
// without windows (a run that shows no box and no dialog) and where the
// search is cut to the system folder, not those that only windows need.
// Called before anything that could load a DLL.
void RestrictDllSearch(int windows);
