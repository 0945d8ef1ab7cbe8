// Helpers of the uninstaller's program tests.
#include "uninstall_helpers.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "files.h"
#include "process.h"
#include "product.h"
#include "registry.h"

namespace {

const int kShortcutFolders[] = {CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS,
                                CSIDL_DESKTOPDIRECTORY};
const char *const kShortcutNames[] = {PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION,
                                      PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX};

std::string Hex(const std::string &bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

// Every value and subkey below root\path, one line each; "<missing>" when
// the key does not exist.
std::string DumpKey(HKEY root, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    std::string dump;
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name);
        BYTE data[4096];
        DWORD dataSize = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        dump += std::string(name) + "=" + std::to_string(type) + ":" +
                Hex(std::string((char *)data, dataSize)) + "\n";
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string &child : children)
        dump += "[" + child + "]\n" + DumpKey(root, path + "\\" + child);
    return dump;
}

std::string ListTree(const std::string &folder)
{
    std::string listing;
    for (const std::string &name : ListFolder(folder)) {
        std::string path = folder + "\\" + name;
        listing += path + "\n";
        if (FolderExists(path))
            listing += ListTree(path);
    }
    return listing;
}

}  // namespace

std::string SpecialFolderPath(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, csidl, TRUE);
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

void PlaceShortcuts()
{
    for (int csidl : kShortcutFolders)
        for (const char *name : kShortcutNames)
            WriteFileText(SpecialFolderPath(csidl) + name, "shortcut");
}

int CountShortcuts()
{
    int count = 0;
    for (int csidl : kShortcutFolders)
        for (const char *name : kShortcutNames)
            count += FileExists(SpecialFolderPath(csidl) + name);
    return count;
}

void CleanProductState()
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RestoreKey(root, SETTINGS_KEY_PATH);
        DeleteTree(root, COMPANY_KEY_PATH);
    }
    DeleteTree(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    DeleteTree(HKEY_LOCAL_MACHINE, APP_PATHS_KEY_PATH "\\" PRODUCT_EXE_NAME);
    DeleteTree(HKEY_CLASSES_ROOT, DOCUMENT_EXTENSION);
    DeleteTree(HKEY_CLASSES_ROOT, DOCUMENT_TYPE_NAME);
    for (int csidl : kShortcutFolders)
        for (const char *name : kShortcutNames)
            DeleteFileA((SpecialFolderPath(csidl) + name).c_str());
}

void InstallByHand(const std::string &folder)
{
    MakeFolders(folder + "\\images\\maps");
    CopyFileA((TestProgramFolder() + UNINSTALL_EXE_NAME).c_str(),
              (folder + "\\" UNINSTALL_EXE_NAME).c_str(), FALSE);
    for (const char *name : {PRODUCT_EXE_NAME, "chronex.htm", "la.txt", "Settings.ico",
                             PRODUCT_DISPLAY_NAME " Homepage.url", "images\\clock.png",
                             "images\\maps\\world.gif"})
        WriteFileText(folder + "\\" + name, name);
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, folder);
    const std::string entry = UNINSTALL_ENTRY_PATH;
    WriteString(HKEY_LOCAL_MACHINE, entry, VALUE_DISPLAY_NAME, PRODUCT_DISPLAY_NAME);
    WriteString(HKEY_LOCAL_MACHINE, entry, VALUE_UNINSTALL_STRING,
                "\"" + folder + "\\" UNINSTALL_EXE_NAME "\"");
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0x0648);
    WriteString(HKEY_CURRENT_USER, SETTINGS_KEY_PATH "\\Windows\\Main", "Placement", "0 0 9 9");
    PlaceShortcuts();
}

std::map<std::string, std::string> MachineSnapshot(const std::string &installRoot)
{
    std::map<std::string, std::string> snapshot;
    snapshot["HKCU company key"] = DumpKey(HKEY_CURRENT_USER, COMPANY_KEY_PATH);
    snapshot["HKLM company key"] = DumpKey(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    snapshot["uninstall entry"] =
        DumpKey(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    snapshot["App Paths entry"] =
        DumpKey(HKEY_LOCAL_MACHINE, APP_PATHS_KEY_PATH "\\" PRODUCT_EXE_NAME);
    snapshot["document extension"] = DumpKey(HKEY_CLASSES_ROOT, DOCUMENT_EXTENSION);
    snapshot["document type"] = DumpKey(HKEY_CLASSES_ROOT, DOCUMENT_TYPE_NAME);
    // Only the shortcut folders' own entries: under Wine the desktop is the
    // Unix home, where the desktop integration keeps menu files of its own.
    for (int csidl : kShortcutFolders) {
        std::string listing;
        for (const std::string &name : ListFolder(SpecialFolderPath(csidl)))
            listing += name + "\n";
        snapshot["folder " + SpecialFolderPath(csidl)] = listing;
    }
    std::string temp = TemporaryFolder();
    temp.pop_back();
    snapshot["temporary folder"] = ListTree(temp);
    snapshot["install root"] = FolderExists(installRoot) ? ListTree(installRoot) : "<missing>";
    return snapshot;
}

std::string TemporaryFolder()
{
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    return path;
}

TemporaryFolderOverride::TemporaryFolderOverride(const std::string &folder)
{
    char old[32767];
    DWORD length = GetEnvironmentVariableA("TMP", old, sizeof(old));
    had_ = length > 0 && length < sizeof(old);
    old_ = had_ ? old : "";
    if (folder.size() < MAX_PATH)
        MakeFolders(folder);
    SetEnvironmentVariableA("TMP", folder.c_str());
}

TemporaryFolderOverride::~TemporaryFolderOverride()
{
    SetEnvironmentVariableA("TMP", had_ ? old_.c_str() : NULL);
}

namespace {
int g_closes;
}

ProductWindow::ProductWindow()
{
    g_closes = 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = PRODUCT_WINDOW_CLASS;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, PRODUCT_WINDOW_CLASS, "running copy", WS_OVERLAPPED, 0, 0, 10,
                              10, NULL, NULL, GetModuleHandleA(NULL), NULL);
}

ProductWindow::~ProductWindow()
{
    if (window_)
        DestroyWindow(window_);
    UnregisterClassA(PRODUCT_WINDOW_CLASS, GetModuleHandleA(NULL));
}

int ProductWindow::Closes()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return g_closes;
}

LRESULT CALLBACK ProductWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++g_closes;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
