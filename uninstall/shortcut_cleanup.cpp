// Removing the product's shortcuts: both names from the four special
// folders where the installer or the user may have put one, the user's
// and those of all users.
#include "uninstall.h"

#include <shlobj.h>

#include "folder_shortcuts.h"

void RemoveShortcuts(void)
{
    static const int folders[] = {
        CSIDL_STARTUP, CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY,
        CSIDL_COMMON_STARTUP, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS,
        CSIDL_COMMON_DESKTOPDIRECTORY,
    };
    for (size_t i = 0; i < sizeof(folders) / sizeof(folders[0]); ++i)
        DeleteFolderShortcuts(folders[i]);
}
