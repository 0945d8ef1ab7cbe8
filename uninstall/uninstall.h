// The uninstaller's phases and stages.
#pragma once

#include <windows.h>

// phases.cpp
void RunConfirmationPhase(void);
int StartTemporaryCopy(void);
void RunRemovalPhase(void);

// registry_cleanup.cpp
void RemoveShortcuts(void);
void RemoveRegistryEntries(void);
void DeleteKeyTree(HKEY root, const char *path);

// file_removal.cpp
void RemoveInstalledFiles(const char *installFolder);

// cleanup_script.cpp
void StartCleanupScript(void);
