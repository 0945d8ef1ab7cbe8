// The product's traces on the machine: made, found and removed.
#include "machine.h"

#include <shlobj.h>

#include "files.h"
#include "process.h"
#include "product.h"
#include "registry.h"

const int kShortcutFolders[4] = {CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS,
                                 CSIDL_DESKTOPDIRECTORY};

namespace {
const char *const kShortcutNames[] = {PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION,
                                      PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX};
}

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(NULL, path, csidl, TRUE) || !path[0])
        return "";
    std::string folder = path;
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string ShellFolderValue(const char *name)
{
    std::string value;
    if (!ReadString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, name, &value))
        return "";
    return value;
}

std::vector<std::string> ShortcutPaths()
{
    std::vector<std::string> paths;
    for (int csidl : kShortcutFolders) {
        std::string folder = SpecialFolder(csidl);
        if (!folder.empty())
            for (const char *name : kShortcutNames)
                paths.push_back(folder + name);
    }
    return paths;
}

void PlaceShortcuts()
{
    for (const std::string &path : ShortcutPaths())
        WriteFileText(path, "shortcut");
}

int CountShortcuts()
{
    int count = 0;
    for (const std::string &path : ShortcutPaths())
        count += FileExists(path);
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
    for (const std::string &path : ShortcutPaths())
        DeleteFileA(path.c_str());
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

std::string TemporaryFolder()
{
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    return path;
}

std::vector<std::string> UninstallerLeftovers()
{
    std::vector<std::string> found;
    std::string temp = TemporaryFolder();
    for (const std::string &name : ListFolder(temp.substr(0, temp.size() - 1))) {
        std::string lower = name;
        CharLowerA(&lower[0]);
        bool script = lower.size() >= 9 && lower.compare(0, 5, "delme") == 0 &&
                      lower.compare(lower.size() - 4, 4, ".bat") == 0;
        if (script || lower == UNINSTALL_EXE_NAME)
            found.push_back(temp + name);
    }
    return found;
}

void TemporaryFolderOverride::KeepOldValue()
{
    char old[32767];
    DWORD length = GetEnvironmentVariableA("TMP", old, sizeof(old));
    had_ = length > 0 && length < sizeof(old);
    old_ = had_ ? old : "";
}

TemporaryFolderOverride::TemporaryFolderOverride(const std::string &folder)
{
    KeepOldValue();
    if (folder.size() < MAX_PATH)
        MakeFolders(folder);
    SetEnvironmentVariableA("TMP", folder.c_str());
}

TemporaryFolderOverride::TemporaryFolderOverride(const std::wstring &folder)
{
    KeepOldValue();
    for (size_t end = folder.find(L'\\', 3);; end = folder.find(L'\\', end + 1)) {
        CreateDirectoryW(folder.substr(0, end).c_str(), NULL);
        if (end == std::wstring::npos)
            break;
    }
    SetEnvironmentVariableW(L"TMP", folder.c_str());
}

TemporaryFolderOverride::~TemporaryFolderOverride()
{
    SetEnvironmentVariableA("TMP", had_ ? old_.c_str() : NULL);
}
