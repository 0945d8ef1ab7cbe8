// The state command: what the installation left on the machine, from the
// stored install folder or the one given: registry keys and values, files,
// shortcuts, the uninstaller's traces in the temporary folder. And the
// installed-files command: the uninstaller's list of installed files.
#include "driver.h"

#include <objbase.h>

#include "file_lists.h"
#include "files.h"
#include "links.h"
#include "machine.h"
#include "product.h"
#include "registry.h"
#include "snapshot.h"

namespace driver {
namespace {

// A key as present or absent and, when present, every value below it, one
// line each, subkeys in depth.
void ReportKey(HKEY root, const char *rootName, const std::string &path)
{
    const std::string name = std::string(rootName) + "\\" + path;
    if (!KeyExists(root, path)) {
        Say("registry", name + " absent");
        return;
    }
    Say("registry", name + " present");
    KeyVisitor visitor;
    visitor.value = [rootName](const std::string &key, const char *value, DWORD type,
                               const std::string &data) {
        std::string shown;
        if (type == REG_SZ || type == REG_EXPAND_SZ)
            shown = "\"" + std::string(data.c_str()) + "\"";
        else if (type == REG_DWORD && data.size() == 4)
            shown = Hex(*(const DWORD *)data.data(), 8);
        else
            shown = "(type " + std::to_string(type) + ", " + std::to_string(data.size()) +
                    " bytes)";
        Say("registry", std::string(rootName) + "\\" + key + " [" + (*value ? value : "(default)") +
                            "] = " + shown);
    };
    WalkKey(root, path, visitor);
}

// A shortcut's target, working folder, arguments and hotkey (COM must be
// initialised).
void ReportShortcut(const std::string &path)
{
    LinkInfo link;
    if (ReadLink(path, &link))
        Say("shortcut", path + " -> " + link.target + " (in " + link.workingDirectory +
                            ", arguments \"" + link.arguments + "\", hotkey " +
                            HotkeyName(link.hotkey) + ")");
}

}  // namespace

int State(const Options &options)
{
    std::string folder = options.folder;
    if (folder.empty())
        ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &folder);
    ReportKey(HKEY_LOCAL_MACHINE, "HKLM", SETTINGS_KEY_PATH);
    ReportKey(HKEY_LOCAL_MACHINE, "HKLM", UNINSTALL_ENTRY_PATH);
    ReportKey(HKEY_CURRENT_USER, "HKCU", SETTINGS_KEY_PATH);
    ReportKey(HKEY_CLASSES_ROOT, "HKCR", DOCUMENT_EXTENSION);
    ReportKey(HKEY_CLASSES_ROOT, "HKCR", DOCUMENT_TYPE_NAME);
    if (folder.empty()) {
        Say("folder", "unknown (no InstallPath)");
    } else if (!PathExists(folder)) {
        Say("folder", folder + " absent");
    } else {
        Say("folder", folder + " present");
        for (const TreeEntry &entry : WalkTree(folder))
            Say("file", entry.attributes & FILE_ATTRIBUTE_DIRECTORY
                            ? entry.path + "\\"
                            : entry.path + " (" + std::to_string(entry.size) + " bytes)");
    }
    CoInitialize(NULL);
    int shortcuts = 0;
    for (const std::string &path : ShortcutPaths())
        if (PathExists(path)) {
            ReportShortcut(path);
            ++shortcuts;
        }
    if (!shortcuts)
        Say("shortcut", "none");
    CoUninitialize();
    std::vector<std::string> leftovers = UninstallerLeftovers();
    for (const std::string &path : leftovers)
        Say("temp", path);
    if (leftovers.empty())
        Say("temp", "no uninstaller copy or cleanup script in " + TemporaryFolder());
    return 0;
}

// One "installed-file" line per name of the uninstaller's list, in its
// order, for scripts that need the names without reading the source.
int InstalledFiles(const Options &)
{
    for (const char *name = kInstalledFileNames; *name; name = NextListedName(name))
        Say("installed-file", name);
    return 0;
}

}  // namespace driver
