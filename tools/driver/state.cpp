// The state command: what the installation left on the machine, from the
// stored install folder or the one given.
#include "driver.h"

#include <objbase.h>
#include <shlobj.h>

#include "files.h"
#include "machine.h"
#include "machine_state.h"
#include "product.h"
#include "registry.h"

namespace driver {

// What the installation left: registry values, files, shortcuts, the
// uninstaller's temporary traces.
int State(const Options &options)
{
    std::string folder = options.folder;
    std::string stored;
    if (ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &stored) &&
        folder.empty())
        folder = stored;
    ReportKey(HKEY_LOCAL_MACHINE, "HKLM", SETTINGS_KEY_PATH);
    ReportKey(HKEY_LOCAL_MACHINE, "HKLM", UNINSTALL_KEY_PATH "\\" UNINSTALL_ENTRY_NAME);
    ReportKey(HKEY_CURRENT_USER, "HKCU", SETTINGS_KEY_PATH);
    ReportKey(HKEY_CLASSES_ROOT, "HKCR", DOCUMENT_EXTENSION);
    ReportKey(HKEY_CLASSES_ROOT, "HKCR", DOCUMENT_TYPE_NAME);
    if (folder.empty()) {
        Say("folder", "unknown (no InstallPath)");
    } else if (!PathExists(folder)) {
        Say("folder", folder + " absent");
    } else {
        Say("folder", folder + " present");
        std::vector<std::string> files;
        ListFiles(folder, &files);
        for (const std::string &file : files)
            Say("file", file);
    }
    CoInitialize(NULL);
    const int folders[] = {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTUP};
    const char *names[] = {PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION,
                           PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX};
    int shortcuts = 0;
    for (int csidl : folders)
        for (const char *name : names) {
            std::string path = SpecialFolder(csidl) + name;
            if (PathExists(path)) {
                ReportShortcut(path);
                ++shortcuts;
            }
        }
    if (!shortcuts)
        Say("shortcut", "none");
    CoUninitialize();
    std::vector<std::string> leftovers = UninstallerLeftovers();
    for (const std::string &path : leftovers)
        Say("temp", path);
    if (leftovers.empty())
        Say("temp", "no uninstaller copy or cleanup script in " + TempFolder());
    return 0;
}

}  // namespace driver
