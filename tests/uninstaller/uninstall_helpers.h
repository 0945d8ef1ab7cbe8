// What the uninstaller's program tests share: the product's traces on the
// machine (made by hand or by setup.exe), a snapshot to compare them, a
// product window of the test's own, and a redirected temporary folder.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// A special shell folder with a trailing backslash.
std::string SpecialFolderPath(int csidl);

// Both product shortcut names in the four folders the uninstaller cleans.
void PlaceShortcuts();
// The number of product shortcut files left in those folders.
int CountShortcuts();

// Removes every trace of the product from the registry and the shortcut
// folders (the settings document type too).
void CleanProductState();

// An installation made by hand in folder: some listed files, images, the
// real uninstall.exe, InstallPath, the uninstall entry (quoted command),
// a per-user settings key with a subkey, shortcuts.
void InstallByHand(const std::string &folder);

// Registry keys (with every value and subkey) and folder listings that an
// installation touches, by name. installRoot is listed recursively.
std::map<std::string, std::string> MachineSnapshot(const std::string &installRoot);

// The temporary folder as GetTempPathA gives it.
std::string TemporaryFolder();

// Points TMP at another folder (created when it is a plain path) while it
// lives; programs started meanwhile inherit it.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::string &folder);
    ~TemporaryFolderOverride();

private:
    bool had_;
    std::string old_;
};

// A hidden window of the product's class in the test thread. WM_CLOSE is
// only counted; call Closes() after the programs have ended.
class ProductWindow {
public:
    ProductWindow();
    ~ProductWindow();
    int Closes();

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
};
