// Removing the product's shortcuts: both names from the four special
// folders where the installer or the user may have put one.
#include "uninstall.h"

#include <shlobj.h>

#include "folder_shortcuts.h"

void RemoveShortcuts(void)
{
    static const int folders[] = {
        CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY,
    };
    for (size_t i = 0; i < sizeof(folders) / sizeof(folders[0]); ++i)
        DeleteFolderShortcuts(folders[i]);
}
