// What the installation left on the machine: registry keys and values,
// files, shortcuts, the uninstaller's traces in the temporary folder. Each
// routine reads or reports one kind of thing and knows nothing of dialogs.
#include "machine_state.h"

#include <vector>

#include "driver.h"
#include "files.h"
#include "links.h"
#include "machine.h"
#include "product.h"
#include "registry.h"

namespace driver {

// Every value below a key, one line each, subkeys in depth.
static void ListKey(HKEY root, const char *rootName, const std::string &path)
{
    KeyVisitor visitor;
    visitor.value = [rootName](const std::string &key, const char *name, DWORD type,
                               const std::string &data) {
        std::string value;
        if (type == REG_SZ || type == REG_EXPAND_SZ)
            value = "\"" + std::string(data.c_str()) + "\"";
        else if (type == REG_DWORD && data.size() == 4)
            value = Hex(*(const DWORD *)data.data(), 8);
        else
            value = "(type " + std::to_string(type) + ", " + std::to_string(data.size()) +
                    " bytes)";
        Say("registry", std::string(rootName) + "\\" + key + " [" +
                            (*name ? name : "(default)") + "] = " + value);
    };
    WalkKey(root, path, visitor);
}

void ReportKey(HKEY root, const char *rootName, const std::string &path)
{
    if (!KeyExists(root, path)) {
        Say("registry", std::string(rootName) + "\\" + path + " absent");
        return;
    }
    Say("registry", std::string(rootName) + "\\" + path + " present");
    ListKey(root, rootName, path);
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
    std::string folder = TemporaryFolder();
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The uninstaller's traces in the temporary folder: its copy and scripts.
std::vector<std::string> UninstallerLeftovers()
{
    std::vector<std::string> found;
    std::string temp = TempFolder();
    if (FileExists(temp + "\\" UNINSTALL_EXE_NAME))
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

void ReportShortcut(const std::string &path)
{
    LinkInfo link;
    if (!ReadLink(path, &link))
        return;
    Say("shortcut", path + " -> " + link.target + " (in " + link.workingDirectory +
                        ", arguments \"" + link.arguments + "\", hotkey " +
                        HotkeyText(link.hotkey) + ")");
}

}  // namespace driver
