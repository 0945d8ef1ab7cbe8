// The uninstaller's phases and stages, and the texts it shows.
#pragma once

#include <windows.h>

#include "command_line.h"
#include "product.h"

#define MSG_CONFIRM_PREFIX       "This will uninstall "
#define MSG_CONFIRM_SUFFIX       "."
#define MSG_CANNOT_COPY_TO_TEMP  "Cannot copy " UNINSTALL_EXE_NAME " to TEMP."
#define MSG_CANNOT_START_IN_TEMP "Cannot start " UNINSTALL_EXE_NAME " in TEMP."
#define MSG_NO_INSTALL_PATH      "Cannot find install path to remove files."

// The cleanup script's interpreter, in the system folder, and its switches
// before the quoted script path: no AutoRun commands, the line as it is.
#define COMMAND_INTERPRETER_NAME     "cmd.exe"
#define COMMAND_INTERPRETER_SWITCHES "/d /s /c "

// The confirmation text is composed in a buffer of this size.
#define CONFIRM_TEXT_CAPACITY  300

// The install folder's uninstall.exe may still be running the confirmation
// phase: this many deletion attempts, this many milliseconds apart.
#define UNINSTALLER_DELETE_ATTEMPTS 51
#define UNINSTALLER_RETRY_PAUSE_MS  100
// Unattended, the removal phase first waits this long for the process
// that started it to end.
#define STARTER_END_WAIT_MS         5000

// phases.cpp: each phase returns the process's exit code.
int RunConfirmationPhase(const CommandLine *switches);
// Copies this program into the temporary folder and starts the copy with
// arguments; standard (NULL: none) holds its standard input and output.
// 1 when it was started; a failure has been reported.
int StartTemporaryCopy(const char *arguments = REMOVAL_PHASE_SWITCH, const HANDLE *standard = NULL);
int RunRemovalPhase(const CommandLine *switches);

// shortcut_cleanup.cpp
void RemoveShortcuts(void);

// registry_cleanup.cpp
void RemoveRegistryEntries(void);
void DeleteKeyTree(HKEY root, const char *path);
// Deletes the subkey name (which must have no subkeys) under root\path.
void DeleteSubkey(HKEY root, const char *path, const char *name);

// file_removal.cpp: each returns 1 when a name stays until the next restart.
// The listed files and the images folder.
int RemoveProductFiles(const char *installFolder);
// Then uninstall.exe, the install folder and the company folder above it;
// deferred: what RemoveProductFiles returned, for the folders.
int RemoveInstallFolder(const char *installFolder, int deferred);
// Both, one after the other.
int RemoveInstalledFiles(const char *installFolder);

// cleanup_script.cpp
void StartCleanupScript(void);

// The cleanup script's bytes for scriptPath in tempFolder (both in the ANSI
// code page, the folder with its trailing backslash), in a buffer of
// CLEANUP_SCRIPT_CAPACITY characters: the paths as the command interpreter
// reads them, in the OEM code page. 0 when they cannot be named there.
int ComposeScriptFor(char *content, const char *tempFolder, const char *scriptPath);

// leftover_scripts.cpp
// Deletes the cleanup scripts that earlier removals left in tempFolder
// (which ends in a backslash), and nothing else.
void DeleteLeftoverScripts(const char *tempFolder);
