// The installer's QuerySettingString: a settings key that cannot be opened
// is reported with the system's text.
#include "settings.h"

#include "product.h"

int QuerySettingString(HKEY root, const char *valueName, char *buffer)
{
    if (!buffer) {
        ShowMessage(MSG_QUERY_SZ_INVALID_BUFFER, MB_OK | MB_ICONERROR);
        return 0;
    }
    LONG status;
    if (ReadRegistryString(root, SETTINGS_KEY_PATH, 1, valueName, buffer, &status))
        return 1;
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ShowSystemError(MSG_QUERY_SZ_NO_KEY);
    }
    return 0;
}
