// The product's traces on the machine as the tests make, find and remove
// them: the special folders, the shortcuts in them, an installation made by
// hand, the clean state every test starts from, and the temporary folder.
//
// Handles: none is kept; a TemporaryFolderOverride owns only the old value
// of TMP, which it puts back when it is destroyed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The four folders that hold product shortcuts.
extern const int kShortcutFolders[4];

// A special shell folder (created when missing) with a trailing backslash;
// empty when the shell does not know it.
std::string SpecialFolder(int csidl);
// A value of the user's Explorer "Shell Folders" key; empty when missing.
std::string ShellFolderValue(const char *name);

// Every path a product shortcut can have: both names in the four folders
// (a folder the shell does not know is left out).
std::vector<std::string> ShortcutPaths();
// Both product shortcut names in the four folders, as plain files.
void PlaceShortcuts();
// The number of product shortcut files in those folders.
int CountShortcuts();

// Removes every trace of the product from the registry (both settings
// keys, made accessible first, the uninstall entry, App Paths, the settings
// document type) and the product shortcuts from the four folders.
void CleanProductState();

// An installation made by hand in folder: some listed files, images, the
// real uninstall.exe, InstallPath, the uninstall entry (quoted command),
// a per-user settings key with a subkey, shortcuts.
void InstallByHand(const std::string &folder);

// The temporary folder as GetTempPathA gives it (trailing backslash).
std::string TemporaryFolder();
// The uninstaller's traces in the temporary folder: its copy and its
// cleanup scripts (delme*.bat), as full paths.
std::vector<std::string> UninstallerLeftovers();

// Points TMP at another folder (created when it is a plain path) while it
// lives; programs started meanwhile inherit it.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::string &folder);
    // A folder named in Unicode, for names the ANSI code page cannot hold.
    explicit TemporaryFolderOverride(const std::wstring &folder);
    ~TemporaryFolderOverride();

private:
    void KeepOldValue();
    bool had_;
    std::string old_;
};
