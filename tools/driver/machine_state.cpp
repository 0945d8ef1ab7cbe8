// What the installation left on the machine: registry keys and values,
// files, shortcuts, the uninstaller's traces in the temporary folder. Each
// routine reads or reports one kind of thing and knows nothing of dialogs.
#include "machine_state.h"

#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "driver.h"
#include "product.h"

namespace driver {

bool ReadRegistry(HKEY root, const char *path, const char *name, std::string *data, DWORD *type)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[2048];
    DWORD size = sizeof(buffer) - 1;
    LONG result = RegQueryValueExA(key, name, NULL, type, (BYTE *)buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    data->assign(buffer, size);
    if ((*type == REG_SZ || *type == REG_EXPAND_SZ) && !data->empty() && data->back() == '\0')
        data->pop_back();
    return true;
}

bool ReadRegistryString(HKEY root, const char *path, const char *name, std::string *text)
{
    DWORD type = 0;
    return ReadRegistry(root, path, name, text, &type) && type == REG_SZ;
}

static bool KeyPresent(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every value below a key, one line each, subkeys in depth.
static void ListKey(HKEY root, const char *rootName, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name), type = 0;
        BYTE data[2048];
        DWORD dataSize = sizeof(data) - 1;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        std::string value;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            data[dataSize] = 0;
            value = "\"" + std::string((char *)data) + "\"";
        } else if (type == REG_DWORD && dataSize == 4) {
            DWORD number = *(DWORD *)data;
            value = Hex(number, 8);
        } else {
            value = "(type " + std::to_string(type) + ", " + std::to_string(dataSize) + " bytes)";
        }
        Say("registry", std::string(rootName) + "\\" + path + " [" +
                            (nameSize ? name : "(default)") + "] = " + value);
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string &child : children)
        ListKey(root, rootName, path + "\\" + child);
}

void ReportKey(HKEY root, const char *rootName, const std::string &path)
{
    if (!KeyPresent(root, path.c_str())) {
        Say("registry", std::string(rootName) + "\\" + path + " absent");
        return;
    }
    Say("registry", std::string(rootName) + "\\" + path + " present");
    ListKey(root, rootName, path);
}


bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ListFiles(const std::string &folder, std::vector<std::string> *out)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out->push_back(path + "\\");
            ListFiles(path, out);
        } else {
            out->push_back(path + " (" + std::to_string(entry.nFileSizeLow) + " bytes)");
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

std::string TempFolder()
{
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The uninstaller's traces in the temporary folder: its copy and scripts.
std::vector<std::string> UninstallerLeftovers()
{
    std::vector<std::string> found;
    std::string temp = TempFolder();
    if (Exists(temp + "\\" UNINSTALL_EXE_NAME))
        found.push_back(temp + "\\" UNINSTALL_EXE_NAME);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((temp + "\\delme*.bat").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do
            found.push_back(temp + "\\" + entry.cFileName);
        while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return found;
}

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(NULL, path, csidl, FALSE))
        return "";
    return path;
}

void ReportShortcut(const std::string &path)
{
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void **)&link)))
        return;
    IPersistFile *file = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char target[MAX_PATH] = "", folder[MAX_PATH] = "", arguments[MAX_PATH] = "";
            WORD hotkey = 0;
            link->GetPath(target, sizeof(target), NULL, 0);
            link->GetWorkingDirectory(folder, sizeof(folder));
            link->GetArguments(arguments, sizeof(arguments));
            link->GetHotkey(&hotkey);
            Say("shortcut", path + " -> " + target + " (in " + folder + ", arguments \"" +
                                arguments + "\", hotkey " + HotkeyText(hotkey) + ")");
        }
        file->Release();
    }
    link->Release();
}

}  // namespace driver
