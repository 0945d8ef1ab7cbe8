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
// The options dialog, proposing the folder given (empty: the stored or the
// default one); 0 after Cancel.
int AskInstallOptions(const char *proposed = "");
// For a run without a window: the folder given, else the stored or the
// default one, taken as the dialog's OK takes typed text. Returns what
// AcceptInstallFolder did with it, after showing its box.
int TakeInstallFolder(const char *given);
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
// Shows the box for a folder that was not taken; returns choice.
int ReportFolderChoice(int choice);

// options_dialog.cpp
INT_PTR CALLBACK InstallOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// hotkey_dialog.cpp
INT_PTR CALLBACK HotkeyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// registration.cpp
// InstallPath and the settings document type; 1 when every value was written.
int RegisterInstallation(void);
// The entry in the list of installed software, whole or not at all, for
// the distribution in source (NULL: none); 1 when it was written.
int WriteUninstallEntry(const char *source);

// deployment.cpp: the folder setup runs from (ending in a backslash), then
// the three steps of the copy in their order. Each copy step returns the
// number of files it copied.
int FindSourceFolder(char *folder, size_t cap);
void DeletePreCopyFiles(void);
int CopyUninstaller(const char *source);   // 1 when uninstall.exe was copied
int CopyDistribution(const char *source);  // 1 when every other file was
// What the distribution in source (NULL: none) puts into the install
// folder, in KiB rounded up.
DWORD MeasureDistribution(const char *source);
// The product version of the distribution's Chronex.exe, from its version
// block; without one, this program's own.
void ReadDistributionVersion(const char *source, char *version, size_t cap);

// shortcuts.cpp
// The product's shortcuts from the user's folders and, with allUsers, from
// those of all users.
void DeleteOldShortcuts(int allUsers);
// The shortcut in the folder that the user's "Shell Folders" value names;
// 1 when it was saved.
int CreateProductShortcut(const char *shellFolderValue, const char *arguments, int hotkey,
                          const char *shortcutName);
// The Start-menu shortcut of all users; 1 when it was saved.
int CreateCommonShortcut(void);
HRESULT CreateShellLink(const char *shortcutPath, const char *targetPath, const char *arguments,
                        const char *workingDirectory, WORD hotkey);
