// The installer's shared state and its stages. The state lives for the whole
// run; each stage reads or sets the parts named beside it.
#pragma once

#include <windows.h>

extern HINSTANCE g_instance;          // set first thing by WinMain
extern char g_installFolder[MAX_PATH];  // default, then the user's choice on OK
extern int g_createShortcut;          // the default, then checkbox IDC_CREATE_SHORTCUT on OK
extern int g_startApplication;        // the default, then checkbox IDC_START_APP on OK
extern HWND g_hotkeyDialog;           // the open hotkey dialog, or NULL
extern HWND g_hotkeyControl;          // its hotkey control, or NULL
extern HFONT g_hotkeyFont;            // the control's font, or NULL

// install_options.cpp
void ChooseDefaultOptions(void);
int AskInstallOptions(void);
void ComposeDefaultInstallFolder(void);

// install_folder.cpp
// What AcceptInstallFolder made of the text it was given.
enum InstallFolderChoice {
    INSTALL_FOLDER_READY,     // the install folder exists
    INSTALL_FOLDER_REFUSED,   // the text names no folder
    INSTALL_FOLDER_NOT_MADE,  // a level could not be created
};
// Takes text (one trailing backslash removed) as the install folder and
// creates its missing levels; g_installFolder holds it whatever the result.
int AcceptInstallFolder(const char *text);

// options_dialog.cpp
INT_PTR CALLBACK InstallOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// hotkey_dialog.cpp
INT_PTR CALLBACK HotkeyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// registration.cpp
void RegisterInstallation(void);  // InstallPath and the settings document type
// The entry in the list of installed software, whole or not at all; 1 when
// it was written.
int WriteUninstallEntry(void);

// deployment.cpp: the folder setup runs from (ending in a backslash), then
// the three steps of the copy in their order. Each copy step returns the
// number of files it copied.
int FindSourceFolder(char *folder, size_t cap);
void DeletePreCopyFiles(void);
int CopyUninstaller(const char *source);
int CopyDistribution(const char *source);

// shortcuts.cpp
void DeleteOldShortcuts(void);
void CreateProductShortcut(const char *shellFolderValue, const char *arguments, int hotkey,
                           const char *shortcutName);
HRESULT CreateShellLink(const char *shortcutPath, const char *targetPath, const char *arguments,
                        const char *workingDirectory, WORD hotkey);
