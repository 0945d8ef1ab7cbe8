// Deleting the product's shortcuts from the user's special shell folders.
#include "folder_shortcuts.h"

#include <windows.h>
#include <shlobj.h>

#include "paths.h"
#include "product.h"
#include "shell_notice.h"

int GetSpecialFolderPath(int csidl, char *path, size_t cap)
{
    path[0] = '\0';
    // SHGetFolderPathA writes up to MAX_PATH characters. It reads the path
    // as the shell keeps it; the item list the older calls build first
    // costs several milliseconds a folder under Wine. S_FALSE is a folder
    // that does not exist, which those calls did not resolve either.
    // An unresolved folder must not turn into a path relative to the
    // current directory.
    if (cap < MAX_PATH || SHGetFolderPathA(NULL, csidl, NULL, SHGFP_TYPE_CURRENT, path) != S_OK ||
        !path[0] || !AppendBackslash(path, cap)) {
        path[0] = '\0';
        return 0;
    }
    return 1;
}

void DeleteFolderShortcuts(int csidl)
{
    char shortcut[MAX_PATH];
    if (!GetSpecialFolderPath(csidl, shortcut, sizeof(shortcut)) ||
        !AppendText(shortcut, sizeof(shortcut), PRODUCT_DISPLAY_NAME))
        return;
    // The longer name may not fit where the shorter one does.
    char *end = shortcut + lstrlenA(shortcut);
    if (AppendText(shortcut, sizeof(shortcut), SHORTCUT_98_SUFFIX))
        DeleteFileA(shortcut);
    *end = '\0';
    if (!AppendText(shortcut, sizeof(shortcut), SHORTCUT_EXTENSION))
        return;
    DeleteFileA(shortcut);
    AnnounceChange(SHCNE_DELETE, shortcut);
}

void DeleteFolderFile(int csidl, const char *fileName)
{
    char path[MAX_PATH];
    if (!GetSpecialFolderPath(csidl, path, sizeof(path)) ||
        !AppendText(path, sizeof(path), fileName))
        return;
    DeleteFileA(path);
    SHChangeNotify(SHCNE_DELETE, SHCNF_PATHA, path, NULL);
}
