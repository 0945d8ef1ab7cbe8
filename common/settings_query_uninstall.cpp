// The uninstaller's QuerySettingString: a settings key that cannot be opened
// is not reported here; the caller tells the user what it could not find.
#include "settings.h"

int QuerySettingString(HKEY root, const char *valueName, char *buffer)
{
    if (!buffer) {
        ShowPlainError(MSG_QUERY_SZ_INVALID_BUFFER);
        return 0;
    }
    HKEY key;
    if (OpenSettingsKey(root, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    int ok = ReadStringValue(key, valueName, buffer);
    RegCloseKey(key);
    return ok;
}
