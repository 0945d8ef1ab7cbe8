// Removing the product's registry keys. Best effort: nothing is reported,
// and a step that fails leaves its key for the next one to skip.
#include "uninstall.h"

#include "paths.h"

void DeleteSubkey(HKEY root, const char *path, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(key, name);
    RegCloseKey(key);
}

void DeleteKeyTree(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[MAX_PATH];
    char childPath[MAX_PATH];
    for (;;) {
        ZeroMemory(name, sizeof(name));
        ZeroMemory(childPath, sizeof(childPath));
        DWORD nameSize = sizeof(name);
        // Index 0 each time: the child found last time has been deleted.
        if (RegEnumKeyExA(key, 0, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        // A child whose full path does not fit is not emptied; deleting it
        // then fails unless it has no subkeys.
        if (ComposePath(childPath, sizeof(childPath), path, name))
            DeleteKeyTree(root, childPath);
        // A child that stays would be found again at index 0 forever.
        if (RegDeleteKeyA(key, name) != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
}

// Deletes the settings key under root, then the company key when nothing
// else is left under it.
static void RemoveSettingsAndCompanyKey(HKEY root)
{
    HKEY key;
    if (RegOpenKeyExA(root, COMPANY_KEY_PATH, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(key, SETTINGS_KEY_NAME);
    DWORD subkeys = 0;
    LONG counted = RegQueryInfoKeyA(key, NULL, NULL, NULL, &subkeys, NULL, NULL, NULL, NULL,
                                    NULL, NULL, NULL);
    RegCloseKey(key);
    // Without a count another product's keys may be under it: keep it.
    if (counted != ERROR_SUCCESS || subkeys != 0)
        return;
    DeleteSubkey(root, SOFTWARE_KEY_PATH, COMPANY_KEY_NAME);
}

void RemoveRegistryEntries(void)
{
    DeleteSubkey(HKEY_LOCAL_MACHINE, APP_PATHS_KEY_PATH, PRODUCT_EXE_NAME);
    DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    RemoveSettingsAndCompanyKey(HKEY_CURRENT_USER);
    // Still there when the confirmation phase was ended before it took the
    // entry out; InstallPath, in the machine's settings key, goes last.
    DeleteSubkey(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH, UNINSTALL_ENTRY_NAME);
    RemoveSettingsAndCompanyKey(HKEY_LOCAL_MACHINE);
}
