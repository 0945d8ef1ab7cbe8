// The installer's QuerySettingString: a settings key that cannot be opened
// is reported with the system's text.
#include "settings.h"

int QuerySettingString(HKEY root, const char *valueName, char *buffer)
{
    if (!buffer) {
        ShowPlainError(MSG_QUERY_SZ_INVALID_BUFFER);
        return 0;
    }
    HKEY key;
    LONG status = OpenSettingsKey(root, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ShowSystemError(MSG_QUERY_SZ_NO_KEY);
        return 0;
    }
    int ok = ReadStringValue(key, valueName, buffer);
    RegCloseKey(key);
    return ok;
}
