// The installer's shared state and its stages. The state lives for the whole
// run; each stage reads or sets the parts named beside it.
#pragma once

#include <windows.h>

extern HINSTANCE g_instance;          // set first thing by WinMain
extern char g_installFolder[MAX_PATH];  // default, then the user's choice on OK
extern int g_createShortcut;          // checkbox IDC_CREATE_SHORTCUT on OK
extern int g_startApplication;        // checkbox IDC_START_APP on OK
extern HWND g_hotkeyDialog;           // the open hotkey dialog, or NULL
extern HWND g_hotkeyControl;          // its hotkey control, or NULL
extern HFONT g_hotkeyFont;            // the control's font, or NULL

// install_options.cpp
int AskInstallOptions(void);
void ComposeDefaultInstallFolder(void);

// options_dialog.cpp
INT_PTR CALLBACK InstallOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// hotkey_dialog.cpp
INT_PTR CALLBACK HotkeyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// registration.cpp
void RegisterInstallation(void);  // InstallPath and the settings document type
void WriteUninstallEntry(void);   // the entry in the list of installed software

// deployment.cpp
void DeployFiles(void);

// shortcuts.cpp
void DeleteOldShortcuts(void);
void CreateProductShortcut(const char *shellFolderValue, const char *arguments, int hotkey,
                           const char *shortcutName);
HRESULT CreateShellLink(const char *shortcutPath, const char *targetPath, const char *arguments,
                        const char *workingDirectory, WORD hotkey);
